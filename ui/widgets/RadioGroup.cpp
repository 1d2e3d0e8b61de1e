// SPDX-License-Identifier: GPL-3.0-or-later
// The radio group: buttons laid out row by row across the columns of the inner area.
#include "ui/widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QResizeEvent>
#include <algorithm>

#include "base/Colours.h"

namespace ui {

RadioGroup::RadioGroup(QWidget* parent) : GroupBox(parent), group_(new QButtonGroup(this)) {
  group_->setExclusive(true);
  connect(group_, &QButtonGroup::idClicked, this, [this](int id) { UserClicked(id); });
  connect(group_, &QButtonGroup::idToggled, this, [this] { UpdateTabStop(); });
}

void RadioGroup::SetItems(const QStringList& items) {
  for (QRadioButton* button : buttons_) delete button;
  buttons_.clear();
  index_ = -1;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items.at(i), this);
    // Greyed text as a disabled group shows it: the style's own disabled grey is about the
    // silver of this group's background and would hide the entries during a run.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText, ResolveColour(base::colours::Grey));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, ResolveColour(base::colours::Grey));
    button->setPalette(palette);
    group_->addButton(button, i);
    buttons_.push_back(button);
    button->show();
  }
  PlaceButtons();
  UpdateTabStop();
}

QStringList RadioGroup::Items() const {
  QStringList items;
  for (const QRadioButton* button : buttons_) items.append(button->text());
  return items;
}

void RadioGroup::SetColumns(int columns) {
  columns_ = std::max(1, columns);
  PlaceButtons();
}

QRadioButton* RadioGroup::Button(int index) const {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[static_cast<std::size_t>(index)];
}

void RadioGroup::SetItemIndex(int index) {
  QRadioButton* target = Button(index);
  index_ = target != nullptr ? index : -1;
  if (target != nullptr) {
    target->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; unchecking all needs it relaxed for a moment.
  group_->setExclusive(false);
  for (QRadioButton* button : buttons_) button->setChecked(false);
  group_->setExclusive(true);
  UpdateTabStop();
}

void RadioGroup::UpdateTabStop() {
  // The group is one stop in the focus order: its checked button, or the first when none is.
  QRadioButton* stop = Button(index_ >= 0 ? index_ : 0);
  for (QRadioButton* button : buttons_)
    button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void RadioGroup::UserClicked(int index) {
  if (index == index_) return;
  index_ = index;
  UpdateTabStop();
  emit Clicked(this);
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
  GroupBox::resizeEvent(event);
  PlaceButtons();
}

void RadioGroup::PlaceButtons() {
  if (buttons_.empty()) return;
  const QRect area = rect().marginsRemoved(AlignInsets());
  const int count = static_cast<int>(buttons_.size());
  const int rows = (count + columns_ - 1) / columns_;
  const int columnWidth = area.width() / columns_;
  const int rowHeight = std::max(1, area.height() / rows);
  constexpr int kIndent = 6;
  for (int i = 0; i < count; ++i) {
    const int column = i / rows;
    const int row = i % rows;
    buttons_[static_cast<std::size_t>(i)]->setGeometry(
        area.left() + kIndent + column * columnWidth, area.top() + row * rowHeight,
        std::max(0, columnWidth - kIndent), rowHeight);
  }
}

}  // namespace ui
