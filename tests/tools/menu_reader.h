#pragma once
// What the menu reader hook and the tests that set it share: the message that asks for a read,
// sent to the open menu's window, and the shared memory the hook fills.
#include <windows.h>

namespace tolva::tests {

inline constexpr const char* ReadMenuMessageName = "TolvaTestReadMenu";
inline constexpr const char* MenuContentsName = "TolvaTestMenuContents";

struct MenuContents {
  static constexpr int MaxItems = 16;
  struct Item {
    char caption[64];
    LONG separator;
    RECT place;  // on the screen
  };
  LONG read;  // set once the hook has filled the rest
  LONG count;
  Item items[MaxItems];
};

}  // namespace tolva::tests
