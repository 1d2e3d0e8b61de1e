// SPDX-License-Identifier: GPL-3.0-or-later
// The table of a run as the window keeps it: one compact record per simulated second of pass 1,
// whose texts are made only for the cells that are shown or read. Rows are counted as the window
// counts them: row 0 is the header, the step numbered n is row n + 1.
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <vector>

class QWidget;

// One row of the table: a step's time, altitude, gravity and fall speed, or an empty row.
struct StepRow {
  std::int32_t Time = 0;
  bool Empty = true;
  double Alt = 0;   // km, negatives already replaced by 0
  double Galt = 0;  // m/s²
  double Fv = 0;    // km/s
};
static_assert(sizeof(StepRow) == 32, "a million rows must stay within 32 MB");

// The cell texts of a step row: a blank, then the time, the altitude with the pattern "0" and
// the gravity and the fall speed with "0.000".
QString StepRowCellText(int col, const StepRow& row);

class StepTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int Columns = 4;

  explicit StepTableModel(QObject* parent = nullptr);

  // Rows added while `view` is hidden are kept without telling the views, at the cost of a
  // vector append; a view fetches them (fetchMore) when it is shown or counts its rows.
  void SetView(const QWidget* view) { view_ = view; }

  // Counts and indices include the header row, as the window's table does.
  int RowCount() const { return static_cast<int>(rows_.size()) + 1; }
  // Rows beyond a new count are dropped, the header always stays; new rows are empty.
  void SetRowCount(int count);
  void SetHeader(const QStringList& texts);
  // Empties a row, or makes it the record of a step; rows that do not exist are left alone.
  void ClearRow(int row);
  void SetStepRow(int row, const StepRow& step);
  const StepRow* Step(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  void RowChanged(int dataRow);

  std::vector<StepRow> rows_;  // the data rows: row r of the table is rows_[r - 1]
  int reported_ = 0;           // the data rows the views know of
  QStringList header_;
  QPointer<const QWidget> view_;
};
