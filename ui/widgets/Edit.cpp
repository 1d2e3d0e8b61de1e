// SPDX-License-Identifier: GPL-3.0-or-later
// The edit: palette in all colour groups, the key-press signal, its text kept as 8-bit
// characters for the run to read, and the opaque background inside a container.
#include "ui/widgets/Edit.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

#include "ui/widgets/Container.h"

namespace ui {

Edit::Edit(QWidget* parent) : QLineEdit(parent) {
  ApplyPalette();
  FollowParent();
  // Typing, undo and every write pass here.
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
    latin1_.resize(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
      const char16_t c = text.at(i).unicode();
      latin1_[static_cast<std::size_t>(i)] = c < 0x100 ? static_cast<char>(c) : '?';
    }
  });
}

void Edit::SetColor(Colour colour) {
  colour_ = colour;
  ApplyPalette();
}

void Edit::SetTextColor(Colour colour) {
  textColour_ = colour;
  ApplyPalette();
}

void Edit::ApplyPalette() {
  QPalette p = palette();
  const QColor base = ResolveColour(colour_);
  const QColor text = ResolveColour(textColour_);
  // The disabled group is set as well: otherwise Qt greys out a disabled edit.
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(group, QPalette::Base, base);
    p.setColor(group, QPalette::Text, text);
  }
  setPalette(p);
}

void Edit::FollowParent() {
  // Inside a container the edit paints its corners in the container's colour itself, so that
  // a new text repaints the field alone and not the group boxes and panels behind it.
  setAttribute(Qt::WA_OpaquePaintEvent, qobject_cast<Container*>(parentWidget()) != nullptr);
}

bool Edit::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) FollowParent();
  return QLineEdit::event(event);
}

void Edit::paintEvent(QPaintEvent* event) {
  if (testAttribute(Qt::WA_OpaquePaintEvent)) {
    if (const auto* parent = qobject_cast<const Container*>(parentWidget())) {
      QPainter painter(this);
      painter.fillRect(event->rect(), ResolveColour(parent->Color()));
    }
  }
  QLineEdit::paintEvent(event);
}

void Edit::keyPressEvent(QKeyEvent* event) {
  static const QMetaMethod keyPress = QMetaMethod::fromSignal(&Edit::KeyPress);
  char16_t key = 0;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    key = 13;
  } else if (event->key() == Qt::Key_Backspace) {
    key = 8;
  } else if (!event->text().isEmpty()) {
    key = event->text().at(0).unicode();
  }
  if (key == 0 || !isSignalConnected(keyPress)) {  // not a character, or nobody listens
    QLineEdit::keyPressEvent(event);
    return;
  }
  const char16_t original = key;
  emit KeyPress(this, key);
  if (key == 0) {
    event->accept();
  } else if (key != original && key >= 0x20) {
    insert(QString(QChar(key)));
    event->accept();
  } else {
    QLineEdit::keyPressEvent(event);
  }
}

}  // namespace ui
