// SPDX-License-Identifier: GPL-3.0-or-later
// The alignment layout: alignment and margins are kept as properties of the control itself, so
// that a control that changes its parent takes them along.
#include "ui/widgets/Align.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <array>
#include <vector>

#include "ui/widgets/Container.h"

namespace ui {

namespace {

constexpr const char* kAlignProperty = "orbitsimAlign";
constexpr const char* kMarginsProperty = "orbitsimMargins";

bool Before(Align align, const QWidget* a, const QWidget* b) {
  switch (align) {
    case Align::Top: return a->y() < b->y();
    case Align::Bottom: return a->y() + a->height() > b->y() + b->height();
    case Align::Left: return a->x() < b->x();
    case Align::Right: return a->x() + a->width() > b->x() + b->width();
    default: return false;
  }
}

}  // namespace

void SetAlign(QWidget* control, Align align, bool withMargins) {
  if (control == nullptr) return;
  control->setProperty(kAlignProperty, static_cast<int>(align));
  control->setProperty(kMarginsProperty, withMargins);
  if (control->parentWidget() != nullptr && !control->isWindow()) Realign(control->parentWidget());
}

Align AlignOf(const QWidget* control) {
  if (control == nullptr) return Align::None;
  const QVariant value = control->property(kAlignProperty);
  return value.isValid() ? static_cast<Align>(value.toInt()) : Align::None;
}

bool HasMargins(const QWidget* control) {
  return control != nullptr && control->property(kMarginsProperty).toBool();
}

QPoint ClientOrigin(const QWidget* parent) {
  const auto* container = qobject_cast<const Container*>(parent);
  if (container == nullptr) return {};
  return {container->NonClient().left(), container->NonClient().top()};
}

QRect AlignRect(const QWidget* parent) {
  if (parent == nullptr) return {};
  QRect area = parent->rect();
  if (const auto* container = qobject_cast<const Container*>(parent)) {
    area = area.marginsRemoved(container->NonClient()).marginsRemoved(container->AlignInsets());
  }
  return area;
}

QRect ClientGeometry(const QWidget* control) {
  if (control == nullptr) return {};
  const QPoint origin = ClientOrigin(control->parentWidget());
  return control->geometry().translated(-origin);
}

void SetClientGeometry(QWidget* control, const QRect& bounds) {
  if (control == nullptr) return;
  control->setGeometry(bounds.translated(ClientOrigin(control->parentWidget())));
}

void Realign(QWidget* parent) {
  if (parent == nullptr) return;
  std::vector<QWidget*> children;
  for (QObject* object : parent->children()) {
    auto* child = qobject_cast<QWidget*>(object);
    if (child != nullptr && !child->isWindow() && AlignOf(child) != Align::None)
      children.push_back(child);
  }
  if (children.empty()) return;

  QRect free = AlignRect(parent);
  int left = free.left();
  int top = free.top();
  int right = free.left() + free.width();
  int bottom = free.top() + free.height();

  constexpr std::array kOrder{Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client};
  for (Align align : kOrder) {
    std::vector<QWidget*> group;
    for (QWidget* child : children) {
      if (AlignOf(child) == align) group.push_back(child);
    }
    std::stable_sort(group.begin(), group.end(),
                     [align](const QWidget* a, const QWidget* b) { return Before(align, a, b); });
    for (QWidget* child : group) {
      const int m = HasMargins(child) ? AlignMargin : 0;
      const int spanW = std::max(0, right - left - 2 * m);
      const int spanH = std::max(0, bottom - top - 2 * m);
      QRect bounds;
      switch (align) {
        case Align::Top:
          bounds = QRect(left + m, top + m, spanW, child->height());
          top += child->height() + 2 * m;
          break;
        case Align::Bottom:
          bounds = QRect(left + m, bottom - m - child->height(), spanW, child->height());
          bottom -= child->height() + 2 * m;
          break;
        case Align::Left:
          bounds = QRect(left + m, top + m, child->width(), spanH);
          left += child->width() + 2 * m;
          break;
        case Align::Right:
          bounds = QRect(right - m - child->width(), top + m, child->width(), spanH);
          right -= child->width() + 2 * m;
          break;
        default: bounds = QRect(left + m, top + m, spanW, spanH); break;
      }
      if (child->geometry() == bounds) continue;
      const QSize oldSize = child->size();
      child->setGeometry(bounds);
      // Qt holds back the resize events of hidden widgets until they are shown; the child's own
      // children must be aligned now all the same.
      if (!child->isVisible() && oldSize != bounds.size()) {
        QResizeEvent resize(bounds.size(), oldSize);
        QCoreApplication::sendEvent(child, &resize);
      }
    }
  }
}

}  // namespace ui
