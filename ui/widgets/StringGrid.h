// SPDX-License-Identifier: GPL-3.0-or-later
// A string grid as a table view over any table model: row 0 is the fixed header (the model's
// horizontal header), the model's rows follow from row 1. It paints only the rows in view, in
// the look of a classic string grid, and lets the user select a range of cells and copy it; the
// view brings scrolling and what assistive technology reads (rows, columns, header, current cell).
#pragma once

#include <QTableView>

#include "ui/widgets/Colour.h"

namespace ui {

class StringGrid : public QTableView {
  Q_OBJECT

 public:
  explicit StringGrid(QWidget* parent = nullptr);

  // Rows as the grid counts them: the header row is row 0, the model's row r is row r + 1. A
  // model may hold rows it has not reported yet (fetchMore); the grid fetches them before it
  // counts, reads or shows its rows.
  int RowCount() const;
  int ColCount() const;
  int FixedRows() const { return 1; }
  QString Cells(int col, int row) const;

  // Widths and heights without the line between cells, which takes one pixel more.
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int DefaultColWidth() const { return 40; }
  int DefaultRowHeight() const { return 16; }

  // The current cell. SetRow selects that cell alone and scrolls it into view (when the grid is
  // shown next, if hidden); the header row cannot be current.
  int Row() const;
  void SetRow(int row);
  int Col() const;
  void SetCol(int col);
  // The selected cells: the rectangle from the anchor cell to the current one.
  QRect Selection() const;
  // The selected cells as tab-separated lines, each cell without its surrounding blanks, ready
  // to paste into a spreadsheet. Ctrl+C puts this on the clipboard.
  QString SelectedText() const;
  int TopRow() const;

  void SetColor(Colour colour);
  Colour Color() const { return colour_; }

  void setModel(QAbstractItemModel* model) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void updateGeometries() override;

 private:
  class Header;
  friend class Header;

  void FetchAll() const;
  // Scrolled to its end, the view would align the last row with the bottom edge and cut the
  // first one; the grid keeps its rows aligned with the top, at the end as everywhere else.
  void AlignTopRow();
  // Moves the current cell; `extend` keeps the anchor, so that the selection grows.
  void MoveCurrent(const QModelIndex& index, bool extend);
  // After rows were removed: the current cell stays selected, as the anchor of a new selection.
  void KeepCurrentSelected();
  void PaintCell(QPainter& painter, const QRect& cell, const QString& text, bool header,
                 bool selected) const;

  Colour colour_ = SysWindow;
  QPersistentModelIndex anchor_;
  bool scrollPending_ = false;
};

}  // namespace ui
