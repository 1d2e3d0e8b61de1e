// SPDX-License-Identifier: GPL-3.0-or-later
// The run's table: step records in a vector, their texts made per cell on request, and rows
// added behind a hidden table reported to the views in one go when they fetch them.
#include "app/StepTable.h"

#include <QWidget>
#include <algorithm>

#include "sim/NumberText.h"

QString StepRowCellText(int col, const StepRow& row) {
  if (row.Empty) return {};
  sim::NumberBuffer buffer;
  std::string_view text;
  switch (col) {
    case 0: text = sim::FormatInteger(row.Time, buffer); break;
    case 1: text = sim::FormatWhole(row.Alt, buffer); break;
    case 2: text = sim::FormatThousandths(row.Galt, buffer); break;
    case 3: text = sim::FormatThousandths(row.Fv, buffer); break;
    default: return {};
  }
  return QLatin1Char(' ') + QLatin1String(text.data(), static_cast<qsizetype>(text.size()));
}

StepTableModel::StepTableModel(QObject* parent) : QAbstractTableModel(parent) {
  header_.resize(Columns);
}

void StepTableModel::SetRowCount(int count) {
  const int dataRows = std::max(0, count - 1);
  if (dataRows < reported_) {
    beginRemoveRows(QModelIndex(), dataRows, reported_ - 1);
    rows_.resize(static_cast<std::size_t>(dataRows));
    reported_ = dataRows;
    endRemoveRows();
    return;
  }
  rows_.resize(static_cast<std::size_t>(dataRows));
  // Shown, the table reports new rows at once; hidden, when it is next fetched from.
  if (view_ != nullptr && view_->isVisible()) fetchMore(QModelIndex());
}

void StepTableModel::SetHeader(const QStringList& texts) {
  for (int col = 0; col < Columns; ++col) header_[col] = texts.value(col);
  emit headerDataChanged(Qt::Horizontal, 0, Columns - 1);
}

void StepTableModel::ClearRow(int row) {
  if (row < 1 || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row - 1)] = StepRow{};
  RowChanged(row - 1);
}

void StepTableModel::SetStepRow(int row, const StepRow& step) {
  if (row < 1 || row >= RowCount()) return;
  StepRow& slot = rows_[static_cast<std::size_t>(row - 1)];
  slot = step;
  slot.Empty = false;
  RowChanged(row - 1);
}

const StepRow* StepTableModel::Step(int row) const {
  if (row < 1 || row >= RowCount()) return nullptr;
  return &rows_[static_cast<std::size_t>(row - 1)];
}

void StepTableModel::RowChanged(int dataRow) {
  if (dataRow < reported_)
    emit dataChanged(index(dataRow, 0), index(dataRow, Columns - 1), {Qt::DisplayRole});
}

int StepTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : reported_;
}

int StepTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Columns;
}

QVariant StepTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= reported_) return {};
  return StepRowCellText(index.column(), rows_[static_cast<std::size_t>(index.row())]);
}

QVariant StepTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= Columns)
    return {};
  return header_.at(section);
}

Qt::ItemFlags StepTableModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                         : Qt::NoItemFlags;
}

bool StepTableModel::canFetchMore(const QModelIndex& parent) const {
  return !parent.isValid() && reported_ < static_cast<int>(rows_.size());
}

void StepTableModel::fetchMore(const QModelIndex& parent) {
  if (!canFetchMore(parent)) return;
  beginInsertRows(QModelIndex(), reported_, static_cast<int>(rows_.size()) - 1);
  reported_ = static_cast<int>(rows_.size());
  endInsertRows();
}
