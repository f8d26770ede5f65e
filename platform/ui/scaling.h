#pragma once
// The one rule by which the forms, laid out in pixels at 96 dots per inch, become the window's
// pixels on a screen of another scale: every position and size is multiplied by the screen's
// dots per inch over 96, the fonts are their points at the screen's dots per inch, and the
// pictures are stretched to their scaled size. At 96 nothing changes.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ui/controls.h"

namespace tolva::ui {

inline constexpr int LayoutDpi = 96;      // the dots per inch the forms are laid out at
inline constexpr int PointsPerInch = 72;

// number * numerator / denominator rounded to the nearest, halves away from zero, as Windows'
// MulDiv rounds; -1 for a denominator of 0, as MulDiv answers.
int MulDiv(int number, int numerator, int denominator);

// How a picture is brought to its scaled size: not at all; by repeating pixels, which keeps
// pixel art sharp at a whole multiple; or smoothly, where a whole multiple is not to be had.
enum class Stretch { None, Nearest, Smooth };

class Scaling {
 public:
  // A screen of that many dots per inch; one that reports none (0 or less) counts as 96.
  explicit Scaling(int dpi = LayoutDpi) : dpi_(dpi > 0 ? dpi : LayoutDpi) {}

  int Dpi() const { return dpi_; }
  // A length of the layout on this screen.
  int ToScreen(int length) const { return MulDiv(length, dpi_, LayoutDpi); }
  Size ToScreen(Size size) const { return {ToScreen(size.width), ToScreen(size.height)}; }
  Bounds ToScreen(Bounds b) const {
    return {ToScreen(b.left), ToScreen(b.top), ToScreen(b.width), ToScreen(b.height)};
  }
  // A length measured on this screen (a text's width) in the layout's pixels, rounded up, so
  // that scaled again it covers at least what was measured.
  int ToLayout(int screenLength) const;
  // LOGFONT's lfHeight for a font of that many points: the character height in pixels, negative.
  int FontHeight(int points) const { return -MulDiv(points, dpi_, PointsPerInch); }
  Stretch PictureStretch() const;

 private:
  int dpi_;
};

// A picture as 0x00RRGGBB pixels, rows from the top down.
struct Pixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> data;
  std::uint32_t At(int x, int y) const {
    return data[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
};

// A strip of count equal images side by side (a single picture is a strip of one), each
// stretched on its own to cell, so that no image bleeds into the next. Pixels of the key
// colour are see-through: a smooth stretch neither blends them into the picture nor the picture
// into them. Stretch::None gives the strip back as it is.
Pixels Stretched(const Pixels& strip, int count, Size cell, Stretch how,
                 std::optional<std::uint32_t> key = std::nullopt);

}  // namespace tolva::ui
