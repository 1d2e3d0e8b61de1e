// Placeholder until the platform look-up lands: no other instance is ever found.
#include "ui/platform/SingleInstance.h"

namespace ui {

bool ActivateRunningInstance(const QString&) { return false; }
void ServeLaterInstances(QWidget*, const QString&) {}

}  // namespace ui
