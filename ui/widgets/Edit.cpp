// SPDX-License-Identifier: GPL-3.0-or-later
// The edit: palette in all colour groups, the key-press signal, its text kept as 8-bit
// characters for the run to read, and the opaque background inside a container.
#include "ui/widgets/Edit.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QPaintEvent>
#include <QPainter>

#include "ui/widgets/Container.h"
#include "ui/widgets/FieldLook.h"

namespace ui {

Edit::Edit(QWidget* parent) : QLineEdit(parent) {
  SetFieldColours(*this, colour_, textColour_);
  FollowContainer(*this);
  // Typing, undo and every write pass here.
  connect(this, &QLineEdit::textChanged, this,
          [this](const QString& text) { CopyLatin1(text, latin1_); });
}

void Edit::SetColor(Colour colour) {
  colour_ = colour;
  SetFieldColours(*this, colour_, textColour_);
}

void Edit::SetTextColor(Colour colour) {
  textColour_ = colour;
  SetFieldColours(*this, colour_, textColour_);
}

bool Edit::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) FollowContainer(*this);
  return QLineEdit::event(event);
}

void Edit::paintEvent(QPaintEvent* event) {
  if (const Container* container = ContainerBehind(*this)) {
    QPainter painter(this);
    painter.fillRect(event->rect(), ResolveColour(container->Color()));
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
