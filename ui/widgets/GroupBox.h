// SPDX-License-Identifier: GPL-3.0-or-later
// A group box: a framed container with its caption set into the top edge of the frame. Its
// aligned children keep 2 pixels from the frame and 18 pixels from the top (the caption band).
#pragma once

#include <QString>

#include "ui/widgets/Container.h"

namespace ui {

class GroupBox : public Container {
  Q_OBJECT

 public:
  explicit GroupBox(QWidget* parent = nullptr);

  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};

}  // namespace ui
