#include "platform/ui/scaling.h"

#include <algorithm>
#include <cmath>

namespace tolva::ui {
namespace {

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

// The source pixel the centre of a target pixel falls on, and how far past it (0 to 1), within
// a row or column of `from` pixels stretched to `to`.
struct Sample {
  int near, far;
  double weight;  // of far
};

Sample SampleAt(int target, int from, int to) {
  const double at = std::clamp((target + 0.5) * from / to - 0.5, 0.0, static_cast<double>(from - 1));
  const int near = static_cast<int>(at);
  return {near, std::min(near + 1, from - 1), at - near};
}

// The key colour where the see-through part of the four source pixels weighs half or more,
// else the weighted mean of the others.
std::uint32_t Blend(const std::uint32_t (&pixels)[4], const double (&weights)[4],
                    std::optional<std::uint32_t> key) {
  double total = 0, sums[3] = {0, 0, 0};
  for (int i = 0; i < 4; ++i) {
    if (key && pixels[i] == *key) continue;
    total += weights[i];
    for (int c = 0; c < 3; ++c) sums[c] += weights[i] * Channel(pixels[i], 16 - 8 * c);
  }
  if (key && total < 0.5) return *key;
  if (total <= 0) return pixels[0];
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const auto value = static_cast<std::uint32_t>(std::lround(std::clamp(sums[c] / total, 0.0, 255.0)));
    out |= value << (16 - 8 * c);
  }
  return out;
}

}  // namespace

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long product = static_cast<long long>(number) * numerator;
  long long divisor = denominator;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const long long half = divisor / 2;
  return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

int Scaling::ToLayout(int screenLength) const {
  const long long scaled = static_cast<long long>(screenLength) * LayoutDpi;
  return static_cast<int>(scaled >= 0 ? (scaled + dpi_ - 1) / dpi_ : scaled / dpi_);
}

Stretch Scaling::PictureStretch() const {
  if (dpi_ == LayoutDpi) return Stretch::None;
  return dpi_ % LayoutDpi == 0 ? Stretch::Nearest : Stretch::Smooth;
}

Pixels Stretched(const Pixels& strip, int count, Size cell, Stretch how, std::optional<std::uint32_t> key) {
  if (how == Stretch::None || count <= 0 || strip.width <= 0 || strip.height <= 0 || cell.width <= 0 ||
      cell.height <= 0) {
    return strip;
  }
  const int from = strip.width / count;
  Pixels out{cell.width * count, cell.height, {}};
  out.data.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  for (int y = 0; y < out.height; ++y) {
    const Sample row = SampleAt(y, strip.height, cell.height);
    for (int x = 0; x < out.width; ++x) {
      const int image = x / cell.width, origin = image * from;
      std::uint32_t& target = out.data[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width) +
                                       static_cast<std::size_t>(x)];
      if (how == Stretch::Nearest) {
        target = strip.At(origin + (x % cell.width) * from / cell.width, y * strip.height / cell.height);
        continue;
      }
      const Sample column = SampleAt(x % cell.width, from, cell.width);
      const std::uint32_t pixels[4] = {strip.At(origin + column.near, row.near), strip.At(origin + column.far, row.near),
                                       strip.At(origin + column.near, row.far), strip.At(origin + column.far, row.far)};
      const double weights[4] = {(1 - column.weight) * (1 - row.weight), column.weight * (1 - row.weight),
                                 (1 - column.weight) * row.weight, column.weight * row.weight};
      target = Blend(pixels, weights, key);
    }
  }
  return out;
}

}  // namespace tolva::ui
