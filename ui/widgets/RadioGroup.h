// SPDX-License-Identifier: GPL-3.0-or-later
// A radio group: a group box of mutually exclusive radio buttons in columns, with a selection
// index (-1 for none). It signals a click when the user changes the selection, never when the
// program sets the index.
#pragma once

#include <QStringList>
#include <vector>

#include "ui/widgets/GroupBox.h"

class QButtonGroup;
class QRadioButton;

namespace ui {

class RadioGroup : public GroupBox {
  Q_OBJECT

 public:
  explicit RadioGroup(QWidget* parent = nullptr);

  void SetItems(const QStringList& items);
  QStringList Items() const;
  void SetColumns(int columns);
  int Columns() const { return columns_; }

  int ItemIndex() const { return index_; }
  // -1, or any index out of range, clears the selection.
  void SetItemIndex(int index);

  QRadioButton* Button(int index) const;

 signals:
  // The user has selected another item.
  void Clicked(QObject* Sender);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceButtons();
  void UpdateTabStop();
  void UserClicked(int index);

  QButtonGroup* group_;
  std::vector<QRadioButton*> buttons_;
  int columns_ = 1;
  int index_ = -1;
};

}  // namespace ui
