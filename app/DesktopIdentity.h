// SPDX-License-Identifier: GPL-3.0-or-later
// The program's identity on the desktop: one application id names the launcher, the X11 window
// class, the Wayland app id, the AppStream component and the icon; and the window's icon.
#pragma once

#include <QIcon>
#include <QString>

namespace DesktopIdentity {

// Given by the build, which names the installed files after it.
inline const QString ApplicationId = QStringLiteral(ORBITSIM_APPLICATION_ID);

// The names Qt hands the desktop: the application name (the class half of WM_CLASS) and the
// desktop file name (the Wayland app id). Call before the application object exists.
void SetNames();

// The installed icon of the application id from the icon theme; where the program is not
// installed, the copy built into it.
QIcon ApplicationIcon();

}  // namespace DesktopIdentity
