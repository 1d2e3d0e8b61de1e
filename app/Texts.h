// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed texts of the window: the vector legend and the explanation of the model.
#pragma once

#include <QStringList>

namespace KVUGraphiques {

QStringList VectorLegendLines();  // Memo1, eleven lines
QStringList ExplanationLines();   // mmExplications, 74 lines

}  // namespace KVUGraphiques
