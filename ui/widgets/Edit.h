// SPDX-License-Identifier: GPL-3.0-or-later
// A single-line edit with a background and text colour that hold in every state (a disabled
// edit serves as an output field and stays readable), a key-press signal that hands every
// character over before the field takes it and lets a receiver swallow it, and cheap writes for
// texts that change far more often than the screen is refreshed.
#pragma once

#include <QImage>
#include <QLineEdit>
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "ui/widgets/Colour.h"

class QStyleOptionFrame;

namespace ui {

class Edit : public QLineEdit {
  Q_OBJECT

 public:
  explicit Edit(QWidget* parent = nullptr);
  ~Edit() override;

  void SetColor(Colour colour);
  Colour Color() const { return colour_; }
  void SetTextColor(Colour colour);
  Colour TextColor() const { return textColour_; }

  // Deferred texts. The text becomes the field's own at once (CurrentText, Latin1Text); Qt's
  // text (QLineEdit::text) and the screen take it when events are handled next: PumpEvents and
  // RepaintNow hand it over first, and a posted event does when no pump follows. So whenever
  // control is in an event loop, QLineEdit::text() and CurrentText() agree. Writing the text the
  // field holds does nothing. A write through QLineEdit::setText that changes Qt's text drops a
  // waiting one.
  void SetLatin1Text(std::string_view text);
  // The time of day `seconds` after midnight (taken modulo a day) in the user's long time
  // format: the value is the field's at once, its text is made when the field takes it.
  void SetTimeOfDay(int seconds);
  // The field's text, a deferred one included.
  QString CurrentText() const;
  // The same as 8-bit characters, '?' for those beyond Latin-1. Valid until the text changes.
  std::string_view Latin1Text() const;

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
  friend void ShowPendingTexts();
  friend class PanelCacheStyle;
  struct GlyphCells;
  enum class Pending { Nothing, Latin1, TimeOfDay };

  void ApplyPalette();
  void ShowPendingText();
  void TakeTextOfField();
  void List();
  void FollowParent();
  // The frame and background as the style draws them for `option`, on the container's colour.
  const QImage& Panel(const QStyleOptionFrame& option, QRgb background);
  // Paints the field from its panel and the cached glyphs of its text; false where Qt's own
  // painting is needed (a character or a state the cache does not cover).
  bool PaintFromCells();

  Colour colour_ = SysWindow;
  Colour textColour_ = SysWindowText;
  mutable std::string latin1_;
  mutable bool latin1Exact_ = true;  // latin1_ is the field's text itself, not a stand-in
  mutable Pending waiting_ = Pending::Nothing;  // the field does not show its text yet
  int seconds_ = -1;                            // the time of day waiting, as its value
  bool listed_ = false;                         // in the list of ShowPendingTexts
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
  QImage frame_;           // the panel with the text's cells copied in, as last painted
  qint64 framePanel_ = 0;  // the panel frame_ was made from
  QRect frameInk_;         // where frame_ differs from that panel
  QRect panelPlain_;       // the part of the contents where the panel has one colour all through
  qint64 panelPlainKey_ = 0;
  std::shared_ptr<GlyphCells> cells_;  // of the colours last painted in
  std::array<std::shared_ptr<GlyphCells>, 4> cellSets_;
  bool committing_ = false;
};

// Hands every waiting text to its field. PumpEvents, RepaintNow and ShowMessage do this first.
void ShowPendingTexts();

}  // namespace ui
