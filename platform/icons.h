#pragma once
#include "platform/handle.h"

namespace tolva::platform {

// The icon resources of the program's own module. Icons loaded this way are shared by the
// system and stay valid for the program's life: they are never destroyed, so no owner holds them.
class Icons {
 public:
  virtual ~Icons() = default;
  // The icon of the program's module, by resource name, at the system's small-icon size
  // (SM_CXSMICON: 16 pixels at 96 dots per inch), as the notification area shows it; NullIcon
  // when there is no such icon or it cannot be loaded.
  virtual IconHandle LoadSmallIcon(const char* resourceName) = 0;
};

}  // namespace tolva::platform
