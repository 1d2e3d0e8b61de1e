// SPDX-License-Identifier: GPL-3.0-or-later
// The window under a dark desktop colour scheme, read back from the X server: with a dark
// palette set on the application, before the window is built or while it is shown, and under
// either of Qt's own styles, every pixel of the window is the one a light desktop shows, so no
// text on the layout's fixed light backgrounds turns light.
#include "X11TestMain.h"
#include "app/KVUGraphiques.h"
#include "tests/support/StartedWindow.h"
#include "ui/widgets/ImageControl.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

namespace {

// A dark scheme as desktops hand it over: light texts on dark surfaces in every role.
QPalette DarkPalette() {
  const QColor window(0x2D, 0x2D, 0x2D), base(0x1E, 0x1E, 0x1E), text(0xF0, 0xF0, 0xF0);
  QPalette p(text, window, window.lighter(150), window.darker(150), window.darker(120), text, text,
             base, window);
  p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
  p.setColor(QPalette::HighlightedText, Qt::black);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
  }
  return p;
}

enum class DarkFrom { Start, WhileShown };

}  // namespace

Q_DECLARE_METATYPE(DarkFrom)

class X11DarkPaletteTest : public QObject {
  Q_OBJECT

 private slots:
  void windowLooksAsOnALightDesktop_data();
  void windowLooksAsOnALightDesktop();
};

namespace {

// Starts the window, optionally turns the desktop dark while it is shown, and reads the
// window's pixels from the X server. Null when the window did not become active.
QImage ShowAndGrab(TKVFGraphiques& window, bool darkenWhileShown) {
  support::StartWindow(window, 1);
  if (!QTest::qWaitForWindowActive(&window)) return {};
  // The pointer rests on the drawing area, where nothing reacts to it or shows a hint.
  QCursor::setPos(window.mapToGlobal(window.Image1->geometry().center()));
  if (darkenWhileShown) QApplication::setPalette(DarkPalette());
  QTest::qWait(200);
  window.repaint();
  QCoreApplication::processEvents();
  return window.screen()
      ->grabWindow(window.winId())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

}  // namespace

void X11DarkPaletteTest::windowLooksAsOnALightDesktop_data() {
  QTest::addColumn<QString>("style");
  QTest::addColumn<DarkFrom>("darkFrom");
  QTest::newRow("Fusion, dark from the start") << "Fusion" << DarkFrom::Start;
  QTest::newRow("Fusion, turned dark while shown") << "Fusion" << DarkFrom::WhileShown;
  QTest::newRow("Windows, dark from the start") << "Windows" << DarkFrom::Start;
}

void X11DarkPaletteTest::windowLooksAsOnALightDesktop() {
  QFETCH(QString, style);
  QFETCH(DarkFrom, darkFrom);
  QStyle* qtStyle = QStyleFactory::create(style);
  QVERIFY2(qtStyle != nullptr, qPrintable(style));
  QApplication::setStyle(qtStyle);
  QApplication::setPalette(qtStyle->standardPalette());
  QImage light;
  {
    TKVFGraphiques window;
    light = ShowAndGrab(window, false);
    window.close();
  }
  QVERIFY2(!light.isNull(), "the window did not become active");

  if (darkFrom == DarkFrom::Start) QApplication::setPalette(DarkPalette());
  TKVFGraphiques window;
  const QImage dark = ShowAndGrab(window, darkFrom == DarkFrom::WhileShown);
  QVERIFY2(!dark.isNull(), "the window did not become active");
  QVERIFY(QApplication::palette().color(QPalette::WindowText).lightness() > 200);

  // Every control that shows a difference, with its first differing pixel.
  QCOMPARE(dark.size(), light.size());
  QStringList differences;
  QSet<const QWidget*> reported;
  for (int y = 0; y < light.height(); ++y) {
    for (int x = 0; x < light.width(); ++x) {
      if (dark.pixel(x, y) == light.pixel(x, y)) continue;
      const QWidget* child = window.childAt(x, y);
      if (reported.contains(child)) continue;
      reported.insert(child);
      differences << QStringLiteral("%1 at (%2, %3): %4 instead of %5")
                         .arg(child != nullptr ? child->objectName() + " (" +
                                                     child->metaObject()->className() + ")"
                                               : QStringLiteral("the window"))
                         .arg(x)
                         .arg(y)
                         .arg(QColor(dark.pixel(x, y)).name(), QColor(light.pixel(x, y)).name());
    }
  }
  window.close();
  QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QStringLiteral("; "))));
}

int main(int argc, char** argv) { return RunOnSuiteDisplay<X11DarkPaletteTest>(argc, argv); }

#include "tst_X11DarkPalette.moc"
