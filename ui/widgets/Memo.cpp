// SPDX-License-Identifier: GPL-3.0-or-later
// The memo over QPlainTextEdit: one text block per line.
#include "ui/widgets/Memo.h"

#include <QPalette>
#include <QTextBlock>

namespace ui {

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  SetColor(colour_);
}

void Memo::SetLines(const QStringList& lines) { setPlainText(lines.join(QLatin1Char('\n'))); }

QStringList Memo::Lines() const {
  QStringList lines;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    lines.append(block.text());
  }
  return lines;
}

void Memo::SetColor(Colour colour) {
  colour_ = colour;
  QPalette p = palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(group, QPalette::Base, ResolveColour(colour));
  }
  setPalette(p);
}

void Memo::SetVerticalScrollBar(bool shown) {
  setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void Memo::enterEvent(QEnterEvent* event) {
  QPlainTextEdit::enterEvent(event);
  emit MouseEnter(this);
}

void Memo::leaveEvent(QEvent* event) {
  QPlainTextEdit::leaveEvent(event);
  emit MouseLeave(this);
}

}  // namespace ui
