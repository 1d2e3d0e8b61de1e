// SPDX-License-Identifier: GPL-3.0-or-later
// The event and platform services the window and the run procedure use: the event pump, forced
// repaints, sleeps, the Shift key, the pointer and the screen, and the message dialog. Two test
// seams let a test act at a chosen pump and answer the message dialog.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QWidget;

namespace ui {

// Hands the fields' waiting texts to Qt, runs the pump hook, then handles all pending events
// (the drawing areas' flushes among them) and returns.
void PumpEvents();
// Run first by every PumpEvents() call; an empty function removes it.
void SetPumpHook(std::function<void()> hook);

void RepaintNow(QWidget* control);
void SleepMs(int milliseconds);
bool IsShiftDown();
void SetCursorPos(int x, int y);
QSize ScreenSize();

// Modal, one OK button, no icon, centred on the screen. A carriage return breaks the line.
void ShowMessage(QWidget* parent, const QString& title, const QString& text);
// When set, called instead of showing the dialog.
void SetMessageHook(std::function<void(const QString& title, const QString& text)> hook);

}  // namespace ui
