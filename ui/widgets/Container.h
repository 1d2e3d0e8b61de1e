// SPDX-License-Identifier: GPL-3.0-or-later
// The base of every control that holds others (the window, panels, group boxes): a background
// colour, the insets its aligned children keep, and re-alignment whenever it is resized.
#pragma once

#include <QMargins>
#include <QWidget>
#include <optional>

#include "ui/widgets/Colour.h"

namespace ui {

class Container : public QWidget {
  Q_OBJECT

 public:
  explicit Container(QWidget* parent = nullptr);

  // A container without a colour of its own shows its parent container's colour.
  void SetColor(Colour colour);
  void ClearColor();
  Colour Color() const;
  bool HasOwnColor() const { return colour_.has_value(); }

  // Inside the client area, kept free of aligned children (bevels, frames, caption bands).
  QMargins AlignInsets() const { return insets_; }
  // Outside the client area: the client origin lies this far inside the widget.
  QMargins NonClient() const { return nonClient_; }

 protected:
  void SetAlignInsets(const QMargins& insets);
  void SetNonClient(const QMargins& frame);
  QColor BackgroundColour() const { return ResolveColour(Color()); }

  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<Colour> colour_;
  QMargins insets_;
  QMargins nonClient_;
};

}  // namespace ui
