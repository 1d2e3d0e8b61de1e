// SPDX-License-Identifier: GPL-3.0-or-later
// The one layout mechanism of every container: each control may be aligned to an edge or to the
// client area of its parent, optionally keeping a 3-pixel margin, and the parent places its
// aligned children whenever it is resized.
#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace ui {

enum class Align { None, Top, Bottom, Left, Right, Client };

inline constexpr int AlignMargin = 3;

// Stores the alignment and re-aligns the parent at once.
void SetAlign(QWidget* control, Align align, bool withMargins = false);
Align AlignOf(const QWidget* control);
bool HasMargins(const QWidget* control);

// Places the aligned children in the order top, bottom, left, right, client; children of one
// alignment in their order of position (right-aligned and bottom-aligned ones from the edge in).
void Realign(QWidget* parent);

// The offset of the client origin in widget coordinates: a frame outside the client area.
QPoint ClientOrigin(const QWidget* parent);
// The area that aligned children share, in widget coordinates.
QRect AlignRect(const QWidget* parent);
// A control's bounds in the client coordinates of its parent, and the way back.
QRect ClientGeometry(const QWidget* control);
void SetClientGeometry(QWidget* control, const QRect& bounds);

}  // namespace ui
