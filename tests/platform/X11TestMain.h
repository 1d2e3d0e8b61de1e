// The entry of a real-window test that shows its windows in its own process: it connects the
// toolkit to the X server the suite started (with its window manager), never to another one.
#pragma once

#include <QApplication>
#include <QtTest>

#include <cstdio>

template <typename Test>
int RunOnSuiteDisplay(int argc, char** argv) {
  const QByteArray display = qgetenv("ORBITSIM_X11_DISPLAY");
  if (display.isEmpty()) {
    std::fprintf(stderr,
                 "ORBITSIM_X11_DISPLAY is not set. This test needs an X server with a window "
                 "manager: run it through scripts/test, which starts Xvfb with openbox and "
                 "sets it.\n");
    return 1;
  }
  // The display must be chosen before the toolkit connects to it.
  qputenv("DISPLAY", display);
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  Test test;
  return QTest::qExec(&test, argc, argv);
}
