// SPDX-License-Identifier: GPL-3.0-or-later
// The edit: palette in all colour groups, the character hand-over to the key-press handler, the
// texts that wait for the next event pump, and the opaque background inside a container.
#include "ui/widgets/Edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <vector>

#include "ui/widgets/Container.h"

namespace ui {

namespace {

std::vector<Edit*>& Waiting() {
  static std::vector<Edit*> edits;
  return edits;
}

// Receives one posted event while texts wait, so that they reach the screen even when no pump
// follows (after the last step of a run).
class TextShower : public QObject {
 public:
  static void Post() {
    static TextShower* shower = nullptr;
    if (shower == nullptr) {
      if (qApp == nullptr) return;
      shower = new TextShower;
      // Deleted with the application; a later application gets a new one.
      shower->setParent(qApp);
      QObject::connect(shower, &QObject::destroyed, [] { shower = nullptr; });
    }
    if (shower->posted_) return;
    shower->posted_ = true;
    QCoreApplication::postEvent(shower, new QEvent(Type()));
  }

  bool event(QEvent* event) override {
    if (event->type() != Type()) return QObject::event(event);
    posted_ = false;
    ShowPendingTexts();
    return true;
  }

 private:
  static QEvent::Type Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }

  bool posted_ = false;
};

// Returns whether every character was Latin-1, so that the copy is the text itself.
bool CopyLatin1(const QString& text, std::string& out) {
  out.resize(static_cast<std::size_t>(text.size()));
  bool exact = true;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    exact = exact && c < 0x100;
    out[static_cast<std::size_t>(i)] = c < 0x100 ? static_cast<char>(c) : '?';
  }
  return exact;
}

}  // namespace

// The application's style, except that an opaque edit's panel is drawn once per size, state and
// palette and copied afterwards. The copy holds the same pixels: the panel is drawn onto the
// container's colour, which the edit has painted under it just before.
class PanelCacheStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  static QStyle* Instance() {
    static QPointer<PanelCacheStyle> style;
    if (style.isNull() && qApp != nullptr) {
      style = new PanelCacheStyle(QApplication::style()->name());
      style->setParent(qApp);
    }
    return style.data();
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    auto* edit = qobject_cast<Edit*>(const_cast<QWidget*>(widget));
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const auto* parent = edit != nullptr ? qobject_cast<const Container*>(edit->parentWidget()) : nullptr;
    if (element != PE_PanelLineEdit || frame == nullptr || parent == nullptr ||
        !edit->testAttribute(Qt::WA_OpaquePaintEvent) || option->rect.isEmpty() ||
        painter->device()->devicePixelRatio() != 1 || !painter->transform().isIdentity()) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    const QRgb background = ResolveColour(parent->Color()).rgb();
    const Edit::PanelKey key{option->rect,
                             static_cast<int>(option->state),
                             static_cast<int>(option->direction),
                             option->palette.cacheKey(),
                             frame->lineWidth,
                             frame->midLineWidth,
                             static_cast<int>(frame->features),
                             background};
    if (!(key == edit->panelKey_) || edit->panel_.isNull()) {
      QImage panel(option->rect.size(), QImage::Format_RGB32);
      panel.fill(background);
      QPainter p(&panel);
      p.translate(-option->rect.topLeft());
      QProxyStyle::drawPrimitive(element, option, &p, widget);
      p.end();
      edit->panel_ = panel;
      edit->panelKey_ = key;
    }
    painter->drawImage(option->rect.topLeft(), edit->panel_);
  }
};

Edit::Edit(QWidget* parent) : QLineEdit(parent) {
  ApplyPalette();
  FollowParent();
  if (QStyle* style = PanelCacheStyle::Instance()) setStyle(style);
  // Typing, undo and writes through QLineEdit itself all pass here.
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (committing_) return;
    pending_ = false;
    TakeTextOfField();
  });
}

Edit::~Edit() {
  auto& edits = Waiting();
  edits.erase(std::remove(edits.begin(), edits.end(), this), edits.end());
}

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

QString Edit::text() const {
  if (pending_) return QString::fromLatin1(latin1_.data(), static_cast<qsizetype>(latin1_.size()));
  return QLineEdit::text();
}

void Edit::setText(const QString& text) {
  pending_ = false;
  QLineEdit::setText(text);
  TakeTextOfField();  // also when the text was the same and no change was signalled
}

void Edit::SetLatin1Text(std::string_view text) {
  if (text == latin1_ && (pending_ || latin1Exact_)) return;
  latin1_.assign(text.data(), text.size());
  latin1Exact_ = true;
  pending_ = true;
  if (listed_) return;
  listed_ = true;
  Waiting().push_back(this);
  TextShower::Post();
}

void Edit::ShowPendingText() {
  if (!pending_) return;
  pending_ = false;
  committing_ = true;
  QLineEdit::setText(QString::fromLatin1(latin1_.data(), static_cast<qsizetype>(latin1_.size())));
  committing_ = false;
}

void Edit::TakeTextOfField() { latin1Exact_ = CopyLatin1(QLineEdit::text(), latin1_); }

void Edit::FollowParent() {
  // Inside a container the edit paints its corners in the container's colour itself, so that
  // a new text repaints the field alone and not the group boxes and panels behind it.
  setAttribute(Qt::WA_OpaquePaintEvent, qobject_cast<Container*>(parentWidget()) != nullptr);
}

bool Edit::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) FollowParent();
  return QLineEdit::event(event);
}

void Edit::paintEvent(QPaintEvent* event) {
  if (testAttribute(Qt::WA_OpaquePaintEvent)) {
    if (const auto* parent = qobject_cast<const Container*>(parentWidget())) {
      QPainter painter(this);
      painter.fillRect(event->rect(), ResolveColour(parent->Color()));
    }
  }
  QLineEdit::paintEvent(event);
}

void Edit::keyPressEvent(QKeyEvent* event) {
  ShowPendingText();
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

void ShowPendingTexts() {
  std::vector<Edit*> edits;
  edits.swap(Waiting());
  for (Edit* edit : edits) {
    edit->listed_ = false;
    edit->ShowPendingText();
  }
}

}  // namespace ui
