// SPDX-License-Identifier: GPL-3.0-or-later
// The glyphs of the characters of numbers and times of day in one font, text colour and
// background, each as Qt draws it alone at each fraction of a pixel it may start at, cut to its
// ink; and, where two neighbours' ink meets in a pixel column, those columns as Qt draws the
// pair. Qt blends each glyph onto the background in turn, so a column ends up as the glyphs with
// ink in it leave it: copying the cells of a text side by side, and the pairs' shared columns
// over them, gives what Qt draws for the whole text, where no kerning joins two characters (the
// text's advances are its characters' own, which the set checks once).
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace ui {

class GlyphCells {
 public:
  // The characters that have cells.
  static constexpr std::string_view Characters = "0123456789-:";
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
    double overhang = 0;  // how far the ink reaches beyond the advance: a last glyph's widens
                          // the line
    std::array<Cell, Phases> cells;
  };

  // The set of these, shared by the fields that show them. Only fields own sets, so that none
  // outlives the fonts of the application.
  static std::shared_ptr<GlyphCells> For(const QFont& font, int dpi, QRgb text, QRgb base);

  // The character's index in the set, or -1 where it has no cells.
  int Find(char16_t c) const { return c < index_.size() ? index_[c] : -1; }
  const Character& Of(int index) const { return characters_[static_cast<std::size_t>(index)]; }

  // The cell of a character starting `phase` 64ths of a pixel right of a pixel's edge.
  const Cell& At(int index, int phase) {
    Cell& cell =
        characters_[static_cast<std::size_t>(index)].cells[static_cast<std::size_t>(phase)];
    if (!cell.made) Make(index, phase, cell);
    return cell;
  }
  // The columns two neighbours share, as Qt draws the pair; the first starts at `phase`.
  const Cell& Pair(int first, int phase, int second);

  QRgb Text() const { return text_; }
  QRgb Base() const { return base_; }
  int LineHeight() const { return lineHeight_; }

 private:
  void Make(int index, int phase, Cell& cell) const;
  QImage Canvas(int width, int height) const;
  void Measure();
  // Draws `glyphs` as Qt draws them from `phase` 64ths right of a pixel's edge on the line's top
  // left; `ink` is where it differs from the background, from that pixel, and `image` holds it.
  // False where the ink may reach beyond what was drawn.
  bool Draw(const QString& glyphs, int phase, QRect& ink, QImage& image) const;

  static constexpr std::array<signed char, 128> MakeNoIndex() {
    std::array<signed char, 128> none{};
    for (signed char& i : none) i = -1;
    return none;
  }

  QFont font_;
  QString fontKey_;
  int dpi_ = 0;
  QRgb text_ = 0;
  QRgb base_ = 0;
  int lineHeight_ = 0;
  double ascent_ = 0;
  std::array<Character, Characters.size()> characters_;
  std::array<signed char, 128> index_ = MakeNoIndex();
  std::unordered_map<int, Cell> pairs_;
};

}  // namespace ui
