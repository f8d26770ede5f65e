#include "platform/win32/image_list.h"

#include <algorithm>

#include "platform/win32/gdi.h"
#include "platform/win32/scaled_bitmap.h"

namespace tolva::platform::win32 {

ImageList LoadImageList(const FormSite& site, const ui::ImageList& images) {
  const COLORREF mask = ToColorRef(images.maskColour);
  const ui::Size size = site.scaling.ToScreen(ui::Size{images.width, images.height});
  const Bitmap strip = Scaled(Bitmap(static_cast<HBITMAP>(LoadImageA(site.instance, images.bitmapResource.c_str(),
                                                                     IMAGE_BITMAP, 0, 0, 0))),
                              site.scaling, std::max(images.count, 1), mask);
  ImageList list(ImageList_Create(size.width, size.height, ILC_COLOR24 | ILC_MASK, std::max(images.count, 1), 0));
  if (list && strip) ImageList_AddMasked(list.get(), strip.get(), mask);
  return list;
}

}  // namespace tolva::platform::win32
