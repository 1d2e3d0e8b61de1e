// SPDX-License-Identifier: GPL-3.0-or-later
// The string grid over a table view: painting of the rows in view only, in the look of a classic
// string grid (header cells in button face, one-pixel lines between cells, text two pixels in),
// and the selection of a range from an anchor cell by mouse and keys.
#include "ui/widgets/StringGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace ui {

// The header row, painted as the grid paints its cells.
class StringGrid::Header : public QHeaderView {
 public:
  explicit Header(StringGrid* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(viewport());
    painter.setFont(grid_->font());
    painter.fillRect(viewport()->rect(), ResolveColour(grid_->colour_));
    const int viewWidth = viewport()->width();
    for (int col = 0; col < count(); ++col) {
      const int x = sectionViewportPosition(col);
      if (x >= viewWidth) break;
      const QString text =
          model() != nullptr ? model()->headerData(col, Qt::Horizontal).toString() : QString();
      grid_->PaintCell(painter, QRect(x, 0, sectionSize(col) - 1, grid_->DefaultRowHeight()), text,
                       true, false);
    }
  }

 private:
  StringGrid* grid_;
};

StringGrid::StringGrid(QWidget* parent) : QTableView(parent) {
  setHorizontalHeader(new Header(this));
  // Sections hold a cell and the line after it.
  QHeaderView* columns = horizontalHeader();
  columns->setMinimumSectionSize(0);
  columns->setDefaultSectionSize(DefaultColWidth() + 1);
  columns->setSectionResizeMode(QHeaderView::Fixed);
  columns->setSectionsClickable(false);
  columns->setHighlightSections(false);
  columns->setFixedHeight(DefaultRowHeight() + 1);
  QHeaderView* rows = verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(0);
  rows->setDefaultSectionSize(DefaultRowHeight() + 1);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  setFocusPolicy(Qt::StrongFocus);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(ContiguousSelection);
  setSelectionBehavior(SelectItems);
  // Tab leaves the grid for the next control of the form.
  setTabKeyNavigation(false);
  setWordWrap(false);
  setVerticalScrollMode(ScrollPerItem);
  setHorizontalScrollMode(ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Every pixel of the viewport is painted here.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void StringGrid::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  anchor_ = QPersistentModelIndex();
  if (model == nullptr) return;
  connect(model, &QAbstractItemModel::rowsRemoved, this, [this, model] {
    if (model == this->model()) KeepCurrentSelected();
  });
  auto selectFirst = [this, model] {
    if (model == this->model() && !currentIndex().isValid())
      MoveCurrent(model->index(0, 0, rootIndex()), false);
  };
  connect(model, &QAbstractItemModel::rowsInserted, this, selectFirst);
  connect(model, &QAbstractItemModel::modelReset, this, selectFirst);
  selectFirst();
}

void StringGrid::FetchAll() const {
  QAbstractItemModel* m = model();
  if (m == nullptr) return;
  while (m->canFetchMore(rootIndex())) m->fetchMore(rootIndex());
}

int StringGrid::RowCount() const {
  FetchAll();
  return FixedRows() + (model() != nullptr ? model()->rowCount(rootIndex()) : 0);
}

int StringGrid::ColCount() const {
  return model() != nullptr ? model()->columnCount(rootIndex()) : 0;
}

QString StringGrid::Cells(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
  if (row < FixedRows()) return model()->headerData(col, Qt::Horizontal).toString();
  return model()->index(row - FixedRows(), col, rootIndex()).data().toString();
}

int StringGrid::ColWidth(int col) const {
  if (col < 0 || col >= ColCount()) return 0;
  return columnWidth(col) - 1;
}

void StringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  setColumnWidth(col, std::max(0, width) + 1);
}

int StringGrid::Row() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() + FixedRows() : FixedRows();
}

int StringGrid::Col() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.column() : 0;
}

void StringGrid::SetRow(int row) {
  if (row < FixedRows() || row >= RowCount()) return;
  MoveCurrent(model()->index(row - FixedRows(), Col(), rootIndex()), false);
}

void StringGrid::SetCol(int col) {
  if (col < 0 || col >= ColCount() || Row() >= RowCount()) return;
  MoveCurrent(model()->index(Row() - FixedRows(), col, rootIndex()), false);
}

QRect StringGrid::Selection() const {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return QRect(0, FixedRows(), 1, 1);
  const QModelIndex anchor = anchor_.isValid() ? QModelIndex(anchor_) : current;
  return QRect(QPoint(std::min(current.column(), anchor.column()),
                      std::min(current.row(), anchor.row()) + FixedRows()),
               QPoint(std::max(current.column(), anchor.column()),
                      std::max(current.row(), anchor.row()) + FixedRows()));
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

int StringGrid::TopRow() const { return FixedRows() + std::max(0, rowAt(0)); }

void StringGrid::SetColor(Colour colour) {
  colour_ = colour;
  viewport()->update();
  horizontalHeader()->viewport()->update();
}

void StringGrid::MoveCurrent(const QModelIndex& index, bool extend) {
  if (!index.isValid() || selectionModel() == nullptr) return;
  if (!extend || !anchor_.isValid()) anchor_ = index;
  // The scroll ranges must know of rows added since the last layout before the cell is
  // scrolled into view.
  if (isVisible()) executeDelayedItemsLayout();
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  const QModelIndex topLeft =
      model()->index(std::min(index.row(), anchor_.row()),
                     std::min(index.column(), anchor_.column()), rootIndex());
  const QModelIndex bottomRight =
      model()->index(std::max(index.row(), anchor_.row()),
                     std::max(index.column(), anchor_.column()), rootIndex());
  selectionModel()->select(QItemSelection(topLeft, bottomRight),
                           QItemSelectionModel::ClearAndSelect);
  if (isVisible()) {
    scrollTo(index);
  } else {
    scrollPending_ = true;
  }
}

void StringGrid::KeepCurrentSelected() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  MoveCurrent(current, anchor_.isValid());
}

void StringGrid::showEvent(QShowEvent* event) {
  FetchAll();
  QTableView::showEvent(event);
  if (scrollPending_) {
    scrollPending_ = false;
    executeDelayedItemsLayout();
    scrollTo(currentIndex());
  }
}

void StringGrid::AlignTopRow() {
  const QScrollBar* bar = verticalScrollBar();
  if (bar->maximum() == 0 || bar->value() != bar->maximum()) return;
  if (verticalHeader()->offset() == verticalHeader()->sectionPosition(bar->value())) return;
  verticalHeader()->setOffsetToSectionPosition(bar->value());
  viewport()->update();
}

void StringGrid::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  if (dy != 0) AlignTopRow();
}

void StringGrid::updateGeometries() {
  QTableView::updateGeometries();
  AlignTopRow();
}

void StringGrid::PaintCell(QPainter& painter, const QRect& cell, const QString& text, bool header,
                           bool selected) const {
  const QPalette& pal = palette();
  painter.fillRect(cell, selected ? pal.color(QPalette::Highlight)
                                  : ResolveColour(header ? SysButtonFace : colour_));
  painter.setPen(selected ? pal.color(QPalette::HighlightedText) : ResolveColour(SysWindowText));
  painter.setClipRect(cell);
  painter.drawText(cell.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   text);
  painter.setClipping(false);
  painter.setPen(ResolveColour(SysButtonFace).darker(130));
  const int right = cell.x() + cell.width();
  const int bottom = cell.y() + cell.height();
  painter.drawLine(right, cell.y(), right, bottom);
  painter.drawLine(cell.x(), bottom, right, bottom);
}

void StringGrid::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), ResolveColour(colour_));
  const QAbstractItemModel* m = model();
  if (m == nullptr) return;
  const int rows = m->rowCount(rootIndex());
  const int cols = m->columnCount(rootIndex());
  const int viewWidth = viewport()->width();
  const int viewHeight = viewport()->height();
  const QItemSelectionModel* selection = selectionModel();
  for (int row = std::max(0, rowAt(0)); row < rows; ++row) {
    const int y = rowViewportPosition(row);
    if (y >= viewHeight) break;
    const int height = rowHeight(row) - 1;
    for (int col = 0; col < cols; ++col) {
      const int x = columnViewportPosition(col);
      if (x >= viewWidth) break;
      const int width = columnWidth(col) - 1;
      if (x + width < 0) continue;
      const QModelIndex index = m->index(row, col, rootIndex());
      const bool selected = selection != nullptr && selection->isSelected(index);
      PaintCell(painter, QRect(x, y, width, height), index.data().toString(), false, selected);
    }
  }
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid()) MoveCurrent(index, event->modifiers().testFlag(Qt::ShiftModifier));
}

void StringGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!event->buttons().testFlag(Qt::LeftButton)) return;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid()) MoveCurrent(index, true);
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    QGuiApplication::clipboard()->setText(SelectedText());
    event->accept();
    return;
  }
  CursorAction action;
  switch (event->key()) {
    case Qt::Key_Up: action = MoveUp; break;
    case Qt::Key_Down: action = MoveDown; break;
    case Qt::Key_Left: action = MoveLeft; break;
    case Qt::Key_Right: action = MoveRight; break;
    case Qt::Key_PageUp: action = MovePageUp; break;
    case Qt::Key_PageDown: action = MovePageDown; break;
    case Qt::Key_Home: action = MoveHome; break;
    case Qt::Key_End: action = MoveEnd; break;
    default:
      // Letters do not search the cells here; what the grid does not use goes to its parent.
      event->ignore();
      return;
  }
  FetchAll();
  const QModelIndex next = moveCursor(action, event->modifiers());
  if (next.isValid()) MoveCurrent(next, event->modifiers().testFlag(Qt::ShiftModifier));
  event->accept();
}

}  // namespace ui
