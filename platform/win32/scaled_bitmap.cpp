#include "platform/win32/scaled_bitmap.h"

#include <cstring>

namespace tolva::platform::win32 {
namespace {

// A 32-bit DIB with its rows from the top down, as ui::Pixels holds them.
BITMAPINFO TopDown(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// COLORREF is red in its low byte; a 32-bit DIB's pixel has blue there.
std::uint32_t PixelOf(COLORREF colour) {
  return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
         GetBValue(colour);
}

}  // namespace

ui::Pixels PixelsOf(HBITMAP bitmap) {
  BITMAP size{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof size, &size) == 0) return {};
  ui::Pixels pixels{size.bmWidth, size.bmHeight, {}};
  pixels.data.resize(static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height));
  BITMAPINFO info = TopDown(pixels.width, pixels.height);
  const WindowDc screen(nullptr);
  if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(pixels.height), pixels.data.data(), &info,
                DIB_RGB_COLORS) == 0) {
    return {};
  }
  for (std::uint32_t& pixel : pixels.data) pixel &= 0xFFFFFFu;
  return pixels;
}

Bitmap BitmapOf(const ui::Pixels& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0) return nullptr;
  const BITMAPINFO info = TopDown(pixels.width, pixels.height);
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && bits != nullptr) {
    std::memcpy(bits, pixels.data.data(), pixels.data.size() * sizeof pixels.data[0]);
    GdiFlush();
  }
  return bitmap;
}

Bitmap Scaled(Bitmap bitmap, const ui::Scaling& scaling, int count, std::optional<COLORREF> key) {
  const ui::Stretch how = scaling.PictureStretch();
  if (!bitmap || how == ui::Stretch::None || count <= 0) return bitmap;
  const ui::Pixels pixels = PixelsOf(bitmap.get());
  if (pixels.width == 0) return bitmap;
  const ui::Size cell = scaling.ToScreen(ui::Size{pixels.width / count, pixels.height});
  Bitmap scaled = BitmapOf(ui::Stretched(pixels, count, cell, how,
                                         key ? std::optional<std::uint32_t>(PixelOf(*key)) : std::nullopt));
  return scaled ? std::move(scaled) : std::move(bitmap);
}

}  // namespace tolva::platform::win32
