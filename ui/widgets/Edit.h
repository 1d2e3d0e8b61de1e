// A single-line edit with a background and text colour that hold in every state (a disabled
// edit serves as an output field and stays readable), and a key-press handler that sees every
// character before the field does and may swallow it.
#pragma once

#include <QLineEdit>
#include <functional>

#include "ui/widgets/Colour.h"

namespace ui {

class Edit : public QLineEdit {
  Q_OBJECT

 public:
  // Called with the character (Enter as 13, Backspace as 8); setting Key to 0 swallows it.
  using KeyPressHandler = std::function<void(QObject* Sender, char16_t& Key)>;

  explicit Edit(QWidget* parent = nullptr);

  void SetColor(Colour colour);
  Colour Color() const { return colour_; }
  void SetTextColor(Colour colour);
  Colour TextColor() const { return textColour_; }

  void SetKeyPressHandler(KeyPressHandler handler) { keyPress_ = std::move(handler); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ApplyPalette();

  Colour colour_ = SysWindow;
  Colour textColour_ = SysWindowText;
  KeyPressHandler keyPress_;
};

}  // namespace ui
