#pragma once
// What the screen shows: a point of a window as a person sees it, and pictures of the screen for
// the README, saved only when TOLVA_SCREENS names a folder.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/gdi.h"

namespace tolva::tests {

// A point of a window's client area as the screen shows it.
inline COLORREF ScreenPixel(HWND window, POINT point) {
  ClientToScreen(window, &point);
  const platform::win32::WindowDc screen(nullptr);
  return GetPixel(screen.get(), point.x, point.y);
}

// The part of the screen as a person sees it now, as NAME.bmp in the folder TOLVA_SCREENS names;
// nothing without it. The region is kept inside the screen.
inline void SaveScreenPicture(const std::string& name, RECT region) {
  const char* folder = std::getenv("TOLVA_SCREENS");
  if (folder == nullptr) return;
  const int right = GetSystemMetrics(SM_CXSCREEN), bottom = GetSystemMetrics(SM_CYSCREEN);
  const int left = std::max(0, static_cast<int>(region.left)), top = std::max(0, static_cast<int>(region.top));
  const int width = std::min(right, static_cast<int>(region.right)) - left;
  const int height = std::min(bottom, static_cast<int>(region.bottom)) - top;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
  {
    const platform::win32::WindowDc screen(nullptr);
    const platform::win32::MemoryDc memory(screen.get());
    const platform::win32::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    {
      const platform::win32::Selection selected(memory.get(), bitmap.get());
      BitBlt(memory.get(), 0, 0, width, height, screen.get(), left, top, SRCCOPY);
    }
    GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(), &info,
              DIB_RGB_COLORS);
  }
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(std::string(folder) + "\\" + name + ".bmp", std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

// The whole screen.
inline void SaveScreenPicture(const std::string& name) {
  SaveScreenPicture(name, RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

// A window with a margin around it.
inline void SaveWindowPicture(const std::string& name, HWND window, int margin = 8) {
  RECT r{};
  if (!GetWindowRect(window, &r)) return;
  SaveScreenPicture(name, RECT{r.left - margin, r.top - margin, r.right + margin, r.bottom + margin});
}

}  // namespace tolva::tests
