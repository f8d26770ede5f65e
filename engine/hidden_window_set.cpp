#include "engine/hidden_window_set.h"

namespace tolva::engine {

void HiddenWindowSet::Empty() {
  for (std::int32_t i = 0; i < count; ++i) entries[static_cast<std::size_t>(i)] = platform::NullWindow;
  count = 0;
}

bool HiddenWindowSet::Add(platform::WindowHandle window) {
  if (Full()) return false;
  entries[static_cast<std::size_t>(count)] = window;
  ++count;
  return true;
}

}  // namespace tolva::engine
