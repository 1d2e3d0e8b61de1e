// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the application with its desktop identity, the main window and its start-up,
// then the event loop.
#include <QApplication>
#include <QByteArray>

#include "app/DesktopIdentity.h"
#include "app/KVUGraphiques.h"

int main(int, char** argv) {
  // The program reads no command line. Qt is handed only the X11 instance name, so that both
  // halves of WM_CLASS are the application id, which the launcher names as its StartupWMClass.
  QByteArray nameOption("-name");
  QByteArray id = DesktopIdentity::ApplicationId.toUtf8();
  char* arguments[] = {argv[0], nameOption.data(), id.data(), nullptr};
  int argc = 3;
  DesktopIdentity::SetNames();
  QApplication application(argc, arguments);
  QApplication::setWindowIcon(DesktopIdentity::ApplicationIcon());
  TKVFGraphiques KVFGraphiques;
  KVFGraphiques.FormCreate(&KVFGraphiques);
  // A close that arrived while start-up waited for the window to be shown has already ended
  // the program's one window; the event loop would wait for a quit that never comes.
  if (!KVFGraphiques.isVisible()) return 0;
  return QApplication::exec();
}
