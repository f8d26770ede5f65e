#pragma once
#include <cstdint>

namespace tolva::platform {

// A top-level window as the program sees it: an opaque value, 0 for "no window". On Windows it
// holds the HWND's bits; the simulated desktop hands out its own values from a counter.
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle NullWindow = 0;

// An icon as the program sees it, in the same way: the HICON's bits, or a simulated value; 0 for
// "no icon".
using IconHandle = std::uintptr_t;
inline constexpr IconHandle NullIcon = 0;

}  // namespace tolva::platform
