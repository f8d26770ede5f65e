#pragma once
#include <array>
#include <cstdint>

#include "platform/handle.h"

namespace tolva::engine {

inline constexpr std::int32_t MaxHiddenWindows = 405;

// The windows hidden by the most recent conceal, in the order they were hidden (the top-most
// qualifying window first). Plain handles, owning nothing: a window that closes while recorded
// simply never matches again.
struct HiddenWindowSet {
  // True from a conceal until the next reveal; the window pass reads it for its direction.
  bool WindowsHidden = false;
  std::int32_t count = 0;
  std::array<platform::WindowHandle, MaxHiddenWindows> entries{};

  // Done at the start of every conceal: the recorded entries are cleared, then the count.
  void Empty();
  // Records a hidden window. A full set records nothing more and returns false, so the caller
  // leaves that window visible rather than hide a window it could never show again.
  bool Add(platform::WindowHandle window);
  bool Full() const { return count >= MaxHiddenWindows; }
};

}  // namespace tolva::engine
