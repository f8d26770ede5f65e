#pragma once
// Wine's help viewer (winhlp32) as the Windows-side tests find, read and close it from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include "tolva_process.h"

namespace tolva::tests {

// The viewer's window (the class the help engine is reached by) while it shows a topic, and its
// rich edit control, which holds the topic's text.
inline HWND ShownViewer() {
  HWND viewer = FindWindowA("MS_WINHELP", nullptr);
  return viewer != nullptr && IsWindowVisible(viewer) ? viewer : nullptr;
}
inline HWND TopicText(HWND viewer) { return FindWindowExA(viewer, nullptr, "RichEdit20A", nullptr); }
inline constexpr std::size_t TopicTextRoom = 4096;

// The viewer's box for a help file it cannot find or read.
inline HWND ViewerErrorBox() {
  HWND box = FindWindowA("#32770", "ERROR");
  return box != nullptr && IsWindowVisible(box) ? box : nullptr;
}

inline void CloseViewer() {
  const HWND viewer = FindWindowA("MS_WINHELP", nullptr);
  if (viewer == nullptr) return;
  PostMessageA(viewer, WM_CLOSE, 0, 0);
  if (WaitFor([] { return FindWindowA("MS_WINHELP", nullptr) == nullptr; }, 5000)) return;
  ADD_FAILURE() << "the viewer stayed";
  // One that does not close (a box of its own is open) ends with its process.
  DWORD id = 0;
  GetWindowThreadProcessId(viewer, &id);
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
}

}  // namespace tolva::tests
