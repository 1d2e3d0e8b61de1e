// SPDX-License-Identifier: GPL-3.0-or-later
// A multi-line memo: lines of plain text, a background colour, a vertical scroll bar or none,
// and handlers for the pointer entering and leaving it. Tab moves the focus on, as in a form.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <functional>

#include "ui/widgets/Colour.h"

namespace ui {

class Memo : public QPlainTextEdit {
  Q_OBJECT

 public:
  using MouseHandler = std::function<void(QObject* Sender)>;

  explicit Memo(QWidget* parent = nullptr);

  void SetLines(const QStringList& lines);
  QStringList Lines() const;

  void SetColor(Colour colour);
  Colour Color() const { return colour_; }
  void SetVerticalScrollBar(bool shown);

  void SetMouseEnterHandler(MouseHandler handler) { enter_ = std::move(handler); }
  void SetMouseLeaveHandler(MouseHandler handler) { leave_ = std::move(handler); }

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  Colour colour_ = SysWindow;
  MouseHandler enter_;
  MouseHandler leave_;
};

}  // namespace ui
