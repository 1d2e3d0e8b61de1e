// SPDX-License-Identifier: GPL-3.0-or-later
// What the input edit and the result field share: their colours in every colour group, the
// corners they paint in their container's colour, and their text as 8-bit characters.
#pragma once

#include <QString>
#include <string>

#include "ui/widgets/Colour.h"

class QWidget;

namespace ui {

class Container;

// The field's background and text colour in every colour group: the disabled one too, or Qt
// would grey out a disabled field.
void SetFieldColours(QWidget& field, Colour base, Colour text);

// Inside a container the field paints its corners in the container's colour itself, so that a
// new text repaints the field alone and not the group boxes and panels behind it. Called again
// whenever the field's parent changes.
void FollowContainer(QWidget& field);
// The container whose colour the field paints under itself, or null where it paints none.
const Container* ContainerBehind(const QWidget& field);

// `text` as 8-bit characters, '?' for those beyond Latin-1. Returns whether every character was
// Latin-1, so that the copy is the text itself.
bool CopyLatin1(const QString& text, std::string& out);

}  // namespace ui
