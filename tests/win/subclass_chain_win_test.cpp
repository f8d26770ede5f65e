// Window procedures chained with SetWindowLongA, on a real window of a system class.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/subclass_chain.h"

namespace tolva::platform::win32 {
namespace {

std::string heard;

// Notes its id as a message passes and hands it on; with data 1 it leaves the chain at WM_APP,
// from inside its own call.
LRESULT CALLBACK Note(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                      DWORD_PTR data) noexcept {
  if (message == WM_APP || message == WM_USER) heard += static_cast<char>('0' + id);
  if (message == WM_APP && data == 1) UnchainSubclass(hwnd, Note, id);
  return NextSubclass(hwnd, message, wParam, lParam);
}

std::string Heard(HWND hwnd, UINT message) {
  heard.clear();
  SendMessageA(hwnd, message, 0, 0);
  return heard;
}

TEST(SubclassChain, LinksHearInTurnAndLeaveInAnyOrder) {
  const HWND hwnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  const LONG_PTR own = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
  for (UINT_PTR id = 1; id <= 4; ++id) ASSERT_TRUE(ChainSubclass(hwnd, Note, id, id == 3 ? 1 : 0));
  EXPECT_FALSE(ChainSubclass(hwnd, Note, 5, 0));  // four at most
  EXPECT_EQ(Heard(hwnd, WM_USER), "4321");
  EXPECT_EQ(Heard(hwnd, WM_APP), "4321");  // 3 leaves as it hands on
  EXPECT_EQ(Heard(hwnd, WM_USER), "421");
  EXPECT_TRUE(UnchainSubclass(hwnd, Note, 2));
  EXPECT_FALSE(UnchainSubclass(hwnd, Note, 2));
  EXPECT_EQ(Heard(hwnd, WM_USER), "41");
  EXPECT_TRUE(UnchainSubclass(hwnd, Note, 4));
  EXPECT_TRUE(UnchainSubclass(hwnd, Note, 1));
  EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), own);
  EXPECT_EQ(Heard(hwnd, WM_USER), "");
  // The window's own procedure still answers through a chain.
  ASSERT_TRUE(ChainSubclass(hwnd, Note, 1, 0));
  EXPECT_TRUE(SetWindowTextA(hwnd, "text"));
  char text[8] = {};
  EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof text), 4);
  EXPECT_STREQ(text, "text");
  EXPECT_TRUE(DestroyWindow(hwnd));
}

}  // namespace
}  // namespace tolva::platform::win32
