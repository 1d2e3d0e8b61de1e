// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the main window in this process on a real X11 desktop: FormCreate must see the
// window maximised by the window manager, not at its layout size, when it places gbVectors.
#include "X11Inspector.h"
#include "X11TestMain.h"
#include "app/KVUGraphiques.h"
#include "ui/platform/SingleInstanceX11.h"
#include "ui/widgets/GroupBox.h"

#include <QApplication>
#include <QtTest>

class X11FormCreateTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void formCreatePlacesVectorsOnMaximisedWindow();

 private:
  QByteArray display_;
};

void X11FormCreateTest::initTestCase() {
  display_ = qgetenv("DISPLAY");
  // A window of that title would make FormCreate end this process with status 0, which
  // would pass for a success.
  QVERIFY2(ui::x11::FindTitledWindow(display_.constData(), KVUGraphiques::InstanceKey) == 0,
           "a window titled \"Satellite orbit simulation\" is already on the display");
}

void X11FormCreateTest::formCreatePlacesVectorsOnMaximisedWindow() {
  TKVFGraphiques window;
  window.Start.FlashCount = 1;
  window.FormCreate(&window);

  X11Inspector x(display_);
  QVERIFY(x.IsOpen());
  std::uint32_t id = 0;
  QTRY_VERIFY_WITH_TIMEOUT(
      (id = x.ClientTitled(KVUGraphiques::InstanceKey, QCoreApplication::applicationPid())) != 0,
      5000);
  QTRY_VERIFY_WITH_TIMEOUT(x.IsMaximised(id), 5000);
  QVERIFY(window.isMaximized());
  QCOMPARE(window.windowTitle(), KVUGraphiques::InstanceKey);

  // The screen is wider than the layout, so the design width cannot pass for the maximised one.
  QVERIFY2(window.width() > 1279, qPrintable(QString::number(window.width())));
  QCOMPARE(window.gbVectors->x(), window.width() - 450);
}

int main(int argc, char** argv) { return RunOnSuiteDisplay<X11FormCreateTest>(argc, argv); }

#include "tst_X11FormCreate.moc"
