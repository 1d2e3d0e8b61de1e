// SPDX-License-Identifier: GPL-3.0-or-later
// The run's table model: the cell texts of a step row, rows counted with the header as the
// window counts them, and rows added behind a hidden table reported to the view in one go.
#include <QSignalSpy>
#include <QTest>

#include "app/StepTable.h"
#include "ui/widgets/StringGrid.h"

class TestStepTable : public QObject {
  Q_OBJECT

 private slots:
  void cellTexts_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("text");
    // Step 907 at 2.5 km, 0.0625 m/s² and 1 km/s: halves go away from zero, the comma is the
    // separator, and every text begins with a blank.
    QTest::newRow("time") << 0 << " 907";
    QTest::newRow("altitude") << 1 << " 3";
    QTest::newRow("gravity") << 2 << " 0,063";
    QTest::newRow("fall speed") << 3 << " 1,000";
    QTest::newRow("no column") << 4 << "";
  }
  void cellTexts() {
    QFETCH(int, col);
    QFETCH(QString, text);
    StepTableModel table;
    table.SetRowCount(3);
    table.SetStepRow(2, {907, false, 2.5, 0.0625, 1.0});
    ui::StringGrid grid;
    grid.setModel(&table);
    QCOMPARE(grid.Cells(col, 2), text);
    QCOMPARE(grid.Cells(col, 1), QString());  // an empty row
    table.ClearRow(2);
    QCOMPARE(grid.Cells(col, 2), QString());
  }

  void rowsCountedWithTheHeader() {
    StepTableModel table;
    table.SetHeader({"Time (s)", "Alt (km)", "Galt", "fV (km/s)"});
    table.SetRowCount(5);
    QCOMPARE(table.RowCount(), 5);
    QCOMPARE(table.headerData(3, Qt::Horizontal).toString(), QStringLiteral("fV (km/s)"));
    table.SetStepRow(3, {2, false, 1, 1, 1});
    table.SetRowCount(3);  // row 3 dropped
    table.SetRowCount(5);  // and back empty
    QVERIFY(table.Step(3)->Empty);
    // Rows that do not exist are left alone; the header always stays.
    table.SetStepRow(5, {1, false, 1, 1, 1});
    table.ClearRow(0);
    QCOMPARE(table.RowCount(), 5);
    QCOMPARE(table.Step(0), nullptr);
    table.SetRowCount(-3);
    QCOMPARE(table.RowCount(), 1);
  }

  // A run adds its rows while the table is hidden: the view hears of them once, when shown.
  void hiddenRowsReportedOnceShown() {
    StepTableModel table;
    ui::StringGrid grid;
    grid.resize(220, 313);
    table.SetView(&grid);
    table.SetRowCount(2);
    grid.setModel(&table);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy inserted(&table, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
    grid.hide();
    for (int n = 0; n < 5000; ++n) {
      table.SetRowCount(n + 2);
      table.SetStepRow(n + 1, {n, false, 100, 1, 1});
    }
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(changed.count(), 1);  // row 1 was known to the view
    QCOMPARE(table.rowCount(), 1);
    grid.show();
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(grid.RowCount(), 5001);
    QCOMPARE(grid.Cells(0, 5000), QStringLiteral(" 4999"));

    // Shown, a new row is reported at once; cutting the table drops what the view knew.
    table.SetRowCount(5002);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(table.rowCount(), 5001);
    table.SetRowCount(2);
    QCOMPARE(table.rowCount(), 1);
    QCOMPARE(grid.RowCount(), 2);
  }
};

QTEST_MAIN(TestStepTable)
#include "tst_steptable.moc"
