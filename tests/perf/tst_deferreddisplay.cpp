// SPDX-License-Identifier: GPL-3.0-or-later
// The cheap paths of the window keep what the ordinary ones give: a field written at every step
// holds its new text at once and shows it at the next pump; a field in a container paints the
// same pixels as a plain line edit; a pump repaints the places drawn at, not the box around them.
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "base/Colours.h"
#include "ui/canvas/DrawingSurface.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/Services.h"

namespace {

QString Shown(const ui::Edit& edit) { return static_cast<const QLineEdit&>(edit).text(); }

}  // namespace

class TestDeferredDisplay : public QObject {
  Q_OBJECT

 private slots:
  void fieldHoldsTheTextAtOnceAndShowsItAtThePump() {
    ui::Edit edit;
    edit.setText(QStringLiteral("0"));
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    edit.SetLatin1Text("20200");
    edit.SetLatin1Text("20201");
    QCOMPARE(edit.text(), QStringLiteral("20201"));
    QCOMPARE(edit.Latin1Text(), std::string_view("20201"));
    QCOMPARE(Shown(edit), QStringLiteral("0"));
    ui::PumpEvents();
    QCOMPARE(Shown(edit), QStringLiteral("20201"));
    QCOMPARE(changes.count(), 1);  // one layout for the texts of the steps between two pumps

    edit.SetLatin1Text("20201");  // the same text: nothing waits, nothing changes
    ui::PumpEvents();
    QCOMPARE(changes.count(), 1);
  }

  void theEventLoopShowsAWaitingTextWithoutAPump() {
    ui::Edit edit;
    edit.SetLatin1Text("Crashed");
    QCoreApplication::processEvents();
    QCOMPARE(Shown(edit), QStringLiteral("Crashed"));
  }

  void laterWritesWin() {
    ui::Edit edit;
    edit.SetLatin1Text("123");
    edit.setText(QStringLiteral("Lost"));  // written at once: the waiting text is dropped
    ui::PumpEvents();
    QCOMPARE(Shown(edit), QStringLiteral("Lost"));
    QCOMPARE(edit.Latin1Text(), std::string_view("Lost"));

    // A key acts on the text the field holds, also when it has not been shown yet.
    edit.SetLatin1Text("12");
    edit.setCursorPosition(2);
    edit.SetKeyPressHandler([](QObject*, char16_t&) {});
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("1"));
    QCOMPARE(Shown(edit), QStringLiteral("1"));
  }

  void textBeyondLatin1ReadsAsAStandIn() {
    ui::Edit edit;
    edit.setText(QStringLiteral("9\u00B781"));  // middle dot, Latin-1
    QCOMPARE(edit.Latin1Text(), std::string_view("9\xB7" "81"));
    edit.setText(QStringLiteral("9\u20AC"));
    QCOMPARE(edit.Latin1Text(), std::string_view("9?"));
    edit.SetLatin1Text("9?");  // not the text the field holds, so it is written
    QCOMPARE(edit.text(), QStringLiteral("9?"));
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
      edit->SetLatin1Text(text);
      ui::PumpEvents();
      plain->setText(QString::fromLatin1(text));
      QCOMPARE(box.grab().toImage(), plainBox.grab().toImage());
    }
    box.SetColor(base::colours::Yellow);  // the corners follow the container's colour
    plainBox.SetColor(base::colours::Yellow);
    QCOMPARE(box.grab().toImage(), plainBox.grab().toImage());
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
