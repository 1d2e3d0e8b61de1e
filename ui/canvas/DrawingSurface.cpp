// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surface over a QImage: pixels, lines and ellipses are written straight into the
// image bits so that every pixel is exact and the same on every machine; only text goes through
// QPainter, with antialiasing off.
#include "ui/canvas/DrawingSurface.h"

#include <QColor>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QList>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ui {

namespace {

// The size a new surface's font has, as a 96-dpi screen turns 8 points into a character height.
constexpr int kDefaultPointSize = 8;
constexpr int kSurfaceDpi = 96;
constexpr int kDefaultPixelSize = (kDefaultPointSize * kSurfaceDpi + 36) / 72;  // 11
constexpr int kDotsPerMeter = 3780;                                             // 96 dpi

// Products of two coordinate differences exceed 64 bits; the extension keeps -Wpedantic quiet.
__extension__ typedef __int128 Wide;

QRgb ToRgb(base::Colour colour) { return ToQColor(colour).rgb(); }

base::Colour FromRgb(QRgb rgb) {
  return static_cast<base::Colour>(qRed(rgb)) | (static_cast<base::Colour>(qGreen(rgb)) << 8) |
         (static_cast<base::Colour>(qBlue(rgb)) << 16);
}

int SaturateToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// A rectangle from 64-bit edges, cut to the surface so that it never overflows a QRect.
QRect ClippedRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                  int width, int height) {
  const std::int64_t l = std::max<std::int64_t>(left, 0);
  const std::int64_t t = std::max<std::int64_t>(top, 0);
  const std::int64_t r = std::min<std::int64_t>(right, width);
  const std::int64_t b = std::min<std::int64_t>(bottom, height);
  if (l >= r || t >= b) return {};
  return QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l),
               static_cast<int>(b - t));
}

Wide FloorDiv(Wide a, Wide b) {  // b > 0
  Wide q = a / b;
  if (a % b != 0 && a < 0) --q;
  return q;
}

Wide ISqrt(Wide n) {  // n >= 0
  Wide r = static_cast<Wide>(std::sqrt(static_cast<long double>(n)));
  while (r > 0 && r * r > n) --r;
  while ((r + 1) * (r + 1) <= n) ++r;
  return r;
}

// Text is laid out on whole pixels, each character advancing by its own rounded width, so that a
// monospaced face keeps one fixed pitch and a text's width is the sum of its characters'.
QList<uint> CodePoints(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4();
}

QString OneChar(uint codePoint) {
  const char32_t c = codePoint;
  return QString::fromUcs4(&c, 1);
}

int CharAdvance(const QFontMetricsF& metrics, uint codePoint) {
  return qRound(metrics.horizontalAdvance(OneChar(codePoint)));
}

}  // namespace

QColor ToQColor(base::Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

DrawingSurface::DrawingSurface(int width, int height)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32) {
  if (!image_.isNull()) {
    image_.setDotsPerMeterX(kDotsPerMeter);
    image_.setDotsPerMeterY(kDotsPerMeter);
    image_.fill(ToQColor(0x000000));
  }
  font_.setFamily(QStringLiteral("Courier New"));
  font_.setPixelSize(kDefaultPixelSize);
  font_.setStyleStrategy(QFont::NoAntialias);
  font_.setHintingPreference(QFont::PreferFullHinting);
}

QRect DrawingSurface::TakeDirtyRect() {
  const QRect taken = dirty_;
  dirty_ = QRect();
  dirtyParts_.clear();
  return taken;
}

QRegion DrawingSurface::TakeDirtyRegion() {
  QRegion taken;
  for (const QRect& part : dirtyParts_) taken += part;
  dirty_ = QRect();
  dirtyParts_.clear();
  return taken;
}

int DrawingSurface::Width() const { return image_.width(); }
int DrawingSurface::Height() const { return image_.height(); }

void DrawingSurface::SetPenColor(base::Colour colour) { pen_ = colour & 0xFFFFFF; }
base::Colour DrawingSurface::PenColor() const { return pen_; }
// Every line the system draws is one pixel wide; a wider pen is kept but draws the same line.
void DrawingSurface::SetPenWidth(int width) { penWidth_ = std::max(width, 1); }
void DrawingSurface::SetBrushColor(base::Colour colour) { brush_ = colour & 0xFFFFFF; }

void DrawingSurface::SetFontName(std::string_view name) {
  font_.setFamily(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void DrawingSurface::SetFontStyle(unsigned styles) {
  font_.setBold((styles & scene::Bold) != 0);
  font_.setItalic((styles & scene::Italic) != 0);
  font_.setUnderline((styles & scene::Underline) != 0);
  font_.setStrikeOut((styles & scene::StrikeOut) != 0);
}

void DrawingSurface::SetFontColor(base::Colour colour) { fontColour_ = colour & 0xFFFFFF; }

void DrawingSurface::SetPixel(int x, int y, base::Colour colour) {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = ToRgb(colour);
  MarkDirty(QRect(x, y, 1, 1));
}

base::Colour DrawingSurface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return 0;
  return FromRgb(reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]);
}

void DrawingSurface::MoveTo(int x, int y) { penPos_ = {x, y}; }

// Bresenham's line in closed form: the pixel of step k along the major axis lies k steps from
// the start, and its minor offset is k * minor / major rounded half up. Written so, the steps
// that fall inside the surface are found before any pixel is visited, and a line that runs
// two billion pixels away costs no more than its visible part.
void DrawingSurface::LineTo(int x, int y) {
  const std::int64_t x0 = penPos_.x;
  const std::int64_t y0 = penPos_.y;
  penPos_ = {x, y};
  const std::int64_t dx = x - x0;
  const std::int64_t dy = y - y0;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const std::int64_t major = xMajor ? std::abs(dx) : std::abs(dy);
  const std::int64_t minor = xMajor ? std::abs(dy) : std::abs(dx);
  if (major == 0) return;  // the end point is never set, so a line to itself draws nothing
  const std::int64_t majorStart = xMajor ? x0 : y0;
  const std::int64_t minorStart = xMajor ? y0 : x0;
  const std::int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const std::int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const std::int64_t majorLimit = xMajor ? image_.width() : image_.height();
  const std::int64_t minorLimit = xMajor ? image_.height() : image_.width();
  if (majorLimit <= 0 || minorLimit <= 0) return;

  const auto minorOffset = [&](std::int64_t k) {
    return static_cast<std::int64_t>(FloorDiv(Wide(2) * k * minor + major, Wide(2) * major));
  };

  // Steps whose major coordinate lies in 0 .. majorLimit - 1.
  std::int64_t kLo = 0;
  std::int64_t kHi = major - 1;
  if (majorStep > 0) {
    kLo = std::max(kLo, -majorStart);
    kHi = std::min(kHi, majorLimit - 1 - majorStart);
  } else {
    kLo = std::max(kLo, majorStart - (majorLimit - 1));
    kHi = std::min(kHi, majorStart);
  }
  if (kLo > kHi) return;

  // The minor offset grows with k; the offsets that keep the minor coordinate inside.
  const std::int64_t offLo = minorStep > 0 ? -minorStart : minorStart - (minorLimit - 1);
  const std::int64_t offHi = minorStep > 0 ? minorLimit - 1 - minorStart : minorStart;
  {
    std::int64_t lo = kLo, hi = kHi + 1;  // first k with offset >= offLo
    while (lo < hi) {
      const std::int64_t mid = lo + (hi - lo) / 2;
      if (minorOffset(mid) >= offLo)
        hi = mid;
      else
        lo = mid + 1;
    }
    kLo = lo;
  }
  {
    std::int64_t lo = kLo - 1, hi = kHi;  // last k with offset <= offHi
    while (lo < hi) {
      const std::int64_t mid = hi - (hi - lo) / 2;
      if (minorOffset(mid) <= offHi)
        lo = mid;
      else
        hi = mid - 1;
    }
    kHi = lo;
  }
  if (kLo > kHi) return;

  const QRgb rgb = ToRgb(pen_);
  int left = std::numeric_limits<int>::max(), top = left;
  int right = std::numeric_limits<int>::min(), bottom = right;
  for (std::int64_t k = kLo; k <= kHi; ++k) {
    const std::int64_t a = majorStart + majorStep * k;
    const std::int64_t b = minorStart + minorStep * minorOffset(k);
    const int px = static_cast<int>(xMajor ? a : b);
    const int py = static_cast<int>(xMajor ? b : a);
    reinterpret_cast<QRgb*>(image_.scanLine(py))[px] = rgb;
    left = std::min(left, px);
    right = std::max(right, px);
    top = std::min(top, py);
    bottom = std::max(bottom, py);
  }
  MarkDirty(QRect(QPoint(left, top), QPoint(right, bottom)));
}

// The ellipse inscribed in the pixels x1 .. x2 - 1, y1 .. y2 - 1: a pixel belongs to it when its
// centre lies inside, and it is outline when one of its four neighbours does not. Rows are
// worked out one by one as spans, so only rows and columns on the surface are visited.
void DrawingSurface::Ellipse(int x1, int y1, int x2, int y2) {
  const std::int64_t left = std::min(x1, x2);
  const std::int64_t top = std::min(y1, y2);
  const std::int64_t w = std::int64_t(std::max(x1, x2)) - left;
  const std::int64_t h = std::int64_t(std::max(y1, y2)) - top;
  if (w <= 0 || h <= 0) return;
  const QRect visible = ClippedRect(left, top, left + w, top + h, image_.width(), image_.height());
  if (visible.isEmpty()) return;

  // Row j's span as offsets from the left edge, empty (lo > hi) outside the box. In doubled
  // units around the centre, a pixel is inside when dx² h² + dy² w² <= w² h².
  const bool exact = w <= (std::int64_t(1) << 31) && h <= (std::int64_t(1) << 31);
  const auto span = [&](std::int64_t j, std::int64_t& lo, std::int64_t& hi) {
    lo = 1;
    hi = 0;
    if (j < 0 || j >= h) return;
    const std::int64_t dy = 2 * j + 1 - h;
    std::int64_t reach;  // the largest |dx| inside
    if (exact) {
      const Wide ww = Wide(w) * w;
      const Wide hh = Wide(h) * h;
      reach = static_cast<std::int64_t>(ISqrt(ww * (hh - Wide(dy) * dy) / hh));
    } else {
      const long double q = static_cast<long double>(dy) / static_cast<long double>(h);
      reach = static_cast<std::int64_t>(
          std::floor(static_cast<long double>(w) * std::sqrt(1.0L - q * q)));
    }
    // dx = 2 * i + 1 - w for column i.
    lo = static_cast<std::int64_t>(FloorDiv(Wide(w) - 1 - reach + 1, 2));
    hi = static_cast<std::int64_t>(FloorDiv(Wide(w) - 1 + reach, 2));
  };

  const QRgb penRgb = ToRgb(pen_);
  const QRgb brushRgb = ToRgb(brush_);
  const std::int64_t xMin = visible.left() - left;
  const std::int64_t xMax = visible.right() - left;
  const auto fill = [&](int py, std::int64_t from, std::int64_t to, QRgb rgb) {
    from = std::max(from, xMin);
    to = std::min(to, xMax);
    QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(py));
    for (std::int64_t i = from; i <= to; ++i) line[left + i] = rgb;
  };

  for (int py = visible.top(); py <= visible.bottom(); ++py) {
    const std::int64_t j = py - top;
    std::int64_t lo, hi, upLo, upHi, downLo, downHi;
    span(j, lo, hi);
    if (lo > hi) continue;
    span(j - 1, upLo, upHi);
    span(j + 1, downLo, downHi);
    const std::int64_t innerLo = std::max({lo + 1, upLo, downLo});
    const std::int64_t innerHi = std::min({hi - 1, upHi, downHi});
    if (innerLo > innerHi) {
      fill(py, lo, hi, penRgb);
    } else {
      fill(py, lo, innerLo - 1, penRgb);
      fill(py, innerLo, innerHi, brushRgb);
      fill(py, innerHi + 1, hi, penRgb);
    }
  }
  MarkDirty(visible);
}

void DrawingSurface::FillRect(int x1, int y1, int x2, int y2) {
  const QRect r = ClippedRect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
                              std::max(y1, y2), image_.width(), image_.height());
  if (r.isEmpty()) return;
  const QRgb rgb = ToRgb(brush_);
  if (r == image_.rect()) {
    image_.fill(rgb);  // the whole surface, as a scene is cleared: Qt's vectorised fill
  } else {
    for (int py = r.top(); py <= r.bottom(); ++py) {
      QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(py));
      std::fill(line + r.left(), line + r.right() + 1, rgb);
    }
  }
  MarkDirty(r);
}

void DrawingSurface::TextOut(int x, int y, std::string_view text) {
  const QFontMetricsF metrics(font_, &image_);
  const QList<uint> codePoints = CodePoints(text);
  std::int64_t advance = 0;
  for (const uint c : codePoints) advance += Advance(metrics, c);
  penPos_ = {SaturateToInt(x + advance), y};
  const QFontMetrics lineMetrics(font_, &image_);
  const int lineHeight = lineMetrics.height();
  const QRect cell =
      ClippedRect(x, y, x + advance, std::int64_t(y) + lineHeight, image_.width(), image_.height());
  if (cell.isEmpty()) return;

  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  // Glyph parts that reach beyond the cell (an italic overhang) are cut: the cell is what the
  // text covers.
  painter.setClipRect(cell);
  painter.fillRect(cell, ToQColor(brush_));
  painter.setFont(font_);
  painter.setPen(ToQColor(fontColour_));
  const int baseline = y + lineMetrics.ascent();
  std::int64_t cx = x;
  for (const uint c : codePoints) {
    const int w = Advance(metrics, c);
    if (cx + w > cell.left() && cx < cell.right() + 1)
      painter.drawText(QPoint(static_cast<int>(cx), baseline), OneChar(c));
    cx += w;
    if (cx > cell.right()) break;
  }
  painter.end();
  MarkDirty(cell);
}

int DrawingSurface::TextWidth(std::string_view text) const {
  const QFontMetricsF metrics(font_, &image_);
  std::int64_t advance = 0;
  for (const uint c : CodePoints(text)) advance += Advance(metrics, c);
  return SaturateToInt(advance);
}

int DrawingSurface::Advance(const QFontMetricsF& metrics, uint codePoint) const {
  if (codePoint >= 256) return CharAdvance(metrics, codePoint);
  if (advances_.empty() || !(advances_.back().font == font_)) {
    const auto known = std::find_if(advances_.begin(), advances_.end(),
                                    [&](const Advances& a) { return a.font == font_; });
    if (known != advances_.end()) {
      std::rotate(known, known + 1, advances_.end());
    } else {
      constexpr std::size_t KeptFonts = 4;
      if (advances_.size() == KeptFonts) advances_.erase(advances_.begin());
      advances_.push_back({font_, {}});
      advances_.back().of.fill(Unmeasured);
    }
  }
  int& advance = advances_.back().of[codePoint];
  if (advance == Unmeasured) advance = CharAdvance(metrics, codePoint);
  return advance;
}

scene::PenPosition DrawingSurface::PenPos() const { return penPos_; }

void DrawingSurface::MarkDirty(const QRect& rect) {
  const QRect r = rect.intersected(image_.rect());
  if (r.isEmpty()) return;
  if (dirtyParts_.empty() && onDrawn_) onDrawn_();
  dirty_ = dirty_.united(r);
  // A trail of pixels a few apart grows one part; a pixel elsewhere starts another. Past a few
  // parts the region is the union, as repainting many small pieces costs more than one.
  constexpr int Near = 8;
  constexpr std::size_t MostParts = 8;
  for (QRect& part : dirtyParts_) {
    if (part.adjusted(-Near, -Near, Near, Near).intersects(r)) {
      part = part.united(r);
      return;
    }
  }
  if (dirtyParts_.size() < MostParts) {
    dirtyParts_.push_back(r);
  } else {
    dirtyParts_.assign(1, dirty_);
  }
}

}  // namespace ui
