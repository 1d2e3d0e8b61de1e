// SPDX-License-Identifier: GPL-3.0-or-later
// The accessible interfaces of our own controls, handed to Qt's accessibility through a factory
// that it asks for every class of a widget, from the most derived one up.
#include "ui/widgets/Accessible.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <algorithm>

#include "ui/widgets/BarGauge.h"
#include "ui/widgets/Container.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/OutputField.h"

namespace ui {

namespace {

// A group box: its caption names it unless an accessible name is set.
class GroupBoxAccessible : public QAccessibleWidget {
 public:
  explicit GroupBoxAccessible(GroupBox* box) : QAccessibleWidget(box, QAccessible::Grouping) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
      return static_cast<const GroupBox*>(widget())->Caption().simplified();
    return QAccessibleWidget::text(t);
  }
};

// A gauge: a progress bar whose value, 0 to 100, assistive technology reads.
class GaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit GaugeAccessible(BarGauge* gauge) : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return QString::number(Gauge()->Progress());
    return QAccessibleWidget::text(t);
  }
  QVariant currentValue() const override { return Gauge()->Progress(); }
  void setCurrentValue(const QVariant&) override {}  // only the run sets it
  QVariant maximumValue() const override { return BarGauge::MaxValue; }
  QVariant minimumValue() const override { return BarGauge::MinValue; }
  QVariant minimumStepSize() const override { return 1; }

 private:
  const BarGauge* Gauge() const { return static_cast<const BarGauge*>(widget()); }
};

// A result field: read-only text, as assistive technology knows a disabled line edit. Its text
// is the one the field shows.
class OutputFieldAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit OutputFieldAccessible(OutputField* field)
      : QAccessibleWidget(field, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    return s;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Text();
    return QAccessibleWidget::text(t);
  }

  // Nothing can be selected, and the caret stays after the text.
  void selection(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return characterCount(); }
  void setCursorPosition(int) override {}

  QString text(int startOffset, int endOffset) const override {
    const QString all = Text();
    const int size = static_cast<int>(all.size());
    if (endOffset < 0 || endOffset > size) endOffset = size;
    startOffset = std::clamp(startOffset, 0, endOffset);
    return all.mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(Text().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = std::clamp(offset, 0, characterCount());
    *endOffset = *startOffset;
    return {};
  }

 private:
  QString Text() const { return static_cast<const OutputField*>(widget())->Text(); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (className == QLatin1String("ui::GroupBox"))
    return new GroupBoxAccessible(static_cast<GroupBox*>(widget));
  if (className == QLatin1String("ui::BarGauge"))
    return new GaugeAccessible(static_cast<BarGauge*>(widget));
  if (className == QLatin1String("ui::OutputField"))
    return new OutputFieldAccessible(static_cast<OutputField*>(widget));
  if (className == QLatin1String("ui::ImageControl"))
    return new QAccessibleWidget(widget, QAccessible::Canvas);
  // The window's caption names the frame.
  if (className == QLatin1String("ui::Container") && widget->isWindow())
    return new QAccessibleWidget(widget, QAccessible::Window);
  return nullptr;
}

}  // namespace

void InstallAccessibleFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace ui
