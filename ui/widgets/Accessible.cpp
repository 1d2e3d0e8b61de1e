// SPDX-License-Identifier: GPL-3.0-or-later
// The accessible interfaces of our own controls, handed to Qt's accessibility through a factory
// that it asks for every class of a widget, from the most derived one up.
#include "ui/widgets/Accessible.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "ui/widgets/BarGauge.h"
#include "ui/widgets/Container.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/ImageControl.h"

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

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (className == QLatin1String("ui::GroupBox"))
    return new GroupBoxAccessible(static_cast<GroupBox*>(widget));
  if (className == QLatin1String("ui::BarGauge"))
    return new GaugeAccessible(static_cast<BarGauge*>(widget));
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
