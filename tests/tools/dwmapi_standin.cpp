// A stand-in for the desktop window manager's dwmapi.dll, which Windows Vista and later have and
// Wine answers with E_NOTIMPL: put in the system folder under that name, with Wine told to load
// it (WINEDLLOVERRIDES dwmapi=n), it reports every window whose title starts with "Cloaked" as
// cloaked by the shell (DWMWA_CLOAKED: DWM_CLOAKED_SHELL), as Windows does for a window on
// another virtual desktop, and every other window as not cloaked.
#include <windows.h>

#include <cstring>

extern "C" __declspec(dllexport) HRESULT WINAPI DwmGetWindowAttribute(HWND window, DWORD attribute, PVOID value,
                                                                      DWORD size) {
  constexpr DWORD Cloaked = 14;      // DWMWA_CLOAKED
  constexpr DWORD CloakedShell = 2;  // DWM_CLOAKED_SHELL
  if (attribute != Cloaked || value == nullptr || size != sizeof(DWORD)) return E_INVALIDARG;
  if (!IsWindow(window)) return E_HANDLE;
  constexpr char Prefix[] = "Cloaked";
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  *static_cast<DWORD*>(value) = std::strncmp(title, Prefix, sizeof Prefix - 1) == 0 ? CloakedShell : 0;
  return S_OK;
}
