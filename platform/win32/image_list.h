#pragma once
// comctl32 image lists made from a control layer's ImageList, at the screen's scale.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

#include "platform/ui/controls.h"
#include "platform/win32/form_site.h"

namespace tolva::platform::win32 {

struct ImageListDeleter {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using ImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

// The images of the strip resource, each stretched to the screen's scale, with the mask colour
// see-through; an empty list when the resource does not load, none when no list can be made.
ImageList LoadImageList(const FormSite& site, const ui::ImageList& images);

}  // namespace tolva::platform::win32
