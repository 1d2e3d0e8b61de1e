// SPDX-License-Identifier: GPL-3.0-or-later
// A multi-line memo: lines of plain text, a background colour, a vertical scroll bar or none,
// and signals for the pointer entering and leaving it. Tab moves the focus on, as in a form.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>

#include "ui/widgets/Colour.h"

namespace ui {

class Memo : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit Memo(QWidget* parent = nullptr);

  void SetLines(const QStringList& lines);
  QStringList Lines() const;

  void SetColor(Colour colour);
  Colour Color() const { return colour_; }
  void SetVerticalScrollBar(bool shown);

 signals:
  void MouseEnter(QObject* Sender);
  void MouseLeave(QObject* Sender);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  Colour colour_ = SysWindow;
};

}  // namespace ui
