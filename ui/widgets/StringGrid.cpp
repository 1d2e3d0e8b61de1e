// SPDX-License-Identifier: GPL-3.0-or-later
// The string grid: storage of text and record rows, painting of the visible rows only, and the
// selection by mouse and keys.
#include "ui/widgets/StringGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace ui {

StringGrid::StringGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  colWidths_.assign(5, defaultColWidth_);
  rows_.resize(5);
}

void StringGrid::SetRowCount(int count) {
  count = std::max(0, count);
  if (count < RowCount()) texts_.erase(texts_.lower_bound(count), texts_.end());
  rows_.resize(static_cast<std::size_t>(count));
  if (row_ >= count) row_ = std::max(FixedRows(), count - 1);
  if (anchorRow_ >= count) anchorRow_ = row_;
  ViewChanged();
}

void StringGrid::SetColCount(int count) {
  colWidths_.resize(static_cast<std::size_t>(std::max(1, count)), defaultColWidth_);
  for (auto& [row, cells] : texts_) {
    while (cells.size() < ColCount()) cells.append(QString());
    while (cells.size() > ColCount()) cells.removeLast();
  }
  col_ = std::min(col_, ColCount() - 1);
  anchorCol_ = std::min(anchorCol_, ColCount() - 1);
  ViewChanged();
}

QString StringGrid::Cells(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
  const Slot& slot = rows_[static_cast<std::size_t>(row)];
  switch (slot.kind) {
    case Kind::Text: {
      const auto it = texts_.find(row);
      return it != texts_.end() ? it->second.value(col) : QString();
    }
    case Kind::Record:
      return formatter_ ? formatter_(col, GridRecord{slot.time, slot.alt, slot.galt, slot.fv}) : QString();
    default:
      return {};
  }
}

void StringGrid::SetCell(int col, int row, const QString& text) {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return;
  Slot& slot = rows_[static_cast<std::size_t>(row)];
  if (slot.kind != Kind::Text) {
    QStringList cells;
    for (int c = 0; c < ColCount(); ++c) cells.append(Cells(c, row));
    texts_[row] = cells;
    slot = Slot{};
    slot.kind = Kind::Text;
  }
  texts_[row][col] = text;
  if (isVisible()) viewport()->update();
}

void StringGrid::SetRecord(int row, const GridRecord& record) {
  if (row < 0 || row >= RowCount()) return;
  Slot& slot = rows_[static_cast<std::size_t>(row)];
  if (slot.kind == Kind::Text) texts_.erase(row);
  slot.time = record.Time;
  slot.kind = Kind::Record;
  slot.alt = record.Alt;
  slot.galt = record.Galt;
  slot.fv = record.Fv;
  if (isVisible()) viewport()->update();
}

void StringGrid::SetRecordFormatter(RecordFormatter formatter) {
  formatter_ = std::move(formatter);
  if (isVisible()) viewport()->update();
}

int StringGrid::ColWidth(int col) const {
  if (col < 0 || col >= ColCount()) return 0;
  return colWidths_[static_cast<std::size_t>(col)];
}

void StringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  colWidths_[static_cast<std::size_t>(col)] = std::max(0, width);
  ViewChanged();
}

void StringGrid::SetRow(int row) {
  if (row < FixedRows() || row >= RowCount()) return;
  row_ = anchorRow_ = row;
  anchorCol_ = col_;
  if (isVisible()) {
    ScrollRowIntoView(row_);
    viewport()->update();
  } else {
    scrollPending_ = true;
  }
}

void StringGrid::SetCol(int col) {
  if (col < 0 || col >= ColCount()) return;
  col_ = anchorCol_ = col;
  anchorRow_ = row_;
  if (isVisible()) viewport()->update();
}

int StringGrid::TopRow() const { return FixedRows() + verticalScrollBar()->value(); }

void StringGrid::SetColor(Colour colour) {
  colour_ = colour;
  if (isVisible()) viewport()->update();
}

int StringGrid::VisibleDataRows() const {
  return std::max(1, (viewport()->height() - Pitch() * FixedRows()) / Pitch());
}

int StringGrid::ColumnLeft(int col) const {
  int x = 0;
  for (int c = 0; c < col && c < ColCount(); ++c) x += colWidths_[static_cast<std::size_t>(c)] + 1;
  return x;
}

int StringGrid::ContentWidth() const { return ColumnLeft(ColCount()); }

void StringGrid::ViewChanged() {
  // While hidden the grid takes rows at the cost of a vector append; the view catches up once.
  if (!isVisible()) {
    viewStale_ = true;
    return;
  }
  UpdateScrollBars();
  viewport()->update();
}

void StringGrid::UpdateScrollBars() {
  const int dataRows = std::max(0, RowCount() - FixedRows());
  const int visible = VisibleDataRows();
  verticalScrollBar()->setRange(0, std::max(0, dataRows - visible));
  verticalScrollBar()->setPageStep(visible);
  verticalScrollBar()->setSingleStep(1);
  const int viewWidth = viewport()->width();
  horizontalScrollBar()->setRange(0, std::max(0, ContentWidth() - viewWidth));
  horizontalScrollBar()->setPageStep(std::max(1, viewWidth));
  horizontalScrollBar()->setSingleStep(8);
}

void StringGrid::ScrollRowIntoView(int row) {
  const int top = TopRow();
  const int visible = VisibleDataRows();
  if (row < top) {
    verticalScrollBar()->setValue(row - FixedRows());
  } else if (row >= top + visible) {
    verticalScrollBar()->setValue(row - FixedRows() - visible + 1);
  }
}

QRect StringGrid::Selection() const {
  return QRect(QPoint(std::min(col_, anchorCol_), std::min(row_, anchorRow_)),
               QPoint(std::max(col_, anchorCol_), std::max(row_, anchorRow_)));
}

QString StringGrid::SelectedText() const {
  const QRect cells = Selection();
  QString text;
  for (int row = cells.top(); row <= cells.bottom() && row < RowCount(); ++row) {
    for (int col = cells.left(); col <= cells.right(); ++col) {
      if (col > cells.left()) text += QLatin1Char('\t');
      text += Cells(col, row).trimmed();
    }
    text += QLatin1Char('\n');
  }
  return text;
}

void StringGrid::MoveCurrent(int col, int row, bool extend) {
  if (RowCount() <= FixedRows()) return;
  col_ = std::clamp(col, 0, ColCount() - 1);
  row_ = std::clamp(row, FixedRows(), RowCount() - 1);
  if (!extend) {
    anchorCol_ = col_;
    anchorRow_ = row_;
  }
  ScrollRowIntoView(row_);
  const int left = ColumnLeft(col_) - horizontalScrollBar()->value();
  const int right = left + ColWidth(col_);
  if (left < 0) {
    horizontalScrollBar()->setValue(ColumnLeft(col_));
  } else if (right > viewport()->width()) {
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + right - viewport()->width());
  }
  viewport()->update();
}

void StringGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (isVisible()) UpdateScrollBars();
}

void StringGrid::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  if (viewStale_) {
    viewStale_ = false;
    UpdateScrollBars();
  }
  if (scrollPending_) {
    scrollPending_ = false;
    ScrollRowIntoView(row_);
  }
  viewport()->update();
}

void StringGrid::scrollContentsBy(int, int) { viewport()->update(); }

void StringGrid::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QColor cellColour = ResolveColour(colour_);
  const QColor headerColour = ResolveColour(SysButtonFace);
  const QColor lineColour = ResolveColour(SysButtonFace).darker(130);
  const QColor textColour = ResolveColour(SysWindowText);
  const QPalette& pal = palette();
  const int viewWidth = viewport()->width();
  const int viewHeight = viewport()->height();
  const int scrollX = horizontalScrollBar()->value();
  painter.fillRect(viewport()->rect(), cellColour);

  auto paintRow = [&](int row, int y) {
    int x = -scrollX;
    for (int c = 0; c < ColCount() && x < viewWidth; ++c) {
      const int w = colWidths_[static_cast<std::size_t>(c)];
      if (x + w >= 0) {
        const QRect cell(x, y, w, rowHeight_);
        const bool header = row < FixedRows();
        const bool current = !header && Selection().contains(c, row);
        painter.fillRect(cell, current ? pal.color(QPalette::Highlight) : header ? headerColour : cellColour);
        painter.setPen(current ? pal.color(QPalette::HighlightedText) : textColour);
        painter.setClipRect(cell);
        painter.drawText(cell.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         Cells(c, row));
        painter.setClipping(false);
      }
      painter.setPen(lineColour);
      painter.drawLine(x + w, y, x + w, y + rowHeight_);
      painter.drawLine(x, y + rowHeight_, x + w, y + rowHeight_);
      x += w + 1;
    }
  };

  int y = 0;
  for (int row = 0; row < FixedRows() && row < RowCount(); ++row, y += Pitch()) paintRow(row, y);
  for (int row = TopRow(); row < RowCount() && y < viewHeight; ++row, y += Pitch()) paintRow(row, y);
}

bool StringGrid::CellAt(QPoint pos, int& col, int& row) const {
  if (pos.y() < Pitch() * FixedRows()) return false;
  row = TopRow() + (pos.y() - Pitch() * FixedRows()) / Pitch();
  const int x = pos.x() + horizontalScrollBar()->value();
  col = -1;
  for (int c = 0, left = 0; c < ColCount(); ++c) {
    left += ColWidth(c) + 1;
    if (x < left) {
      col = c;
      break;
    }
  }
  return col >= 0 && row < RowCount();
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
  int col = 0, row = 0;
  if (!CellAt(event->position().toPoint(), col, row)) return;
  MoveCurrent(col, row, event->modifiers().testFlag(Qt::ShiftModifier));
}

void StringGrid::mouseMoveEvent(QMouseEvent* event) {
  int col = 0, row = 0;
  if (event->buttons().testFlag(Qt::LeftButton) && CellAt(event->position().toPoint(), col, row))
    MoveCurrent(col, row, true);
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    QGuiApplication::clipboard()->setText(SelectedText());
    event->accept();
    return;
  }
  const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
  const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
  switch (event->key()) {
    case Qt::Key_Up:
      MoveCurrent(col_, row_ - 1, shift);
      break;
    case Qt::Key_Down:
      MoveCurrent(col_, row_ + 1, shift);
      break;
    case Qt::Key_Left:
      MoveCurrent(col_ - 1, row_, shift);
      break;
    case Qt::Key_Right:
      MoveCurrent(col_ + 1, row_, shift);
      break;
    case Qt::Key_PageUp:
      MoveCurrent(col_, row_ - VisibleDataRows(), shift);
      break;
    case Qt::Key_PageDown:
      MoveCurrent(col_, row_ + VisibleDataRows(), shift);
      break;
    case Qt::Key_Home:
      MoveCurrent(ctrl ? col_ : 0, ctrl ? FixedRows() : row_, shift);
      break;
    case Qt::Key_End:
      MoveCurrent(ctrl ? col_ : ColCount() - 1, ctrl ? RowCount() - 1 : row_, shift);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

}  // namespace ui
