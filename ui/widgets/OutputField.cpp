// SPDX-License-Identifier: GPL-3.0-or-later
// The result field: its texts that wait for the next event pump, its panel drawn once per size,
// state and palette, its text painted from the cached glyphs of the few characters it shows, and
// a line edit that is never shown for everything else.
#include "ui/widgets/OutputField.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "ui/widgets/Container.h"
#include "ui/widgets/FieldLook.h"
#include "ui/widgets/FieldsOnScreen.h"
#include "ui/widgets/GlyphCells.h"
#include "ui/widgets/TimeText.h"

namespace ui {

namespace {

std::vector<OutputField*>& Waiting() {
  static std::vector<OutputField*> fields;
  return fields;
}

// The fields whose shown text changed in one pass of ShowPendingTexts.
std::vector<OutputField*>& Changed() {
  static std::vector<OutputField*> fields;
  return fields;
}

void Forget(std::vector<OutputField*>& fields, const OutputField* field) {
  fields.erase(std::remove(fields.begin(), fields.end(), field), fields.end());
}

// Receives one posted event while texts wait, so that they reach the screen even when no pump
// follows (a text written outside a run).
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

// Qt's line edit with its style option in reach: the panel is drawn from the option it makes.
class StandInEdit : public QLineEdit {
 public:
  using QLineEdit::initStyleOption;
};

QString FromLatin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// `area` shrunk row by row and column by column from its edges until its pixels all have the
// colour `base` (the inside of a frame); empty where another colour lies inside.
QRect PlainPart(const QImage& image, QRect area, QRgb base) {
  const auto plainRow = [&](int y, int left, int right) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    return std::all_of(line + left, line + right + 1, [&](QRgb p) { return p == base; });
  };
  const auto plainColumn = [&](int x, int top, int bottom) {
    for (int y = top; y <= bottom; ++y)
      if (reinterpret_cast<const QRgb*>(image.constScanLine(y))[x] != base) return false;
    return true;
  };
  area &= image.rect();
  bool shrunk = true;
  while (!area.isEmpty() && shrunk) {
    shrunk = false;
    if (!plainRow(area.top(), area.left(), area.right())) {
      area.setTop(area.top() + 1);
      shrunk = true;
    } else if (!plainRow(area.bottom(), area.left(), area.right())) {
      area.setBottom(area.bottom() - 1);
      shrunk = true;
    } else if (!plainColumn(area.left(), area.top(), area.bottom())) {
      area.setLeft(area.left() + 1);
      shrunk = true;
    } else if (!plainColumn(area.right(), area.top(), area.bottom())) {
      area.setRight(area.right() - 1);
      shrunk = true;
    }
  }
  for (int y = area.top(); y <= area.bottom(); ++y)
    if (!plainRow(y, area.left(), area.right())) return {};  // another colour inside: none
  return area;
}

// Qt's line edit keeps its text this far inside the contents rectangle.
constexpr int LineEditHorizontalMargin = 2;
constexpr int LineEditVerticalMargin = 1;

}  // namespace

OutputField::OutputField(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setEnabled(false);
  SetFieldColours(*this, colour_, textColour_);
  FollowContainer(*this);
}

OutputField::~OutputField() {
  Forget(Waiting(), this);
  Forget(Changed(), this);
}

void OutputField::SetColor(Colour colour) {
  colour_ = colour;
  SetFieldColours(*this, colour_, textColour_);
}

void OutputField::SetTextColor(Colour colour) {
  textColour_ = colour;
  SetFieldColours(*this, colour_, textColour_);
}

void OutputField::SetAlignment(Qt::Alignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  standInStale_ = true;
  update();
}

void OutputField::SetText(const QString& text) {
  waiting_ = Pending::Nothing;
  seconds_ = -1;
  latin1Exact_ = CopyLatin1(text, latin1_);
  if (Take(text)) update();
}

QString OutputField::CurrentText() const {
  switch (waiting_) {
    case Pending::Latin1: return FromLatin1(latin1_);
    case Pending::TimeOfDay: return LongTimeText(seconds_);
    case Pending::Nothing: break;
  }
  return text_;
}

std::string_view OutputField::Latin1Text() const {
  if (waiting_ == Pending::TimeOfDay) CopyLatin1(LongTimeText(seconds_), latin1_);
  return latin1_;
}

void OutputField::SetLatin1Text(std::string_view text) {
  if (text == latin1_ &&
      (waiting_ == Pending::Latin1 || (waiting_ == Pending::Nothing && latin1Exact_)))
    return;
  latin1_.assign(text.data(), text.size());
  latin1Exact_ = true;
  waiting_ = Pending::Latin1;
  List();
}

void OutputField::SetTimeOfDay(int seconds) {
  constexpr int Day = 86400;
  seconds = (seconds % Day + Day) % Day;
  // seconds_ names the time the field waits for or shows, until its text changes otherwise.
  if (seconds == seconds_ && waiting_ != Pending::Latin1) return;
  seconds_ = seconds;
  waiting_ = Pending::TimeOfDay;
  List();
}

void OutputField::List() {
  if (listed_) return;
  listed_ = true;
  Waiting().push_back(this);
  TextShower::Post();
}

bool OutputField::ShowPendingText() {
  bool changed = false;
  switch (waiting_) {
    case Pending::Nothing: return false;
    case Pending::Latin1:
      seconds_ = -1;
      changed = Take(FromLatin1(latin1_));
      break;
    case Pending::TimeOfDay:
      changed = Take(LongTimeText(seconds_));
      latin1Exact_ = CopyLatin1(text_, latin1_);
      break;
  }
  waiting_ = Pending::Nothing;
  return changed;
}

bool OutputField::Take(const QString& text) {
  if (text == text_) return false;
  const QString old = std::exchange(text_, text);
  if (QAccessible::isActive()) {
    QAccessibleTextUpdateEvent changed(this, 0, old, text_);
    QAccessible::updateAccessibility(&changed);
  }
  emit TextChanged(text_);
  return true;
}

bool OutputField::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ParentChange:
      FollowContainer(*this);
      lookStale_ = true;
      break;
    case QEvent::FontChange:  // the cells belong to a font
      cells_.reset();
      cellSets_ = {};
      standInStale_ = true;
      lookStale_ = true;
      break;
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::Resize:
      standInStale_ = true;
      lookStale_ = true;
      break;
    case QEvent::StyleChange:  // a new style may stand where an old one stood
      panel_ = QImage();
      standInStale_ = true;
      lookStale_ = true;
      break;
    case QEvent::ContentsRectChange: lookStale_ = true; break;
    default: break;
  }
  return QWidget::event(event);
}

QLineEdit& OutputField::StandIn() {
  if (!standIn_) standIn_ = std::make_unique<StandInEdit>();
  if (standInStale_) {
    standInStale_ = false;
    QLineEdit& s = *standIn_;
    if (s.style() != style()) s.setStyle(style());
    s.setFont(font());
    s.setPalette(palette());
    s.setAlignment(alignment_);
    s.setEnabled(isEnabled());
    s.setLayoutDirection(layoutDirection());
    s.resize(size());
  }
  return *standIn_;
}

QStyleOptionFrame OutputField::PanelOption() {
  // The option Qt's line edit makes, with the state of this field, which is the one on screen.
  QStyleOptionFrame option;
  static_cast<const StandInEdit&>(StandIn()).initStyleOption(&option);
  const QStyle::State ownState = option.state & (QStyle::State_Sunken | QStyle::State_ReadOnly);
  option.initFrom(this);
  option.rect = contentsRect();
  option.state |= ownState;
  return option;
}

const QStyleOptionFrame& OutputField::Look() {
  const QWidget* w = window();
  const int state = int(hasFocus()) | int(underMouse()) << 1 | int(w->isActiveWindow()) << 2 |
                    int(w->testAttribute(Qt::WA_KeyboardFocusChange)) << 3;
  if (!look_ || lookStale_ || state != lookState_) {
    look_ = PanelOption();
    lookContents_ =
        style()->subElementRect(QStyle::SE_LineEditContents, &*look_, standIn_.get()) & rect();
    lookState_ = state;
    lookStale_ = false;
  }
  return *look_;
}

const QImage& OutputField::Panel(const QStyleOptionFrame& option, QRgb background) {
  const PanelKey key{style(),
                     option.rect,
                     static_cast<int>(option.state),
                     static_cast<int>(option.direction),
                     option.palette.cacheKey(),
                     option.lineWidth,
                     option.midLineWidth,
                     static_cast<int>(option.features),
                     background};
  if (!(key == panelKey_) || panel_.isNull()) {
    QImage panel(option.rect.size(), QImage::Format_RGB32);
    panel.fill(background);
    QPainter p(&panel);
    p.translate(-option.rect.topLeft());
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &p, standIn_.get());
    p.end();
    panel_ = panel;
    panelKey_ = key;
  }
  return panel_;
}

void OutputField::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (painter.transform().isIdentity()) {
    if (const QImage* picture = Picture()) {
      painter.drawImage(0, 0, *picture);
      return;
    }
  }
  // Qt's line edit paints it into a picture of the field: on the container's colour, as the
  // cells' frame has it, or on nothing, to be laid over what is behind.
  QLineEdit& standIn = StandIn();
  if (standIn.text() != text_) standIn.setText(text_);
  const qreal ratio = devicePixelRatioF();
  const Container* container = ContainerBehind(*this);
  QImage picture((QSizeF(size()) * ratio).toSize(),
                 container != nullptr ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(ratio);
  if (container != nullptr) {
    picture.fill(ResolveColour(container->Color()));
  } else {
    picture.fill(Qt::transparent);
  }
  standIn.render(&picture, QPoint(), QRegion(), QWidget::RenderFlags());
  painter.drawImage(0, 0, picture);
}

const QImage* OutputField::Picture() {
  const Container* container = ContainerBehind(*this);
  if (container == nullptr || layoutDirection() != Qt::LeftToRight || devicePixelRatio() != 1)
    return nullptr;
  const QStyleOptionFrame& option = Look();
  if (option.rect != rect() || rect().isEmpty()) return nullptr;
  const QImage& panel = Panel(option, ResolveColour(container->Color()).rgb());
  const QRect r = lookContents_;
  if (r.isEmpty()) return nullptr;
  // The cells are drawn on the panel's colour inside the contents; ink is copied only where the
  // panel has that colour all through.
  const QRgb base = panel.pixel(r.center());
  if (panelPlain_.isNull() || panelPlainKey_ != panel.cacheKey()) {
    panelPlain_ = PlainPart(panel, r, base);
    panelPlainKey_ = panel.cacheKey();
  }
  const QRgb ink = palette().text().color().rgb();
  if (!cells_ || cells_->Text() != ink || cells_->Base() != base) {
    // The sets of the last few colours stay with the field: the altitude turns lime and red
    // again and again.
    cells_.reset();
    for (const auto& set : cellSets_)
      if (set && set->Text() == ink && set->Base() == base) cells_ = set;
    if (!cells_) {
      cells_ = GlyphCells::For(font(), logicalDpiY(), ink, base);
      std::rotate(cellSets_.rbegin(), cellSets_.rbegin() + 1, cellSets_.rend());
      cellSets_.front() = cells_;
    }
  }

  int width = 0;  // 64ths of a pixel
  double overhang = 0;
  double inkTop = 0;
  double inkBottom = 0;
  for (qsizetype i = 0; i < text_.size(); ++i) {
    const int c = cells_->Find(text_.at(i).unicode());
    if (c < 0) return nullptr;
    const GlyphCells::Character& character = cells_->Of(c);
    width += character.advance;
    overhang = character.overhang;
    inkTop = i == 0 ? character.inkTop : std::min(inkTop, character.inkTop);
    inkBottom = i == 0 ? character.inkBottom : std::max(inkBottom, character.inkBottom);
  }
  // Where Qt's line edit puts the text: its height is the line's unless the ink is taller, its
  // vertical place follows the alignment, and a text that fits is aligned by its width (the
  // advances, and the last glyph's ink beyond its advance) plus one.
  const int lineHeight = cells_->LineHeight();
  const int height = text_.isEmpty()
                         ? lineHeight
                         : std::max(static_cast<int>(std::lround(inkBottom - inkTop)), lineHeight);
  const Qt::Alignment align = QStyle::visualAlignment(Qt::LeftToRight, alignment_);
  int top;
  switch (align & Qt::AlignVertical_Mask) {
    case Qt::AlignBottom: top = r.y() + r.height() - height - LineEditVerticalMargin; break;
    case Qt::AlignTop: top = r.y() + LineEditVerticalMargin; break;
    default: top = r.y() + (r.height() - height + 1) / 2; break;
  }
  const QRect line(r.x() + LineEditHorizontalMargin, top, r.width() - 2 * LineEditHorizontalMargin,
                   height);
  const int used = static_cast<int>(std::lround(width / double(GlyphCells::Phases) + overhang)) + 1;
  if (used > line.width()) return nullptr;
  int scroll = 0;
  switch (align & ~(Qt::AlignAbsolute | Qt::AlignVertical_Mask)) {
    case Qt::AlignRight: scroll = used - line.width() + 1; break;
    case Qt::AlignHCenter: scroll = (used - line.width()) / 2; break;
    default: break;
  }

  // The frame: the panel, where the last text was copied in the panel again, then this text's
  // cells, each clipped to the contents, and the columns that neighbours share over them.
  if (frame_.size() != panel.size() || frame_.format() != panel.format() ||
      framePanel_ != panel.cacheKey()) {
    frame_ = panel.copy();
    framePanel_ = panel.cacheKey();
    frameInk_ = QRect();
  }
  uchar* const frameBits = frame_.bits();
  const qsizetype frameLine = frame_.bytesPerLine();
  if (!frameInk_.isEmpty()) {
    const qsizetype offset =
        frameInk_.top() * frameLine + frameInk_.left() * qsizetype(sizeof(QRgb));
    const uchar* from = panel.constBits() + offset;
    uchar* to = frameBits + offset;
    const std::size_t bytes = static_cast<std::size_t>(frameInk_.width()) * sizeof(QRgb);
    for (int y = frameInk_.top(); y <= frameInk_.bottom(); ++y, from += frameLine, to += frameLine)
      std::memcpy(to, from, bytes);
  }
  frameInk_ = QRect();
  const QRect plain = panelPlain_ & r;
  const auto copy = [&](const GlyphCells::Cell& cell, int pixel) {
    const QRect place = cell.ink.translated(pixel, line.y());
    if (place.left() < plain.left() || place.right() > plain.right() || place.top() < plain.top() ||
        place.bottom() > plain.bottom())
      return false;
    const uchar* from = cell.image.constBits();
    const qsizetype fromLine = cell.image.bytesPerLine();
    uchar* to = frameBits + place.top() * frameLine + place.left() * qsizetype(sizeof(QRgb));
    const std::size_t bytes = static_cast<std::size_t>(place.width()) * sizeof(QRgb);
    for (int y = place.top(); y <= place.bottom(); ++y, from += fromLine, to += frameLine)
      std::memcpy(to, from, bytes);
    frameInk_ |= place;
    return true;
  };
  int position = (line.x() - scroll) * GlyphCells::Phases;
  int previous = -1;
  int previousPosition = 0;
  int inkEnd = std::numeric_limits<int>::min();  // the column after the last glyph's ink
  for (const QChar ch : text_) {
    const int c = cells_->Find(ch.unicode());
    const int phase = position & (GlyphCells::Phases - 1);
    const int pixel = (position - phase) / GlyphCells::Phases;
    const GlyphCells::Cell& cell = cells_->At(c, phase);
    if (!cell.ok) return nullptr;
    if (!cell.ink.isEmpty()) {
      if (!copy(cell, pixel)) return nullptr;
      if (cell.ink.left() + pixel < inkEnd) {
        // Ink of two glyphs in one column: the pair as Qt blends it, over both.
        const int previousPhase = previousPosition & (GlyphCells::Phases - 1);
        const GlyphCells::Cell& pair = cells_->Pair(previous, previousPhase, c);
        if (!pair.ok || !copy(pair, (previousPosition - previousPhase) / GlyphCells::Phases))
          return nullptr;
      }
      inkEnd = cell.ink.right() + pixel + 1;
    }
    previous = c;
    previousPosition = position;
    position += cells_->Of(c).advance;
  }
  return &frame_;
}

void ShowPendingTexts() {
  // A field that takes its text may make another one write: that one is listed anew and taken in
  // the same pass. The list keeps its room from one pump to the next.
  auto& fields = Waiting();
  auto& changed = Changed();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    OutputField* field = fields[i];
    field->listed_ = false;
    if (field->ShowPendingText() &&
        std::find(changed.begin(), changed.end(), field) == changed.end())
      changed.push_back(field);
  }
  fields.clear();
  // The changed fields reach the screen together.
  ShowOnScreen(changed);
  changed.clear();
}

}  // namespace ui
