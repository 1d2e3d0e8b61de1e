// SPDX-License-Identifier: GPL-3.0-or-later
// The shared look of the edit and the result field.
#include "ui/widgets/FieldLook.h"

#include <QPalette>
#include <QWidget>

#include "ui/widgets/Container.h"

namespace ui {

void SetFieldColours(QWidget& field, Colour base, Colour text) {
  QPalette p = field.palette();
  const QColor baseColour = ResolveColour(base);
  const QColor textColour = ResolveColour(text);
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(group, QPalette::Base, baseColour);
    p.setColor(group, QPalette::Text, textColour);
  }
  field.setPalette(p);
}

void FollowContainer(QWidget& field) {
  field.setAttribute(Qt::WA_OpaquePaintEvent,
                     qobject_cast<const Container*>(field.parentWidget()) != nullptr);
}

const Container* ContainerBehind(const QWidget& field) {
  if (!field.testAttribute(Qt::WA_OpaquePaintEvent)) return nullptr;
  return qobject_cast<const Container*>(field.parentWidget());
}

bool CopyLatin1(const QString& text, std::string& out) {
  out.resize(static_cast<std::size_t>(text.size()));
  bool exact = true;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    exact = exact && c < 0x100;
    out[static_cast<std::size_t>(i)] = c < 0x100 ? static_cast<char>(c) : '?';
  }
  return exact;
}

}  // namespace ui
