// SPDX-License-Identifier: GPL-3.0-or-later
// The application id given to Qt, and the window icon looked up under that id.
#include "app/DesktopIdentity.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace DesktopIdentity {

void SetNames() {
  QCoreApplication::setApplicationName(ApplicationId);
  QGuiApplication::setDesktopFileName(ApplicationId);
}

QIcon ApplicationIcon() {
  return QIcon::fromTheme(
      ApplicationId, QIcon(QStringLiteral(":/icons/") + ApplicationId + QStringLiteral(".svg")));
}

}  // namespace DesktopIdentity
