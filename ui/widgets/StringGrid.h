// SPDX-License-Identifier: GPL-3.0-or-later
// A string grid for millions of rows: row 0 is the fixed header, every other row holds either
// text cells or a compact numeric record whose texts are made by the owner's formatter only
// when a cell is painted or read. The user can select cells, not edit or resize them.
#pragma once

#include <QAbstractScrollArea>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "ui/widgets/Colour.h"

namespace ui {

struct GridRecord {
  std::int32_t Time;
  double Alt;
  double Galt;
  double Fv;
};

class StringGrid : public QAbstractScrollArea {
  Q_OBJECT

 public:
  using RecordFormatter = std::function<QString(int col, const GridRecord& record)>;

  explicit StringGrid(QWidget* parent = nullptr);

  // The header row is counted. Rows beyond a new count are dropped; new rows are empty.
  int RowCount() const { return static_cast<int>(rows_.size()); }
  void SetRowCount(int count);
  int ColCount() const { return static_cast<int>(colWidths_.size()); }
  void SetColCount(int count);
  int FixedRows() const { return 1; }

  QString Cells(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  // Replaces the text cells of an existing row; ignored for a row that does not exist.
  void SetRecord(int row, const GridRecord& record);
  void SetRecordFormatter(RecordFormatter formatter);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int DefaultColWidth() const { return defaultColWidth_; }
  int DefaultRowHeight() const { return rowHeight_; }

  // The current cell. SetRow scrolls the row into view (when the grid is shown next, if hidden).
  int Row() const { return row_; }
  void SetRow(int row);
  int Col() const { return col_; }
  void SetCol(int col);
  // The selected cells: the rectangle from the anchor cell to the current one. Setting the
  // current cell from the program selects that cell alone.
  QRect Selection() const;
  // The selected cells as tab-separated lines, each cell without its surrounding blanks, ready
  // to paste into a spreadsheet. Ctrl+C puts this on the clipboard.
  QString SelectedText() const;
  int TopRow() const;

  void SetColor(Colour colour);
  Colour Color() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  enum class Kind : std::int32_t { Empty, Text, Record };
  // One row in 32 bytes: the record's fields with the row kind in the padding after Time.
  struct Slot {
    std::int32_t time = 0;
    Kind kind = Kind::Empty;
    double alt = 0;
    double galt = 0;
    double fv = 0;
  };
  static_assert(sizeof(Slot) == 32);

  int Pitch() const { return rowHeight_ + 1; }
  int VisibleDataRows() const;
  int ColumnLeft(int col) const;
  int ContentWidth() const;
  // Scroll bars and repaint, now if shown, else once when shown.
  void ViewChanged();
  void UpdateScrollBars();
  void ScrollRowIntoView(int row);
  // Moves the current cell; `extend` keeps the anchor, so that the selection grows.
  void MoveCurrent(int col, int row, bool extend = false);
  bool CellAt(QPoint pos, int& col, int& row) const;

  std::vector<Slot> rows_;
  std::map<int, QStringList> texts_;  // only the few text rows (header, row 1)
  std::vector<int> colWidths_;
  RecordFormatter formatter_;
  Colour colour_ = SysWindow;
  int defaultColWidth_ = 40;
  int rowHeight_ = 16;
  int row_ = 1;
  int col_ = 0;
  int anchorRow_ = 1;
  int anchorCol_ = 0;
  bool viewStale_ = false;
  bool scrollPending_ = false;
};

}  // namespace ui
