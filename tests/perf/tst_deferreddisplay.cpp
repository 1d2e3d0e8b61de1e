// SPDX-License-Identifier: GPL-3.0-or-later
// The cheap paths of the window keep what the ordinary ones give: a field written at every step
// holds its new text at once and shows it at the next pump, and reads the same to assistive
// technology whenever events are handled; a field in a container paints the same pixels as a
// plain line edit, also from its cached glyphs; a pump repaints the places drawn at, not the box
// around them.
#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <memory>

#include "app/KVUGraphiques.h"
#include "base/Colours.h"
#include "sim/UnitState.h"
#include "ui/canvas/DrawingSurface.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/OutputField.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/Services.h"

namespace {

QString Shown(const ui::OutputField& field) { return field.Text(); }

// The field's text as assistive technology reads it.
QString Announced(ui::OutputField* field) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
  if (accessible == nullptr || accessible->textInterface() == nullptr) return QStringLiteral("?");
  const QString text = accessible->textInterface()->text(0, -1);
  return text == accessible->text(QAccessible::Value) ? text : QStringLiteral("?");
}

// The window's font for its result fields.
QFont FieldFont() {
  QFont font(QStringLiteral("Arial"));
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPixelSize(13);
  font.setBold(true);
  return font;
}

}  // namespace

class TestDeferredDisplay : public QObject {
  Q_OBJECT

 private slots:
  void fieldHoldsTheTextAtOnceAndShowsItAtThePump() {
    ui::OutputField edit;
    edit.SetText(QStringLiteral("0"));
    QSignalSpy changes(&edit, &ui::OutputField::TextChanged);
    edit.SetLatin1Text("20200");
    edit.SetLatin1Text("20201");
    QCOMPARE(edit.CurrentText(), QStringLiteral("20201"));
    QCOMPARE(edit.Latin1Text(), std::string_view("20201"));
    QCOMPARE(Shown(edit), QStringLiteral("0"));
    ui::PumpEvents();
    QCOMPARE(Shown(edit), QStringLiteral("20201"));
    QCOMPARE(changes.count(), 1);  // one change for the texts of the steps between two pumps

    edit.SetLatin1Text("20201");  // the same text: nothing waits, nothing changes
    ui::PumpEvents();
    QCOMPARE(changes.count(), 1);
  }

  void theEventLoopShowsAWaitingTextWithoutAPump() {
    ui::OutputField edit;
    edit.SetLatin1Text("Crashed");
    QCoreApplication::processEvents();
    QCOMPARE(Shown(edit), QStringLiteral("Crashed"));
  }

  void laterWritesWin() {
    ui::OutputField edit;
    edit.SetLatin1Text("123");
    edit.SetText(QStringLiteral("Lost"));  // written at once: the waiting text is dropped
    ui::PumpEvents();
    QCOMPARE(Shown(edit), QStringLiteral("Lost"));
    QCOMPARE(edit.Latin1Text(), std::string_view("Lost"));
  }

  void textBeyondLatin1ReadsAsAStandIn() {
    ui::Edit input;
    input.setText(QStringLiteral("9\u00B781"));  // middle dot, Latin-1
    QCOMPARE(input.Latin1Text(), std::string_view("9\xB7"
                                                  "81"));
    input.setText(QStringLiteral("9\u20AC"));
    QCOMPARE(input.Latin1Text(), std::string_view("9?"));

    ui::OutputField field;
    field.SetText(QStringLiteral("9\u20AC"));
    QCOMPARE(field.Latin1Text(), std::string_view("9?"));
    field.SetLatin1Text("9?");  // not the text the field holds, so it is written
    QCOMPARE(field.CurrentText(), QStringLiteral("9?"));
    ui::PumpEvents();
    QCOMPARE(Shown(field), QStringLiteral("9?"));
  }

  // An edit in a container paints its corners and copies its frame itself; the pixels are a
  // plain line edit's, before and after a new text, enabled and disabled.
  void fieldPaintsAsAPlainLineEdit_data() {
    QTest::addColumn<bool>("enabled");
    QTest::newRow("input") << true;
    QTest::newRow("output") << false;
  }
  void fieldPaintsAsAPlainLineEdit() {
    QFETCH(bool, enabled);
    ui::GroupBox box;
    box.resize(120, 50);
    box.SetCaption(QStringLiteral("Altitude (km)"));
    box.SetColor(base::colours::PaleGreen);
    auto* edit = new ui::Edit(&box);
    edit->setGeometry(2, 18, 79, 26);
    edit->SetColor(base::colours::Red);
    edit->SetTextColor(base::colours::Black);
    edit->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    edit->setEnabled(enabled);
    QVERIFY(edit->testAttribute(Qt::WA_OpaquePaintEvent));

    ui::GroupBox plainBox;
    plainBox.resize(box.size());
    plainBox.SetCaption(QStringLiteral("Altitude (km)"));
    plainBox.SetColor(base::colours::PaleGreen);
    auto* plain = new QLineEdit(&plainBox);
    plain->setGeometry(edit->geometry());
    plain->setPalette(edit->palette());
    plain->setAlignment(edit->alignment());
    plain->setEnabled(enabled);

    for (const char* text : {"20200", "20201", "Crashed"}) {
      edit->setText(QString::fromLatin1(text));
      ui::PumpEvents();
      plain->setText(QString::fromLatin1(text));
      QCOMPARE(box.grab().toImage(), plainBox.grab().toImage());
    }
    box.SetColor(base::colours::Yellow);  // the corners follow the container's colour
    plainBox.SetColor(base::colours::Yellow);
    QCOMPARE(box.grab().toImage(), plainBox.grab().toImage());
  }

  // An output field paints the texts of a run from the cached glyphs of their characters; the
  // pixels are still a plain line edit's, on every background a result field takes, for texts
  // narrower and wider than the field, and for those it leaves to Qt.
  void outputFieldPaintsAsAPlainLineEdit_data() {
    QTest::addColumn<bool>("windowFont");
    QTest::addColumn<bool>("shaped");  // the field's font shapes; the plain line edit's always does
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("width");
    QTest::newRow("window font, centred") << true << true << int(Qt::AlignHCenter) << 127;
    QTest::newRow("window font, centred, even") << true << true << int(Qt::AlignHCenter) << 128;
    QTest::newRow("window font, centred, wide") << true << true << int(Qt::AlignHCenter) << 291;
    QTest::newRow("window font, left") << true << true << int(Qt::AlignLeft) << 127;
    QTest::newRow("window font, right") << true << true << int(Qt::AlignRight) << 128;
    QTest::newRow("window font unshaped, centred") << true << false << int(Qt::AlignHCenter) << 127;
    QTest::newRow("default font, centred") << false << true << int(Qt::AlignHCenter) << 127;
  }
  void outputFieldPaintsAsAPlainLineEdit() {
    QFETCH(bool, windowFont);
    QFETCH(bool, shaped);
    QFETCH(int, alignment);
    QFETCH(int, width);
    ui::GroupBox box;
    box.resize(width + 4, 46);
    box.SetColor(base::colours::Yellow);
    auto* edit = new ui::OutputField(&box);
    edit->setGeometry(2, 18, width, 26);
    edit->SetTextColor(base::colours::Black);
    if (windowFont) edit->setFont(FieldFont());
    if (!shaped) {
      // As the window's output fields: their texts need no shaping, and look the same without.
      QFont font = edit->font();
      font.setStyleStrategy(QFont::PreferNoShaping);
      edit->setFont(font);
    }
    edit->SetAlignment(Qt::Alignment(alignment) | Qt::AlignVCenter);
    QVERIFY(!edit->isEnabled());

    ui::GroupBox plainBox;
    plainBox.resize(box.size());
    plainBox.SetColor(base::colours::Yellow);
    auto* plain = new QLineEdit(&plainBox);
    plain->setGeometry(edit->geometry());
    plain->setFont(windowFont ? FieldFont() : QFont());
    plain->setAlignment(edit->Alignment());
    plain->setEnabled(false);

    // Texts ending in every digit: a last glyph whose ink passes its advance widens the text.
    const char* texts[] = {"0",
                           "7",
                           "20200",
                           "-6371",
                           "2147483647",
                           "20144",
                           "-35682",
                           "123",
                           "45",
                           "-96",
                           "789",
                           "00:15:07",
                           "20:33:34",
                           "19:46:28",
                           "",
                           "Crashed",
                           "Out of view",
                           "-1:-",
                           "1234567890123456789012345"};
    for (const base::Colour colour :
         {base::colours::White, base::colours::Lime, base::colours::Red}) {
      edit->SetColor(colour);
      plain->setPalette(edit->palette());
      for (const char* text : texts) {
        edit->SetLatin1Text(text);
        ui::PumpEvents();
        plain->setText(QString::fromLatin1(text));
        QVERIFY2(box.grab().toImage() == plainBox.grab().toImage(), text);
      }
    }
    // A narrower field draws its frame anew, without what the wider one held.
    box.resize(box.width() - 9, box.height());
    plainBox.resize(box.size());
    edit->resize(edit->width() - 9, edit->height());
    plain->resize(edit->size());
    edit->SetLatin1Text("20200");
    plain->setText(QStringLiteral("20200"));
    ui::PumpEvents();
    QCOMPARE(box.grab().toImage(), plainBox.grab().toImage());
    // Under another style the panel is that style's.
    const std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
    QVERIFY(windows != nullptr);
    edit->setStyle(windows.get());
    plain->setStyle(windows.get());
    edit->SetLatin1Text("20144");
    plain->setText(QStringLiteral("20144"));
    ui::PumpEvents();
    QCOMPARE(box.grab().toImage(), plainBox.grab().toImage());
  }

  // The flight duration: a step count taken as seconds, shown as the time of day it reaches, so
  // a flight of a day or more wraps.
  void durationOfAStepCount_data() {
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "00:00:00";
    QTest::newRow("907") << 907 << "00:15:07";
    QTest::newRow("GPS") << 12538 << "03:28:58";
    QTest::newRow("lost") << 74012 << "20:33:32";
    QTest::newRow("wraps at a day") << 90000 << "01:00:00";
    QTest::newRow("last second of a day") << 86399 << "23:59:59";
  }
  void durationOfAStepCount() {
    QFETCH(int, steps);
    QFETCH(QString, text);
    ui::OutputField field;
    field.SetTimeOfDay(steps);
    QCOMPARE(field.CurrentText(), text);
  }

  void timeOfDayIsWrittenWhenTheFieldTakesIt() {
    ui::OutputField edit;
    QSignalSpy changes(&edit, &ui::OutputField::TextChanged);
    edit.SetTimeOfDay(907);
    QCOMPARE(edit.CurrentText(), QStringLiteral("00:15:07"));
    edit.SetTimeOfDay(90000);  // a day and an hour: the time of day
    QCOMPARE(edit.CurrentText(), QStringLiteral("01:00:00"));
    QCOMPARE(edit.Latin1Text(), std::string_view("01:00:00"));
    QCOMPARE(Shown(edit), QString());
    ui::PumpEvents();
    QCOMPARE(Shown(edit), QStringLiteral("01:00:00"));
    QCOMPARE(changes.count(), 1);

    edit.SetTimeOfDay(3600);  // the time it shows: nothing waits, nothing changes
    ui::PumpEvents();
    QCOMPARE(changes.count(), 1);
    edit.SetLatin1Text("Lost");  // a text written since is the field's, until a time follows
    QCOMPARE(edit.CurrentText(), QStringLiteral("Lost"));
    edit.SetTimeOfDay(3600);
    QCOMPARE(edit.CurrentText(), QStringLiteral("01:00:00"));
    ui::PumpEvents();
    QCOMPARE(Shown(edit), QStringLiteral("01:00:00"));
    edit.SetText(QStringLiteral("x"));  // written at once: the field forgets the time it showed
    edit.SetTimeOfDay(3600);
    QCOMPARE(edit.CurrentText(), QStringLiteral("01:00:00"));
  }

  // Wherever events are handled during and after a run (every pump, the lost message, back in
  // the event loop), each result field reads the same to assistive technology as through the
  // field's own API.
  void resultFieldsReadTheSameToAssistiveTechnologyWheneverEventsAreHandled() {
    KVUGraphiques::ResetUnitState();
    TKVFGraphiques w;
    w.Start.CheckSingleInstance = false;
    w.Start.FlashCount = 0;
    w.FormCreate(&w);
    int checks = 0;
    QStringList disagreements;
    const auto check = [&](const char* where) {
      for (ui::OutputField* field : {w.eAltitude, w.eMaxAlt, w.eDuree}) {
        ++checks;
        const QString qt = Announced(field);
        const std::string_view latin1 = field->Latin1Text();
        if (qt != field->CurrentText() || qt != field->Text() ||
            qt != QString::fromLatin1(latin1.data(), qsizetype(latin1.size())))
          disagreements << QStringLiteral("%1 %2: %3 / %4")
                               .arg(where, field->objectName(), qt, field->CurrentText());
      }
    };
    ui::SetPumpHook([&] { check("pump"); });
    ui::SetMessageHook([&](const QString&, const QString&) { check("message"); });
    w.RadioGroup1->SetItemIndex(-1);
    w.eAlt->setText(QStringLiteral("20200"));
    w.eSpeed->setText(QStringLiteral("100000"));  // lost in deep space
    w.sbStartClick(&w);
    check("after the run");
    ui::SetPumpHook({});
    ui::SetMessageHook({});
    QVERIFY2(disagreements.isEmpty(), qPrintable(disagreements.mid(0, 5).join(QLatin1Char('\n'))));
    QVERIFY(checks > 1000);
    QCOMPARE(w.eAltitude->Text(), QStringLiteral("Lost"));
  }

  void pumpRepaintsThePlacesDrawnAt() {
    ui::DrawingSurface surface(1000, 800);
    surface.SetPixel(100, 400, 0xFFFFFF);
    surface.SetPixel(102, 398, 0xFFFFFF);  // the trail of a step later
    surface.SetPixel(899, 400, 0x00FFFF);  // the mirror across the Earth
    const QRegion region = surface.TakeDirtyRegion();
    int area = 0;
    for (const QRect& r : region) area += r.width() * r.height();
    QCOMPARE(area, 3 * 3 + 1);
    QCOMPARE(region.boundingRect(), QRect(QPoint(100, 398), QPoint(899, 400)));
    QVERIFY(region.contains(QRect(100, 398, 3, 3)));
    QVERIFY(region.contains(QPoint(899, 400)));
    QVERIFY(!region.contains(QPoint(500, 400)));
    QVERIFY(surface.TakeDirtyRegion().isEmpty());

    // Either way of taking clears both.
    surface.SetPixel(5, 5, 0xFFFFFF);
    surface.SetPixel(900, 5, 0xFFFFFF);
    QCOMPARE(surface.TakeDirtyRect(), QRect(QPoint(5, 5), QPoint(900, 5)));
    QVERIFY(surface.TakeDirtyRegion().isEmpty());

    // Many places far apart are one rectangle again.
    for (int i = 0; i < 40; ++i) surface.SetPixel(i * 20, i * 20, 0xFFFFFF);
    const QRegion many = surface.TakeDirtyRegion();
    QVERIFY(many.rectCount() <= 8);
    for (int i = 0; i < 40; ++i) QVERIFY(many.contains(QPoint(i * 20, i * 20)));
  }
};

QTEST_MAIN(TestDeferredDisplay)
#include "tst_deferreddisplay.moc"
