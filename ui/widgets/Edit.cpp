// The edit: palette in all colour groups and the character hand-over to the key-press handler.
#include "ui/widgets/Edit.h"

#include <QKeyEvent>
#include <QPalette>

namespace ui {

Edit::Edit(QWidget* parent) : QLineEdit(parent) { ApplyPalette(); }

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
  // The disabled group is set as well: otherwise Qt greys out the output fields.
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(group, QPalette::Base, base);
    p.setColor(group, QPalette::Text, text);
  }
  setPalette(p);
}

void Edit::keyPressEvent(QKeyEvent* event) {
  if (!keyPress_) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  char16_t key = 0;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    key = 13;
  } else if (event->key() == Qt::Key_Backspace) {
    key = 8;
  } else if (!event->text().isEmpty()) {
    key = event->text().at(0).unicode();
  }
  if (key == 0) {  // not a character: arrows, Delete, modifiers
    QLineEdit::keyPressEvent(event);
    return;
  }
  const char16_t original = key;
  keyPress_(this, key);
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
