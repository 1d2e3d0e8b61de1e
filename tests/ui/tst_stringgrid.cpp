// SPDX-License-Identifier: GPL-3.0-or-later
// The string grid over a table model: rows counted with the header, cells read from the model,
// the widths of the classic grid, rows fetched before they are counted or shown, texts made
// only for the cells in view, and the current cell moved by the program, keys and the mouse.
#include <QAbstractTableModel>
#include <QScrollBar>
#include <QTest>

#include "ui/widgets/StringGrid.h"

namespace {

// `rows` rows of `cols` cells reading "row:col", under a header "H0", "H1", ...; the first
// `reported` rows are known to the views, fetchMore reports the rest. Counts the texts it makes.
class LazyTable : public QAbstractTableModel {
 public:
  LazyTable(int rows, int cols, int reported) : rows_(rows), cols_(cols), reported_(reported) {}

  // Fewer rows drop the last ones at once; more rows wait to be fetched.
  void SetRows(int rows) {
    if (rows < reported_) {
      beginRemoveRows({}, rows, reported_ - 1);
      reported_ = rows;
      endRemoveRows();
    }
    rows_ = rows;
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : reported_;
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : cols_;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    ++texts;
    return QStringLiteral("%1:%2").arg(index.row()).arg(index.column());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return QStringLiteral("H%1").arg(section);
  }
  bool canFetchMore(const QModelIndex& parent) const override {
    return !parent.isValid() && reported_ < rows_;
  }
  void fetchMore(const QModelIndex& parent) override {
    if (!canFetchMore(parent)) return;
    beginInsertRows({}, reported_, rows_ - 1);
    reported_ = rows_;
    endInsertRows();
  }

  mutable int texts = 0;

 private:
  int rows_;
  int cols_;
  int reported_;
};

// A grid of the layout's size over its own table, shown on the screen.
struct ShownGrid {
  ShownGrid(int rows, int reported) : table(rows, 4, reported) {
    grid.resize(220, 313);
    grid.setModel(&table);
    grid.show();
  }
  LazyTable table;
  ui::StringGrid grid;
};

}  // namespace

class TestStringGrid : public QObject {
  Q_OBJECT

 private slots:
  void rowsCellsAndWidths() {
    LazyTable table(4, 4, 4);
    ui::StringGrid grid;
    grid.setModel(&table);
    QCOMPARE(grid.RowCount(), 5);  // the header row counts
    QCOMPARE(grid.ColCount(), 4);
    QCOMPARE(grid.Cells(0, 0), QStringLiteral("H0"));
    QCOMPARE(grid.Cells(1, 1), QStringLiteral("0:1"));
    QCOMPARE(grid.Cells(3, 4), QStringLiteral("3:3"));
    for (const QPoint& outside : {QPoint(9, 1), QPoint(0, 9), QPoint(-1, -1)})
      QCOMPARE(grid.Cells(outside.x(), outside.y()), QString());
    // Widths without the line between cells, which is one more pixel.
    QCOMPARE(grid.DefaultRowHeight(), 16);
    QCOMPARE(grid.ColWidth(3), grid.DefaultColWidth());
    grid.SetColWidth(1, 45);
    grid.SetColWidth(3, 55);
    QCOMPARE(grid.ColWidth(1), 45);
    QCOMPARE(grid.columnViewportPosition(3), 41 + 46 + 41);
    QCOMPARE(grid.ColWidth(9), 0);
    // The first cell is current and selected from the start.
    QCOMPARE(grid.Row(), 1);
    QCOMPARE(grid.Col(), 0);
    QCOMPARE(grid.Selection(), QRect(0, 1, 1, 1));
  }

  void fetchesRowsAndFormatsOnlyWhatIsShown() {
    LazyTable table(100000, 4, 0);
    ui::StringGrid grid;
    grid.setModel(&table);
    grid.resize(220, 313);
    QCOMPARE(table.rowCount(), 0);
    grid.show();  // showing fetches the rows the model holds back, before any layout or paint
    QCOMPARE(table.rowCount(), 100000);
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    table.texts = 0;
    grid.viewport()->repaint();
    QVERIFY(table.texts > 0);
    QVERIFY2(table.texts <= 4 * 20,
             qPrintable(QString::number(table.texts)));  // about 18 rows in view

    // Counting fetches too, whether the grid is shown or not.
    grid.hide();
    table.SetRows(100010);
    QCOMPARE(grid.RowCount(), 100011);
  }

  void currentCellMovesAndScrolls() {
    ShownGrid shown(1999, 1999);
    LazyTable& table = shown.table;
    ui::StringGrid& grid = shown.grid;
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.TopRow(), 1);
    grid.SetRow(1999);
    QCOMPARE(grid.Row(), 1999);
    QVERIFY(grid.TopRow() > 1900);
    QVERIFY(grid.verticalScrollBar()->isVisible());
    // At the end of the table the rows stay aligned with the top, the last one fully in view.
    QCOMPARE(grid.rowViewportPosition(grid.TopRow() - 1), 0);
    QVERIFY(grid.rowViewportPosition(1998) + 17 <= grid.viewport()->height());
    grid.SetRow(0);  // the header row cannot be current
    grid.SetRow(5000);
    QCOMPARE(grid.Row(), 1999);

    // Keys move the current cell; the header stays out of reach.
    grid.SetRow(1);
    QTest::keyClick(&grid, Qt::Key_Up);
    QCOMPARE(grid.Row(), 1);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Right);
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(grid.Col(), 1);
    QCOMPARE(grid.Selection(), QRect(1, 2, 1, 1));
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(grid.Row(), 1999);
    // A click on a cell selects it (the viewport begins below the header).
    grid.SetRow(1);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(45, 17 * 2 + 5));
    QCOMPARE(grid.Row(), 3);
    QCOMPARE(grid.Col(), 1);
    // Dropping the rows below the current one makes the last row current and selected.
    table.SetRows(1);
    QCOMPARE(grid.Row(), 1);
    QCOMPARE(grid.Selection(), QRect(1, 1, 1, 1));
  }

  void rowSetWhileHiddenScrollsWhenShown() {
    ShownGrid shown(1, 1);
    LazyTable& table = shown.table;
    ui::StringGrid& grid = shown.grid;
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.hide();
    table.SetRows(5000);
    grid.SetRow(grid.RowCount() - 1);
    QCOMPARE(grid.Row(), 5000);
    grid.show();
    QVERIFY(grid.TopRow() > 4900);
    QCOMPARE(grid.verticalScrollBar()->value(), grid.verticalScrollBar()->maximum());
  }
};

QTEST_MAIN(TestStringGrid)
#include "tst_stringgrid.moc"
