// SPDX-License-Identifier: GPL-3.0-or-later
// The edit: palette in all colour groups, the key-press signal, the texts that wait for the next
// event pump, the opaque background inside a container, and the output field painted from the
// cached glyphs of the few characters it shows.
#include "ui/widgets/Edit.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <vector>

#include "ui/widgets/Container.h"
#include "ui/widgets/Services.h"

namespace ui {

namespace {

std::vector<Edit*>& Waiting() {
  static std::vector<Edit*> edits;
  return edits;
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

// The characters of numbers and times of day: the only ones a result field paints from cells.
constexpr std::string_view CellCharacters = "0123456789-:";

// Qt's line edit keeps its text this far inside the contents rectangle.
constexpr int LineEditHorizontalMargin = 2;
constexpr int LineEditVerticalMargin = 1;

}  // namespace

// The glyphs of the cell characters in one font, text colour and background, each as Qt draws it
// alone at each fraction of a pixel it may start at, cut to its ink; and, where two neighbours'
// ink meets in a pixel column, those columns as Qt draws the pair. Qt blends each glyph onto the
// background in turn, so a column ends up as the glyphs with ink in it leave it: copying the
// cells of a text side by side, and the pairs' shared columns over them, gives what Qt draws for
// the whole text, where no kerning joins two characters (the text's advances are its
// characters' own, which the set checks once).
struct Edit::GlyphCells {
  static constexpr int Phases = 64;  // positions are kept in 64ths of a pixel
  struct Cell {
    bool made = false;
    bool ok = false;
    QRect ink;  // from the start pixel and the line's top; empty for a blank glyph
    QImage image;
  };
  struct Character {
    bool ok = false;
    int advance = 0;    // 64ths of a pixel
    double inkTop = 0;  // the glyph's ink from the baseline (negative above it), as Qt measures it
    double inkBottom = 0;
    double overhang =
        0;  // how far the ink reaches beyond the advance: a last glyph's widens the line
    std::array<Cell, Phases> cells;
  };

  QString fontKey;
  int dpi = 0;
  QRgb text = 0;
  QRgb base = 0;
  int lineHeight = 0;

  // The set of these, shared by the fields that show them. Only fields own sets, so that none
  // outlives the fonts of the application.
  static std::shared_ptr<GlyphCells> For(const QFont& font, int dpi, QRgb text, QRgb base) {
    static std::vector<std::weak_ptr<GlyphCells>> made;
    made.erase(std::remove_if(made.begin(), made.end(), [](const auto& c) { return c.expired(); }),
               made.end());
    const QString key = font.key();
    for (const auto& weak : made) {
      auto c = weak.lock();
      if (c->dpi == dpi && c->text == text && c->base == base && c->fontKey == key) return c;
    }
    auto cells = std::make_shared<GlyphCells>();
    cells->fontKey = key;
    cells->dpi = dpi;
    cells->text = text;
    cells->base = base;
    cells->font_ = font;
    cells->Measure();
    made.push_back(cells);
    return cells;
  }

  // The character's index in the set, or -1 where it has no cells.
  int Find(char16_t c) const { return c < index_.size() ? index_[c] : -1; }
  const Character& Of(int index) const { return characters_[static_cast<std::size_t>(index)]; }

  // The cell of a character starting `phase` 64ths of a pixel right of a pixel's edge.
  const Cell& At(int index, int phase) {
    Cell& cell =
        characters_[static_cast<std::size_t>(index)].cells[static_cast<std::size_t>(phase)];
    if (!cell.made) {
      cell.made = true;
      const QString glyph{QLatin1Char(CellCharacters[static_cast<std::size_t>(index)])};
      if (Draw(glyph, phase, cell.ink, cell.image)) cell.ok = true;
    }
    return cell;
  }

  // The columns two neighbours share, as Qt draws the pair; the first starts at `phase`.
  const Cell& Pair(int first, int phase, int second) {
    Cell& cell =
        pairs_[(first * Phases + phase) * static_cast<int>(CellCharacters.size()) + second];
    if (!cell.made) {
      cell.made = true;
      const Cell& left = At(first, phase);
      const int secondPosition = phase + Of(first).advance;
      const Cell& right = At(second, secondPosition % Phases);
      QRect ink;
      QImage image;
      const QString glyphs = QString(QLatin1Char(CellCharacters[static_cast<std::size_t>(first)])) +
                             QLatin1Char(CellCharacters[static_cast<std::size_t>(second)]);
      if (left.ok && right.ok && Draw(glyphs, phase, ink, image)) {
        const QRect rightInk = right.ink.translated(secondPosition / Phases, 0);
        const QRect shared(rightInk.left(), ink.top(), left.ink.right() - rightInk.left() + 1,
                           ink.height());
        cell.ink = shared;
        if (!shared.isEmpty()) cell.image = image.copy(shared.translated(-ink.topLeft()));
        cell.ok = true;
      }
    }
    return cell;
  }

 private:
  QImage Canvas(int width, int height) const {
    QImage canvas(width, height, QImage::Format_RGB32);
    // The field's resolution, so that a font given in points gets the same size.
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    canvas.setDotsPerMeterX(dotsPerMeter);
    canvas.setDotsPerMeterY(dotsPerMeter);
    return canvas;
  }

  void Measure() {
    const QImage probe = Canvas(1, 1);
    const QFontMetricsF metrics(font_, &probe);
    lineHeight = QFontMetrics(font_, &probe).height();
    ascent_ = metrics.ascent();
    for (const char a : CellCharacters) {
      for (const char b : CellCharacters) {
        const QString pair = QString(QLatin1Char(a)) + QLatin1Char(b);
        if (metrics.horizontalAdvance(pair) !=
            metrics.horizontalAdvance(QLatin1Char(a)) + metrics.horizontalAdvance(QLatin1Char(b)))
          return;  // kerned: no cells at all
      }
    }
    for (std::size_t i = 0; i < CellCharacters.size(); ++i) {
      Character& c = characters_[i];
      const double advance = metrics.horizontalAdvance(QLatin1Char(CellCharacters[i])) * Phases;
      if (advance <= 0 || advance != std::floor(advance)) continue;
      c.advance = static_cast<int>(advance);
      const QRectF ink = metrics.boundingRect(QLatin1Char(CellCharacters[i]));
      c.inkTop = ink.top();
      c.inkBottom = ink.bottom();
      c.overhang = std::max(0.0, -metrics.rightBearing(QLatin1Char(CellCharacters[i])));
      c.ok = true;
      index_[static_cast<unsigned char>(CellCharacters[i])] = static_cast<signed char>(i);
    }
  }

  // Draws `glyphs` as Qt draws them from `phase` 64ths right of a pixel's edge on the line's top
  // left; `ink` is where it differs from the background, from that pixel, and `image` holds it.
  // False where the ink may reach beyond what was drawn.
  bool Draw(const QString& glyphs, int phase, QRect& ink, QImage& image) const {
    const int pad = lineHeight;
    QImage canvas =
        Canvas(2 * pad + lineHeight * static_cast<int>(glyphs.size()), lineHeight + 2 * pad);
    canvas.fill(base);
    QPainter painter(&canvas);
    painter.setFont(font_);
    painter.setPen(QColor::fromRgb(text));
    painter.drawText(QPointF(pad + phase / double(Phases), pad + ascent_), glyphs);
    painter.end();
    int left = canvas.width();
    int right = -1;
    int top = canvas.height();
    int bottom = -1;
    for (int y = 0; y < canvas.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
      for (int x = 0; x < canvas.width(); ++x) {
        if (line[x] == base) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    ink = right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    if (!ink.isEmpty() && !canvas.rect().adjusted(1, 1, -1, -1).contains(ink)) return false;
    if (!ink.isEmpty()) image = canvas.copy(ink);
    ink.translate(-pad, -pad);
    return true;
  }

  QFont font_;
  double ascent_ = 0;
  std::array<Character, CellCharacters.size()> characters_;
  std::array<signed char, 128> index_ = MakeNoIndex();
  std::unordered_map<int, Cell> pairs_;

  static constexpr std::array<signed char, 128> MakeNoIndex() {
    std::array<signed char, 128> none{};
    for (signed char& i : none) i = -1;
    return none;
  }
};

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

  // Whether the panel of `edit` for `option` comes from the edit's cache.
  static bool Cached(const Edit* edit, const QStyleOption* option, const QPainter* painter) {
    return edit != nullptr && qobject_cast<const Container*>(edit->parentWidget()) != nullptr &&
           edit->testAttribute(Qt::WA_OpaquePaintEvent) && !option->rect.isEmpty() &&
           painter->device()->devicePixelRatio() == 1 && painter->transform().isIdentity();
  }

  void DrawUncached(const QStyleOption* option, QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawPrimitive(PE_PanelLineEdit, option, painter, widget);
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    auto* edit = qobject_cast<Edit*>(const_cast<QWidget*>(widget));
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element != PE_PanelLineEdit || frame == nullptr || !Cached(edit, option, painter)) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    const auto* parent = static_cast<const Container*>(edit->parentWidget());
    painter->drawImage(option->rect.topLeft(),
                       edit->Panel(*frame, ResolveColour(parent->Color()).rgb()));
  }
};

Edit::Edit(QWidget* parent) : QLineEdit(parent) {
  ApplyPalette();
  FollowParent();
  if (QStyle* style = PanelCacheStyle::Instance()) setStyle(style);
  // Typing, undo and writes through QLineEdit itself all pass here.
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (committing_) return;
    waiting_ = Pending::Nothing;
    seconds_ = -1;
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

QString Edit::CurrentText() const {
  switch (waiting_) {
    case Pending::Latin1: return FromLatin1(latin1_);
    case Pending::TimeOfDay: return LongTimeText(seconds_);
    case Pending::Nothing: break;
  }
  return QLineEdit::text();
}

std::string_view Edit::Latin1Text() const {
  if (waiting_ == Pending::TimeOfDay) latin1Exact_ = CopyLatin1(LongTimeText(seconds_), latin1_);
  return latin1_;
}

void Edit::SetLatin1Text(std::string_view text) {
  if (text == latin1_ &&
      (waiting_ == Pending::Latin1 || (waiting_ == Pending::Nothing && latin1Exact_)))
    return;
  latin1_.assign(text.data(), text.size());
  latin1Exact_ = true;
  waiting_ = Pending::Latin1;
  List();
}

void Edit::SetTimeOfDay(int seconds) {
  constexpr int Day = 86400;
  seconds = (seconds % Day + Day) % Day;
  // seconds_ names the time the field waits for or shows, until its text changes otherwise.
  if (seconds == seconds_ && waiting_ != Pending::Latin1) return;
  seconds_ = seconds;
  waiting_ = Pending::TimeOfDay;
  List();
}

void Edit::List() {
  if (listed_) return;
  listed_ = true;
  Waiting().push_back(this);
  TextShower::Post();
}

void Edit::ShowPendingText() {
  if (waiting_ == Pending::Nothing) return;
  const QString text =
      waiting_ == Pending::TimeOfDay ? LongTimeText(seconds_) : FromLatin1(latin1_);
  if (waiting_ == Pending::Latin1) seconds_ = -1;
  waiting_ = Pending::Nothing;
  committing_ = true;
  if (QLineEdit::text() != text) QLineEdit::setText(text);
  committing_ = false;
  TakeTextOfField();
}

void Edit::TakeTextOfField() { latin1Exact_ = CopyLatin1(QLineEdit::text(), latin1_); }

void Edit::FollowParent() {
  // Inside a container the edit paints its corners in the container's colour itself, so that
  // a new text repaints the field alone and not the group boxes and panels behind it.
  setAttribute(Qt::WA_OpaquePaintEvent, qobject_cast<Container*>(parentWidget()) != nullptr);
}

bool Edit::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) FollowParent();
  if (event->type() == QEvent::FontChange) {  // the cells belong to a font
    cells_.reset();
    cellSets_ = {};
  }
  return QLineEdit::event(event);
}

const QImage& Edit::Panel(const QStyleOptionFrame& option, QRgb background) {
  const PanelKey key{option.rect,
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
    static_cast<const PanelCacheStyle*>(PanelCacheStyle::Instance())
        ->DrawUncached(&option, &p, this);
    p.end();
    panel_ = panel;
    panelKey_ = key;
  }
  return panel_;
}

bool Edit::PaintFromCells() {
  // A disabled field shows no cursor and takes no selection or typing: what it paints is its
  // panel and its text. Other states, and anything that moves the text, are Qt's to paint.
  const auto* parent = qobject_cast<const Container*>(parentWidget());
  if (isEnabled() || parent == nullptr || !testAttribute(Qt::WA_OpaquePaintEvent) ||
      style() != PanelCacheStyle::Instance() || echoMode() != QLineEdit::Normal ||
      !inputMask().isEmpty() || hasSelectedText() || layoutDirection() != Qt::LeftToRight ||
      devicePixelRatio() != 1)
    return false;
  const QString text = QLineEdit::text();
  if (text.isEmpty() && !placeholderText().isEmpty()) return false;
  QStyleOptionFrame option;
  initStyleOption(&option);
  if (option.rect != rect() || rect().isEmpty()) return false;
  const QImage& panel = Panel(option, ResolveColour(parent->Color()).rgb());
  QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  r = r.marginsRemoved(textMargins()) & rect();
  if (r.isEmpty()) return false;
  // The cells are drawn on the panel's colour inside the contents; ink is copied only where the
  // panel has that colour all through.
  const QRgb base = panel.pixel(r.center());
  if (panelPlain_.isNull() || panelPlainKey_ != panel.cacheKey()) {
    panelPlain_ = PlainPart(panel, r, base);
    panelPlainKey_ = panel.cacheKey();
  }
  const QRgb ink = palette().text().color().rgb();
  if (!cells_ || cells_->text != ink || cells_->base != base) {
    // The sets of the last few colours stay with the field: the altitude turns lime and red
    // again and again.
    cells_.reset();
    for (const auto& set : cellSets_)
      if (set && set->text == ink && set->base == base) cells_ = set;
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
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int c = cells_->Find(text.at(i).unicode());
    if (c < 0) return false;
    const GlyphCells::Character& character = cells_->Of(c);
    width += character.advance;
    overhang = character.overhang;
    inkTop = i == 0 ? character.inkTop : std::min(inkTop, character.inkTop);
    inkBottom = i == 0 ? character.inkBottom : std::max(inkBottom, character.inkBottom);
  }
  // Where Qt's line edit puts the text: its height is the line's unless the ink is taller, its
  // vertical place follows the alignment, and a text that fits is aligned by its width (the
  // advances, and the last glyph's ink beyond its advance) plus one.
  const int lineHeight = cells_->lineHeight;
  const int height = text.isEmpty()
                         ? lineHeight
                         : std::max(static_cast<int>(std::lround(inkBottom - inkTop)), lineHeight);
  const Qt::Alignment align = QStyle::visualAlignment(Qt::LeftToRight, alignment());
  int top;
  switch (align & Qt::AlignVertical_Mask) {
    case Qt::AlignBottom: top = r.y() + r.height() - height - LineEditVerticalMargin; break;
    case Qt::AlignTop: top = r.y() + LineEditVerticalMargin; break;
    default: top = r.y() + (r.height() - height + 1) / 2; break;
  }
  const QRect line(r.x() + LineEditHorizontalMargin, top, r.width() - 2 * LineEditHorizontalMargin,
                   height);
  const int used = static_cast<int>(std::lround(width / double(GlyphCells::Phases) + overhang)) + 1;
  if (used > line.width()) return false;
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
  for (const QChar ch : text) {
    const int c = cells_->Find(ch.unicode());
    const int phase = position & (GlyphCells::Phases - 1);
    const int pixel = (position - phase) / GlyphCells::Phases;
    const GlyphCells::Cell& cell = cells_->At(c, phase);
    if (!cell.ok) return false;
    if (!cell.ink.isEmpty()) {
      if (!copy(cell, pixel)) return false;
      if (cell.ink.left() + pixel < inkEnd) {
        // Ink of two glyphs in one column: the pair as Qt blends it, over both.
        const int previousPhase = previousPosition & (GlyphCells::Phases - 1);
        const GlyphCells::Cell& pair = cells_->Pair(previous, previousPhase, c);
        if (!pair.ok || !copy(pair, (previousPosition - previousPhase) / GlyphCells::Phases))
          return false;
      }
      inkEnd = cell.ink.right() + pixel + 1;
    }
    previous = c;
    previousPosition = position;
    position += cells_->Of(c).advance;
  }
  QPainter painter(this);
  painter.drawImage(0, 0, frame_);
  return true;
}

void Edit::paintEvent(QPaintEvent* event) {
  if (PaintFromCells()) return;
  if (testAttribute(Qt::WA_OpaquePaintEvent)) {
    if (const auto* parent = qobject_cast<const Container*>(parentWidget())) {
      QPainter painter(this);
      painter.fillRect(event->rect(), ResolveColour(parent->Color()));
    }
  }
  QLineEdit::paintEvent(event);
}

void Edit::keyPressEvent(QKeyEvent* event) {
  // A key acts on the text the field holds, also when it has not been shown yet.
  ShowPendingText();
  static const QMetaMethod keyPress = QMetaMethod::fromSignal(&Edit::KeyPress);
  char16_t key = 0;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    key = 13;
  } else if (event->key() == Qt::Key_Backspace) {
    key = 8;
  } else if (!event->text().isEmpty()) {
    key = event->text().at(0).unicode();
  }
  if (key == 0 || !isSignalConnected(keyPress)) {  // not a character, or nobody listens
    QLineEdit::keyPressEvent(event);
    return;
  }
  const char16_t original = key;
  emit KeyPress(this, key);
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
  // A field that takes its text may make another one write: that one is listed anew and taken in
  // the same pass. The list keeps its room from one pump to the next.
  auto& edits = Waiting();
  for (std::size_t i = 0; i < edits.size(); ++i) {
    Edit* edit = edits[i];
    edit->listed_ = false;
    edit->ShowPendingText();
  }
  edits.clear();
}

}  // namespace ui
