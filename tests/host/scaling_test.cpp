#include <gtest/gtest.h>

#include <set>

#include "platform/ui/scaling.h"

namespace tolva::ui {
namespace {

// A few of the forms' numbers at the scales of common screens: the options dialog's client area,
// a control's place, a check box's height, a position left of the origin, the font.
TEST(Scaling, MultipliesByTheScreensDotsPerInchOver96AndRoundsAsMulDiv) {
  struct Case {
    int dpi;
    Size client;     // of 392 x 251
    Bounds control;  // of {25, 13, 171, 17}
    int left;        // of -25
    int fontHeight;  // of 8 points
    Stretch pictures;
  } const cases[] = {
      {96, {392, 251}, {25, 13, 171, 17}, -25, -11, Stretch::None},
      {120, {490, 314}, {31, 16, 214, 21}, -31, -13, Stretch::Smooth},
      {144, {588, 377}, {38, 20, 257, 26}, -38, -16, Stretch::Smooth},
      {192, {784, 502}, {50, 26, 342, 34}, -50, -21, Stretch::Nearest},
      {0, {392, 251}, {25, 13, 171, 17}, -25, -11, Stretch::None},  // a screen that reports none
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    const Scaling scaling(c.dpi);
    EXPECT_EQ(scaling.ToScreen(Size{392, 251}), c.client);
    EXPECT_EQ(scaling.ToScreen(Bounds{25, 13, 171, 17}), c.control);
    EXPECT_EQ(scaling.ToScreen(-25), c.left);
    EXPECT_EQ(scaling.FontHeight(8), c.fontHeight);
    EXPECT_EQ(scaling.PictureStretch(), c.pictures);
    // A length measured on the screen, taken back to the layout and scaled again, still covers
    // what was measured; at 96 it comes back unchanged.
    for (int measured = 0; measured <= 400; ++measured) {
      const int again = scaling.ToScreen(scaling.ToLayout(measured));
      EXPECT_GE(again, measured);
      if (scaling.Dpi() == LayoutDpi) {
        EXPECT_EQ(again, measured);
      }
    }
  }
  EXPECT_EQ(MulDiv(5, 1, 0), -1);
}

constexpr std::uint32_t Red = 0xFF0000, Blue = 0x0000FF, Key = 0xFF00FF;

Pixels Picture(int width, int height, std::vector<std::uint32_t> data) { return {width, height, std::move(data)}; }

TEST(Scaling, PicturesStretchSharpAtWholeMultiplesAndNeverBlendTheKeyOrTheNextImage) {
  // Nearest at 2x: each pixel becomes a 2 x 2 block.
  const Pixels doubled = Stretched(Picture(2, 1, {Red, Blue}), 1, {4, 2}, Stretch::Nearest);
  EXPECT_EQ(doubled.data, (std::vector<std::uint32_t>{Red, Red, Blue, Blue, Red, Red, Blue, Blue}));
  // A smooth stretch of a strip of two images: the red one stays red and the blue one blue, and
  // the see-through key stays the key, never a pink between it and the picture.
  const Pixels strip = Picture(6, 2, {Red, Red, Key, Blue, Key, Blue,  //
                                      Red, Key, Key, Blue, Blue, Key});
  const Pixels scaled = Stretched(strip, 2, {5, 3}, Stretch::Smooth, Key);
  ASSERT_EQ(scaled.width, 10);
  ASSERT_EQ(scaled.height, 3);
  std::set<std::uint32_t> left, right;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 10; ++x) (x < 5 ? left : right).insert(scaled.At(x, y));
  }
  EXPECT_EQ(left, (std::set<std::uint32_t>{Red, Key}));
  EXPECT_EQ(right, (std::set<std::uint32_t>{Blue, Key}));
  // Without a key, a smooth stretch blends neighbours.
  const Pixels smooth = Stretched(Picture(2, 1, {0x000000, 0xFFFFFF}), 1, {3, 1}, Stretch::Smooth);
  EXPECT_EQ(smooth.At(1, 0), 0x808080u);
  EXPECT_EQ(Stretched(strip, 2, {5, 3}, Stretch::None).data, strip.data);
}

}  // namespace
}  // namespace tolva::ui
