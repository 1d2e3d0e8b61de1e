// SPDX-License-Identifier: GPL-3.0-or-later
// The widget layer driven as the window drives it: alignment order and re-layout, the edit's
// key hand-over, the radio group's index and click rule, the gauge's clamping, the image
// control's surface and the services' seams. The grid has tests of its own (tst_stringgrid).
#include <QLocale>
#include <QRadioButton>
#include <QTest>

#include <vector>

#include "base/Colours.h"
#include "ui/widgets/Align.h"
#include "ui/widgets/BarGauge.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/Panel.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/Services.h"
#include "ui/widgets/TimeText.h"

using ui::Align;

class TestWidgets : public QObject {
  Q_OBJECT

 private slots:
  void alignmentOrderAndMargins();
  void alignmentFollowsResizeOnly();
  void editKeyHandler_data();
  void editKeyHandler();
  void disabledEditKeepsColours();
  void radioGroupIndexAndClicks();
  void gaugeClamps_data();
  void gaugeClamps();
  void imageSurfaceKeepsFirstSize();
  void pumpAndMessageHooks();
  void longTimeText_data();
  void longTimeText();
  void timeOfDayTextIsTheLocalesOwn_data();
  void timeOfDayTextIsTheLocalesOwn();
};

// Children created out of position order are still placed by position; margins add up between
// neighbours; the client child takes what is left.
void TestWidgets::alignmentOrderAndMargins() {
  ui::GroupBox box;
  box.resize(300, 100);
  // Created in the reverse of their position order: the layout goes by position.
  auto* right2 = new QWidget(&box);
  right2->setGeometry(200, 0, 30, 10);
  auto* right1 = new QWidget(&box);
  right1->setGeometry(250, 0, 50, 10);
  auto* left2 = new QWidget(&box);
  left2->setGeometry(100, 0, 40, 10);
  auto* left1 = new QWidget(&box);
  left1->setGeometry(10, 0, 20, 10);
  auto* client = new QWidget(&box);
  auto* top = new QWidget(&box);
  top->setGeometry(0, 0, 10, 12);
  ui::SetAlign(left1, Align::Left, true);
  ui::SetAlign(left2, Align::Left, true);
  ui::SetAlign(right1, Align::Right);
  ui::SetAlign(right2, Align::Right);
  ui::SetAlign(client, Align::Client, true);
  ui::SetAlign(top, Align::Top);

  // Insets 2, 18, 2, 2: the free area starts as (2, 18) to (298, 98).
  QCOMPARE(top->geometry(), QRect(2, 18, 296, 12));
  QCOMPARE(left1->geometry(), QRect(5, 33, 20, 62));
  QCOMPARE(left2->geometry(), QRect(31, 33, 40, 62));
  QCOMPARE(right1->geometry(), QRect(248, 30, 50, 68));
  QCOMPARE(right2->geometry(), QRect(218, 30, 30, 68));
  QCOMPARE(client->geometry(), QRect(77, 33, 138, 62));
  QCOMPARE(ui::AlignOf(left1), Align::Left);
  QVERIFY(ui::HasMargins(left1));
  QVERIFY(!ui::HasMargins(right1));
}

void TestWidgets::alignmentFollowsResizeOnly() {
  ui::Panel panel;
  panel.resize(200, 100);
  panel.show();
  auto* inner = new ui::GroupBox(&panel);
  ui::SetAlign(inner, Align::Client);
  auto* leaf = new QWidget(inner);
  leaf->resize(10, 10);
  ui::SetAlign(leaf, Align::Bottom);
  QCOMPARE(inner->geometry(), QRect(1, 1, 198, 98));
  panel.resize(300, 150);
  QCOMPARE(inner->geometry(), QRect(1, 1, 298, 148));
  QCOMPARE(leaf->geometry(), QRect(2, 136, 294, 10));

  // Hidden containers are aligned as well (Qt defers their resize events).
  panel.hide();
  panel.resize(250, 120);
  QCoreApplication::sendPostedEvents();
  panel.show();
  QCOMPARE(leaf->geometry(), QRect(2, 106, 244, 10));

  // A child moved by hand stays where it is until the parent is resized again.
  leaf->move(50, 50);
  panel.repaint();
  QCOMPARE(leaf->pos(), QPoint(50, 50));
}

void TestWidgets::editKeyHandler_data() {
  QTest::addColumn<int>("qtKey");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("swallow");
  QTest::addColumn<int>("expectedKey");
  QTest::addColumn<QString>("expectedField");
  QTest::newRow("printable passes") << int(Qt::Key_7) << "7" << false << int('7') << "127";
  QTest::newRow("printable swallowed") << int(Qt::Key_A) << "a" << true << int('a') << "12";
  QTest::newRow("backspace as 8") << int(Qt::Key_Backspace) << "\b" << false << 8 << "1";
  QTest::newRow("enter as 13") << int(Qt::Key_Return) << "\r" << true << 13 << "12";
  QTest::newRow("keypad enter as 13") << int(Qt::Key_Enter) << "\r" << false << 13 << "12";
}

void TestWidgets::editKeyHandler() {
  QFETCH(int, qtKey);
  QFETCH(QString, text);
  QFETCH(bool, swallow);
  QFETCH(int, expectedKey);
  QFETCH(QString, expectedField);
  ui::Edit edit;
  edit.setText(QStringLiteral("12"));
  edit.setCursorPosition(2);
  int seen = -1;
  QString textWhenSeen;
  QObject* sender = nullptr;
  QObject::connect(&edit, &ui::Edit::KeyPress, &edit, [&](QObject* Sender, char16_t& Key) {
    sender = Sender;
    seen = Key;
    textWhenSeen = edit.text();
    if (swallow) Key = 0;
  });
  QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&edit, &press);
  QCOMPARE(seen, expectedKey);
  QCOMPARE(sender, &edit);
  QCOMPARE(textWhenSeen, QStringLiteral("12"));  // the handler runs before the field takes it
  QCOMPARE(edit.text(), expectedField);

  // Keys that are no characters do not reach the handler.
  seen = -1;
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QCoreApplication::sendEvent(&edit, &left);
  QCOMPARE(seen, -1);
}

void TestWidgets::disabledEditKeepsColours() {
  ui::Edit edit;
  edit.SetColor(base::colours::White);
  edit.SetTextColor(base::colours::Black);
  edit.setEnabled(false);
  const QPalette& p = edit.palette();
  QCOMPARE(p.color(QPalette::Disabled, QPalette::Base), QColor(Qt::white));
  QCOMPARE(p.color(QPalette::Disabled, QPalette::Text), QColor(Qt::black));
  QCOMPARE(edit.focusPolicy() != Qt::NoFocus && edit.isEnabled(), false);
}

void TestWidgets::radioGroupIndexAndClicks() {
  ui::RadioGroup group;
  group.resize(412, 46);
  group.SetColumns(3);
  group.SetItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
  group.show();
  int clicks = 0;
  QObject::connect(&group, &ui::RadioGroup::Clicked, &group, [&](QObject*) { ++clicks; });

  group.SetItemIndex(1);
  QCOMPARE(group.ItemIndex(), 1);
  QVERIFY(group.Button(1)->isChecked());
  group.SetItemIndex(-1);
  QCOMPARE(group.ItemIndex(), -1);
  for (int i = 0; i < 3; ++i) QVERIFY(!group.Button(i)->isChecked());
  group.SetItemIndex(7);
  QCOMPARE(group.ItemIndex(), -1);
  QCOMPARE(clicks, 0);  // programmatic changes are no clicks

  auto click = [&](int i) {
    QRadioButton* button = group.Button(i);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(8, button->height() / 2));  // on the circle
  };
  click(2);
  QCOMPARE(group.ItemIndex(), 2);
  QCOMPARE(clicks, 1);
  click(2);  // no change, no click
  QCOMPARE(clicks, 1);
  click(0);
  QCOMPARE(group.ItemIndex(), 0);
  QCOMPARE(clicks, 2);

  // Three columns, one row: the buttons lie side by side.
  QVERIFY(group.Button(0)->x() < group.Button(1)->x());
  QCOMPARE(group.Button(0)->y(), group.Button(2)->y());
}

void TestWidgets::gaugeClamps_data() {
  QTest::addColumn<int>("value");
  QTest::addColumn<int>("shown");
  QTest::newRow("below") << -1 << 0;
  QTest::newRow("above") << 150 << 100;
  QTest::newRow("inside") << 42 << 42;
  QTest::newRow("far below") << std::numeric_limits<int>::min() << 0;
}

void TestWidgets::gaugeClamps() {
  QFETCH(int, value);
  QFETCH(int, shown);
  for (auto orientation : {Qt::Vertical, Qt::Horizontal}) {
    ui::BarGauge gauge(orientation);
    gauge.resize(17, 100);
    gauge.SetProgress(50);
    gauge.SetProgress(value);
    QCOMPARE(gauge.Progress(), shown);
    QCOMPARE(gauge.Progress(), shown);  // the clamped value is the one kept
    gauge.grab();                       // paints without fault at every value
  }
}

void TestWidgets::imageSurfaceKeepsFirstSize() {
  ui::ImageControl image;
  image.resize(120, 80);
  QVERIFY(!image.HasSurface());
  ui::DrawingSurface& surface = image.Surface();
  QCOMPARE(surface.Width(), 120);
  QCOMPARE(surface.Height(), 80);
  image.resize(300, 300);
  QCOMPARE(image.Surface().Width(), 120);
  QCOMPARE(&image.Surface(), &surface);
  surface.SetPixel(5, 5, base::colours::Red);
  image.FlushDirty();
  QVERIFY(surface.TakeDirtyRect().isEmpty());  // the flush took it
  const QImage shot = image.grab().toImage();
  QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::red));
}

void TestWidgets::pumpAndMessageHooks() {
  int pumps = 0;
  ui::SetPumpHook([&] { ++pumps; });
  ui::PumpEvents();
  ui::PumpEvents();
  QCOMPARE(pumps, 2);
  // A hook may remove itself.
  ui::SetPumpHook([&] {
    ++pumps;
    ui::SetPumpHook({});
  });
  ui::PumpEvents();
  ui::PumpEvents();
  QCOMPARE(pumps, 3);

  QString title;
  QString text;
  ui::SetMessageHook([&](const QString& t, const QString& m) {
    title = t;
    text = m;
  });
  ui::ShowMessage(nullptr, QStringLiteral("Title"), QStringLiteral("a\rb"));
  ui::SetMessageHook({});
  QCOMPARE(title, QStringLiteral("Title"));
  QCOMPARE(text, QStringLiteral("a\rb"));
}

void TestWidgets::longTimeText_data() {
  QTest::addColumn<int>("h");
  QTest::addColumn<int>("m");
  QTest::addColumn<int>("s");
  QTest::addColumn<QString>("text");
  QTest::newRow("907 s") << 0 << 15 << 7 << "00:15:07";
  QTest::newRow("midnight") << 0 << 0 << 0 << "00:00:00";
  QTest::newRow("wraps after a day") << 25 << 0 << 0 << "01:00:00";
  QTest::newRow("seconds only") << 0 << 0 << 90000 << "01:00:00";
}

void TestWidgets::longTimeText() {
  QFETCH(int, h);
  QFETCH(int, m);
  QFETCH(int, s);
  QFETCH(QString, text);
  // The tests run in the C locale (24-hour, leading zeros).
  QCOMPARE(ui::LongTimeText(h * 3600 + m * 60 + s), text);
}

void TestWidgets::timeOfDayTextIsTheLocalesOwn_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<bool>("direct");  // whether the digits are written without the formatter
  QTest::newRow("C") << "C" << true;
  QTest::newRow("German") << "de_DE" << true;
  QTest::newRow("Finnish, dots") << "fi_FI" << true;
  QTest::newRow("English, US: AM and PM") << "en_US" << false;
  QTest::newRow("Arabic digits") << "ar_EG" << false;
  QTest::newRow("Korean: AM, PM and words") << "ko_KR" << false;
  QTest::newRow("Bulgarian: quoted text") << "bg_BG" << false;
  QTest::newRow("Chinese: the time zone first") << "zh_CN" << true;
  QTest::newRow("Japanese: words") << "ja_JP" << true;
  QTest::newRow("Persian digits, zone in brackets") << "fa_IR" << false;
}

void TestWidgets::timeOfDayTextIsTheLocalesOwn() {
  QFETCH(QString, locale);
  QFETCH(bool, direct);
  const QLocale l(locale);
  const ui::TimeOfDayText text(l);
  QCOMPARE(text.Direct(), direct);
  const QString format = ui::WithoutTimeZone(l.timeFormat(QLocale::LongFormat));
  // Around every hour's start (one and two digits on either side, the wrap after a day) and a
  // spread over the rest of the day.
  std::vector<int> times;
  for (int h = 0; h <= 24; ++h)
    for (const int offset : {0, 1, 9, 10, 59, 60, 61, 599, 600, 601, 3599})
      times.push_back(h * 3600 + offset);
  for (int t = 0; t < 86400; t += 97) times.push_back(t);
  for (const int t : times) {
    const int s = t % 86400;
    const QString want = l.toString(QTime(s / 3600, s / 60 % 60, s % 60), format);
    if (text.Text(t) != want)
      QFAIL(qPrintable(
          QStringLiteral("%1 s: \"%2\", the locale writes \"%3\"").arg(t).arg(text.Text(t), want)));
  }
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
