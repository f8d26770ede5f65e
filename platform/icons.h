#pragma once
#include "platform/handle.h"

namespace tolva::platform {

// The icon resources of the program's own module. Icons loaded this way are shared by the
// system and stay valid for the program's life: they are never destroyed, so no owner holds them.
class Icons {
 public:
  virtual ~Icons() = default;
  // LoadIconA on the program's module, by resource name; NullIcon when there is no such icon or
  // it cannot be loaded.
  virtual IconHandle LoadIconA(const char* resourceName) = 0;
};

}  // namespace tolva::platform
