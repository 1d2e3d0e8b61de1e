// SPDX-License-Identifier: GPL-3.0-or-later
// Copying from the table as a user does: select cells with the mouse or Shift and the arrow
// keys, press Ctrl+C, and paste tab-separated lines into a spreadsheet.
#include <QClipboard>
#include <QStandardItemModel>
#include <QtTest>

#include "ui/widgets/StringGrid.h"

namespace {

// A shown grid of four columns: the header and ten step rows, cells with a leading blank.
struct Grid {
  QStandardItemModel rows{10, 4};
  ui::StringGrid grid;
  Grid() {
    rows.setHorizontalHeaderLabels({"Time (s)", "Alt (km)", "Galt", "fV (km/s)"});
    for (int n = 0; n < 10; ++n) {
      const double values[] = {double(n), 20200.0 - n, 0.5, 0.25 * n};
      for (int c = 0; c < 4; ++c)
        rows.setItem(
            n, c,
            new QStandardItem(QLatin1Char(' ') + QString::number(values[c]).replace('.', ',')));
    }
    grid.setModel(&rows);
    grid.resize(220, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
  }
  // The centre of a cell on the screen: data rows lie 17 pixels apart below the header row.
  QPoint CellCentre(int col, int row) const {
    int x = 0;
    for (int c = 0; c < col; ++c) x += grid.ColWidth(c) + 1;
    return {x + grid.ColWidth(col) / 2,
            (row - grid.FixedRows()) * (grid.DefaultRowHeight() + 1) + 8};
  }
  QString Copy() {
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    return QGuiApplication::clipboard()->text();
  }
};

}  // namespace

class TestGridCopy : public QObject {
  Q_OBJECT
 private slots:
  void oneCellByDefault() {
    Grid g;
    g.grid.SetRow(3);
    QCOMPARE(g.Copy(), QString("2\n"));
  }

  void mouseRangeWithShift() {
    Grid g;
    QTest::mouseClick(g.grid.viewport(), Qt::LeftButton, {}, g.CellCentre(1, 2));
    QTest::mouseClick(g.grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, g.CellCentre(3, 4));
    QCOMPARE(g.grid.Selection(), QRect(QPoint(1, 2), QPoint(3, 4)));
    QCOMPARE(g.Copy(), QString("20199\t0,5\t0,25\n20198\t0,5\t0,5\n20197\t0,5\t0,75\n"));
  }

  void keyboardRangeAndCollapse() {
    Grid g;
    g.grid.SetRow(1);
    QTest::keyClick(&g.grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&g.grid, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(g.Copy(), QString("0\t20200\n1\t20199\n"));
    // A plain move selects one cell again, and copying changed nothing in the table.
    QTest::keyClick(&g.grid, Qt::Key_Down);
    QCOMPARE(g.Copy(), QString("20198\n"));
    QCOMPARE(g.grid.RowCount(), 11);
    QCOMPARE(g.grid.Cells(1, 1), QString(" 20200"));
  }
};

QTEST_MAIN(TestGridCopy)
#include "tst_gridcopy.moc"
