// SPDX-License-Identifier: GPL-3.0-or-later
// A result field: a disabled single-line edit that only the program writes. It looks, pixel for
// pixel, like Qt's line edit in the same place, and assistive technology reads it as read-only
// text. A run writes it at every step and the screen shows it at every tenth, so a write only
// keeps the text, and the field takes it when events are handled next: a number or a time of
// day is painted from cached glyphs, without Qt laying the text out.
#pragma once

#include <QImage>
#include <QStyleOptionFrame>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/widgets/Colour.h"

class QLineEdit;
class QStyle;

namespace ui {

class GlyphCells;

class OutputField : public QWidget {
  Q_OBJECT

 public:
  explicit OutputField(QWidget* parent = nullptr);
  ~OutputField() override;

  void SetColor(Colour colour);
  Colour Color() const { return colour_; }
  void SetTextColor(Colour colour);
  Colour TextColor() const { return textColour_; }
  void SetAlignment(Qt::Alignment alignment);
  Qt::Alignment Alignment() const { return alignment_; }

  // The text the field shows, on the screen and to assistive technology.
  QString Text() const { return text_; }
  // Shows `text` at once, dropping a text that waits.
  void SetText(const QString& text);

  // Deferred texts. The text becomes the field's own at once (CurrentText, Latin1Text); the
  // screen and assistive technology (Text) take it when events are handled next: PumpEvents and
  // RepaintNow hand it over first, and a posted event does when no pump follows. So whenever
  // control is in an event loop, Text() and CurrentText() agree. Writing the text the field
  // holds does nothing.
  void SetLatin1Text(std::string_view text);
  // The time of day `seconds` after midnight (taken modulo a day) in the user's long time
  // format: the value is the field's at once, its text is made when the field takes it.
  void SetTimeOfDay(int seconds);
  // The field's text, a deferred one included.
  QString CurrentText() const;
  // The same as 8-bit characters, '?' for those beyond Latin-1. Valid until the text changes.
  std::string_view Latin1Text() const;

  // The field as its paint shows it, made from its panel and the cached glyphs of its text; null
  // where only Qt's line edit can paint it (a character or a place the cells do not cover).
  const QImage* Picture();

 signals:
  // The text shown changed.
  void TextChanged(const QString& text);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  friend void ShowPendingTexts();
  enum class Pending { Nothing, Latin1, TimeOfDay };
  // The frame and background as the style draws them, with what they were drawn from: a new
  // text repaints over a copy instead of drawing them again.
  struct PanelKey {
    const QStyle* style = nullptr;
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

  void List();
  // Takes the waiting text; true when the text shown changed.
  bool ShowPendingText();
  // Makes `text` the one shown; true when it differs from the last one. The caller repaints.
  bool Take(const QString& text);
  // Qt's line edit, never shown, set up as this field (its text aside): the style draws the
  // panel for it, and it paints the texts that the glyph cells do not cover.
  QLineEdit& StandIn();
  QStyleOptionFrame PanelOption();
  // The panel's option, kept with the contents rectangle the style gives it (lookContents_)
  // until something they are made from changes: an event says so for the size, palette, font,
  // style, enabled state and direction; focus, pointer and activation are compared here.
  const QStyleOptionFrame& Look();
  const QImage& Panel(const QStyleOptionFrame& option, QRgb background);

  Colour colour_ = SysWindow;
  Colour textColour_ = SysWindowText;
  Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
  QString text_;
  mutable std::string latin1_;
  bool latin1Exact_ = true;             // latin1_ is the field's text itself, not a stand-in
  Pending waiting_ = Pending::Nothing;  // the field does not show its text yet
  int seconds_ = -1;                    // the time of day waiting or shown, as its value
  bool listed_ = false;                 // in the list of ShowPendingTexts
  std::unique_ptr<QLineEdit> standIn_;
  bool standInStale_ = true;  // the stand-in does not look like the field yet
  std::optional<QStyleOptionFrame> look_;
  QRect lookContents_;
  int lookState_ = 0;
  bool lookStale_ = true;
  QImage panel_;
  PanelKey panelKey_;
  QImage frame_;           // the panel with the text's cells copied in, as last painted
  qint64 framePanel_ = 0;  // the panel frame_ was made from
  QRect frameInk_;         // where frame_ differs from that panel
  QRect panelPlain_;       // the part of the contents where the panel has one colour all through
  qint64 panelPlainKey_ = 0;
  std::shared_ptr<GlyphCells> cells_;  // of the colours last painted in
  std::array<std::shared_ptr<GlyphCells>, 4> cellSets_;
};

// Hands every waiting text to its field. PumpEvents, RepaintNow and ShowMessage do this first.
void ShowPendingTexts();

}  // namespace ui
