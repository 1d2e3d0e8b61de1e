// SPDX-License-Identifier: GPL-3.0-or-later
// A single-line edit with a background and text colour that hold in every state (a disabled
// edit serves as an output field and stays readable), a key-press handler that sees every
// character before the field does and may swallow it, and a cheap write for texts that change
// far more often than the screen is refreshed.
#pragma once

#include <QImage>
#include <QLineEdit>
#include <functional>
#include <string>
#include <string_view>

#include "ui/widgets/Colour.h"

namespace ui {

class Edit : public QLineEdit {
  Q_OBJECT

 public:
  // Called with the character (Enter as 13, Backspace as 8); setting Key to 0 swallows it.
  using KeyPressHandler = std::function<void(QObject* Sender, char16_t& Key)>;

  explicit Edit(QWidget* parent = nullptr);
  ~Edit() override;

  void SetColor(Colour colour);
  Colour Color() const { return colour_; }
  void SetTextColor(Colour colour);
  Colour TextColor() const { return textColour_; }

  void SetKeyPressHandler(KeyPressHandler handler) { keyPress_ = std::move(handler); }

  // The field's text, a text written with SetLatin1Text included at once.
  QString text() const;
  // Writes at once and replaces a text that waits to be shown.
  void setText(const QString& text);
  // The text becomes the field's at once; the field lays it out and shows it when events are
  // handled next (ShowPendingTexts). Writing the text the field holds does nothing.
  void SetLatin1Text(std::string_view text);
  // The text as 8-bit characters, '?' for those beyond Latin-1. Valid until the text changes.
  std::string_view Latin1Text() const { return latin1_; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  friend void ShowPendingTexts();
  friend class PanelCacheStyle;
  void ApplyPalette();
  void ShowPendingText();
  void TakeTextOfField();
  void FollowParent();

  Colour colour_ = SysWindow;
  Colour textColour_ = SysWindowText;
  KeyPressHandler keyPress_;
  std::string latin1_;
  bool latin1Exact_ = true;  // latin1_ is the field's text itself, not a stand-in
  bool pending_ = false;     // latin1_ is the text, the field does not show it yet
  bool listed_ = false;      // in the list of ShowPendingTexts
  // The frame and background as the style last drew them, on the container's colour, with
  // what they were drawn from: a new text repaints over a copy instead of drawing them again.
  struct PanelKey {
    QRect rect;
    int state = 0;
    int direction = 0;
    qint64 palette = 0;
    int lineWidth = 0;
    int midLineWidth = 0;
    int features = 0;
    QRgb background = 0;
    bool operator==(const PanelKey&) const = default;
  };
  QImage panel_;
  PanelKey panelKey_;
  bool committing_ = false;
};

// Hands every waiting text to its field. PumpEvents and RepaintNow do this first.
void ShowPendingTexts();

}  // namespace ui
