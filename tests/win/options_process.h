#pragma once
// The options dialog of the real program, worked from outside as a person works it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "engine/exclude_list.h"
#include "settings/options/options_dialog.h"
#include "tolva_process.h"

namespace tolva::tests {

inline constexpr int IconPage = 2;
inline constexpr int DateTimePage = 3;
inline constexpr int ExcludePage = settings::ExcludePageIndex;
inline constexpr int HotKeyPage = settings::HotKeyPageIndex;

// The visible options dialog of the process, or none.
inline HWND OptionsDialogOf(DWORD processId) {
  for (HWND w : TopLevelWindowsOf(processId))
    if (WindowText(w) == "Options" && IsWindowVisible(w)) return w;
  return nullptr;
}

// Options from the tool bar; the dialog once it shows, or none. A click lost to a window not yet
// taking input is made again, as a person would; a second Options request while the dialog is
// open changes nothing.
inline HWND OpenOptionsDialog(const TolvaProcess& tolva) {
  HWND dialog = nullptr;
  for (int attempt = 0; attempt < 3 && dialog == nullptr; ++attempt) {
    if (!tolva.ClickToolButton(OptionsButton)) return nullptr;
    WaitFor([&] { return (dialog = OptionsDialogOf(tolva.Id())) != nullptr; }, 3000);
  }
  return dialog;
}

// Closes the dialog with a real click on one of its buttons.
inline void CloseOptionsWith(HWND dialog, const char* button) {
  ClickCentre(Child(dialog, "Button", button));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); })) << "the dialog stayed";
}

// Chooses a page by its tab: a click on the leftmost tab shown, then the arrow keys from the
// first tab. (Where the tabs do not fit, the strip scrolls and the first is not always shown.)
inline void ChooseOptionsPage(HWND dialog, int index) {
  constexpr int PageCount = HotKeyPage + 1;
  HWND tabs = Child(dialog, "SysTabControl32");
  if (tabs == nullptr) return;
  ClickIn(tabs, POINT{20, 10});
  for (int i = 1; i < PageCount; ++i) PressKey(VK_LEFT);
  for (int i = 0; i < index; ++i) PressKey(VK_RIGHT);
  Sleep(200);
}

// A picker's value, as the control answers it inside the program.
inline SYSTEMTIME PickerValue(HWND picker) {
  SYSTEMTIME value{};
  if (AnswerThroughMemory(picker, DTM_GETSYSTEMTIME, false, 0, value) != GDT_VALID) value = {};
  return value;
}

inline int SecondsOfDay(const SYSTEMTIME& t) { return t.wHour * 3600 + t.wMinute * 60 + t.wSecond; }

// A key's value in the settings file's text, or "<none>".
inline std::string SettingsKey(const std::string& file, const std::string& key) {
  const std::size_t at = file.find("\r\n" + key + "=");
  if (at == std::string::npos) return "<none>";
  const std::size_t start = at + key.size() + 3;
  return file.substr(start, file.find("\r\n", start) - start);
}

// Waits, if need be, until the time of day is early enough in its minute for a schedule that
// many seconds ahead: the picker's seconds field does not carry into the minutes as it is
// stepped up.
inline void WaitForRoomInTheMinute(int seconds) {
  SYSTEMTIME now{};
  for (GetLocalTime(&now); now.wSecond > 55 - seconds; GetLocalTime(&now)) Sleep(250);
}

// On the open Date/Time page: ticks "Enable Date And Time" (both pickers then stand at now) and
// steps the time's seconds field up with the arrow keys, as a person sets it. Returns the time
// the picker then holds, or none when it did not take the steps.
inline std::optional<SYSTEMTIME> ScheduleSecondsAhead(HWND dialog, int seconds) {
  ClickCentre(Child(dialog, "Button", "Enable Date And Time"));
  HWND time = Child(dialog, "SysDateTimePick32");
  if (!WaitFor([&] { return IsWindowEnabled(time) != FALSE; })) return std::nullopt;
  ClickIn(time, POINT{6, 10});  // the hour, then two fields on: the seconds
  PressKey(VK_RIGHT);
  PressKey(VK_RIGHT);
  const SYSTEMTIME start = PickerValue(time);
  for (int i = 0; i < seconds; ++i) PressKey(VK_UP);
  SYSTEMTIME target{};
  if (!WaitFor([&] {
        target = PickerValue(time);
        return SecondsOfDay(target) == SecondsOfDay(start) + seconds;
      }, 3000)) {
    std::printf("the time picker went from %02d:%02d:%02d to %02d:%02d:%02d\n", start.wHour, start.wMinute,
                start.wSecond, target.wHour, target.wMinute, target.wSecond);
    return std::nullopt;
  }
  return target;
}

// The Exclude page's list as the program makes it: the visible, enabled, titled windows of other
// programs, sorted.
inline engine::ExcludeList ExpectedExcludeList(DWORD tolvaId) {
  engine::ExcludeList expected;
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    const std::string title = WindowText(w);
    if (process == tolvaId || title.empty() || title == "Program Manager") continue;
    if (IsWindowVisible(w) && IsWindowEnabled(w)) expected.Add(title);
  }
  return expected;
}

// The entry's place in the list, or the list's size when it is not there.
inline std::size_t IndexOf(const engine::ExcludeList& list, const std::string& title) {
  std::size_t index = 0;
  while (index < list.size() && list[index].title != title) ++index;
  return index;
}

// A real click on the tick box of the list's entry number index.
inline void ClickExcludeTick(HWND list, std::size_t index) {
  const int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  POINT box{7, static_cast<int>(index) * itemHeight + itemHeight / 2};
  ClientToScreen(list, &box);
  ClickAt(box);
}

}  // namespace tolva::tests
