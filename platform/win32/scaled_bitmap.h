#pragma once
// Bitmaps brought to the screen's scale: the pixels read out, stretched by the layer's rule
// (platform/ui/scaling.h), and made into a bitmap again.
#include <windows.h>

#include <optional>

#include "platform/ui/scaling.h"
#include "platform/win32/gdi.h"

namespace tolva::platform::win32 {

ui::Pixels PixelsOf(HBITMAP bitmap);
// A 32-bit DIB section holding the pixels; null when it cannot be made.
Bitmap BitmapOf(const ui::Pixels& pixels);

// The bitmap, a strip of count equal images laid out at 96 dots per inch, with each image
// stretched to its scaled size; the bitmap itself where nothing is to be stretched. Pixels of
// the key colour stay see-through.
Bitmap Scaled(Bitmap bitmap, const ui::Scaling& scaling, int count = 1,
              std::optional<COLORREF> key = std::nullopt);

}  // namespace tolva::platform::win32
