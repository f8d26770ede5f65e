#include "platform/ui/scaling.h"

#include <algorithm>
#include <cmath>

namespace tolva::ui {
namespace {

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

constexpr std::uint32_t kOne = 256;  // a weight of 1, in the fixed point the stretch blends in

// The source pixel the centre of a target pixel falls on, and how far past it towards the next
// (0 to kOne), within a row or column of `from` pixels stretched to `to`.
struct Sample {
  int near, far;
  std::uint32_t weight;  // of far
};

std::vector<Sample> Samples(int from, int to) {
  std::vector<Sample> samples;
  samples.reserve(static_cast<std::size_t>(to));
  for (int target = 0; target < to; ++target) {
    const double at = std::clamp((target + 0.5) * from / to - 0.5, 0.0, static_cast<double>(from - 1));
    const int near = static_cast<int>(at);
    samples.push_back({near, std::min(near + 1, from - 1), static_cast<std::uint32_t>(std::lround((at - near) * kOne))});
  }
  return samples;
}

// The key colour where the see-through part of the four source pixels weighs half or more,
// else the weighted mean of the others (weights in kOne * kOne).
std::uint32_t Blend(const std::uint32_t (&pixels)[4], const std::uint32_t (&weights)[4],
                    std::optional<std::uint32_t> key) {
  if (!key) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const std::uint32_t sum = weights[0] * Channel(pixels[0], shift) + weights[1] * Channel(pixels[1], shift) +
                                weights[2] * Channel(pixels[2], shift) + weights[3] * Channel(pixels[3], shift);
      out |= ((sum + kOne * kOne / 2) / (kOne * kOne)) << shift;
    }
    return out;
  }
  std::uint32_t total = 0, sums[3] = {0, 0, 0};
  for (int i = 0; i < 4; ++i) {
    if (pixels[i] == *key) continue;
    total += weights[i];
    for (int c = 0; c < 3; ++c) sums[c] += weights[i] * Channel(pixels[i], 16 - 8 * c);
  }
  if (2 * total < kOne * kOne) return *key;
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) out |= std::min((sums[c] + total / 2) / total, 255u) << (16 - 8 * c);
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
  out.data.reserve(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  const std::vector<Sample> rows = Samples(strip.height, cell.height), columns = Samples(from, cell.width);
  const auto rowOf = [&](int y) { return strip.data.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(strip.width); };
  for (int y = 0; y < out.height; ++y) {
    const Sample& row = rows[static_cast<std::size_t>(y)];
    const std::uint32_t *nearRow = rowOf(row.near), *farRow = rowOf(row.far);
    for (int x = 0; x < out.width; ++x) {
      const int origin = x / cell.width * from, within = x % cell.width;
      if (how == Stretch::Nearest) {
        out.data.push_back(strip.At(origin + within * from / cell.width, y * strip.height / cell.height));
        continue;
      }
      const Sample& column = columns[static_cast<std::size_t>(within)];
      const std::uint32_t pixels[4] = {nearRow[origin + column.near], nearRow[origin + column.far],
                                       farRow[origin + column.near], farRow[origin + column.far]};
      const std::uint32_t weights[4] = {(kOne - column.weight) * (kOne - row.weight), column.weight * (kOne - row.weight),
                                        (kOne - column.weight) * row.weight, column.weight * row.weight};
      out.data.push_back(Blend(pixels, weights, key));
    }
  }
  return out;
}

}  // namespace tolva::ui
