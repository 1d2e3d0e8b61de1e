// SPDX-License-Identifier: GPL-3.0-or-later
// A single-line edit with a background and text colour that hold in every state (a disabled
// edit stays readable), and a key-press signal that hands every character over before the field
// takes it and lets a receiver swallow it.
#pragma once

#include <QLineEdit>
#include <string>
#include <string_view>

#include "ui/widgets/Colour.h"

namespace ui {

class Edit : public QLineEdit {
  Q_OBJECT

 public:
  explicit Edit(QWidget* parent = nullptr);

  void SetColor(Colour colour);
  Colour Color() const { return colour_; }
  void SetTextColor(Colour colour);
  Colour TextColor() const { return textColour_; }

  // The text as 8-bit characters, '?' for those beyond Latin-1. Valid until the text changes.
  std::string_view Latin1Text() const { return latin1_; }

 signals:
  // A character typed into the field, before the field takes it: Enter as 13, Backspace as 8.
  // Keys that are no characters (arrows, Delete, modifiers) are not handed over. A receiver on a
  // direct connection may set Key to 0 to swallow the character, or to another one to type that.
  void KeyPress(QObject* Sender, char16_t& Key);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  Colour colour_ = SysWindow;
  Colour textColour_ = SysWindowText;
  std::string latin1_;
};

}  // namespace ui
