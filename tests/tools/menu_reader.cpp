// A message hook the end-to-end tests set on another program's thread: the system loads this
// library into that program, where the hook reads the pop-up menu the program has open (a menu
// can only be read by its own process) into shared memory for the test.
#include <windows.h>

#include "tests/tools/menu_reader.h"

namespace {

void Read(HWND menuWindow) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, tolva::tests::MenuContentsName);
  if (mapping == nullptr) return;
  auto* contents = static_cast<tolva::tests::MenuContents*>(
      MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(tolva::tests::MenuContents)));
  if (contents != nullptr) {
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    const int count = GetMenuItemCount(menu);
    contents->count = count;
    for (int i = 0; i < count && i < tolva::tests::MenuContents::MaxItems; ++i) {
      auto& item = contents->items[i];
      GetMenuStringA(menu, static_cast<UINT>(i), item.caption, sizeof item.caption, MF_BYPOSITION);
      MENUITEMINFOA info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE;
      GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
      item.separator = (info.fType & MFT_SEPARATOR) != 0 ? 1 : 0;
      // Wine places a pop-up menu's items by the window given.
      GetMenuItemRect(menuWindow, menu, static_cast<UINT>(i), &item.place);
    }
    InterlockedExchange(&contents->read, 1);
    UnmapViewOfFile(contents);
  }
  CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK MenuReaderHook(int code, WPARAM wParam,
                                                                  LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    static const UINT readMessage = RegisterWindowMessageA(tolva::tests::ReadMenuMessageName);
    if (sent->message == readMessage) Read(sent->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
