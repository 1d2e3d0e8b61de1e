// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance rule: a start while a top-level window bears the instance key brings that
// window to the front, and the new process ends before it shows a window of its own.
#pragma once

#include <QString>

class QWidget;

namespace ui {

// On the offscreen and minimal platforms neither function does anything: no desktop shows
// those windows, and windows built there side by side must not end each other's process.

// Looks for a top-level window whose title is exactly `title`, of any program. When one is
// found it is activated and raised, and the result is true: the caller then ends the process
// with status 0. Must run before this process shows or titles its own window.
bool ActivateRunningInstance(const QString& title);

// Where the platform cannot list other programs' windows, lets later starts of this program
// find and raise `window`. Call once, after the window bears `title`. A no-op where the window
// look-up works.
void ServeLaterInstances(QWidget* window, const QString& title);

}  // namespace ui
