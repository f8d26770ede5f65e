#include "platform/win32/later_functions.h"

#include <array>
#include <cstddef>
#include <string>

namespace tolva::platform::win32::later {
namespace {

struct DllRow {
  const char* fileName;
  // Imported by the program: the loader has mapped it already, and that module is the one to
  // ask (loading the file again by its path could map a second copy beside it).
  bool imported;
};

// In SystemDll's order.
constexpr std::array<DllRow, 4> kDlls{{
    {"kernel32.dll", true},
    {"user32.dll", true},
    {"dwmapi.dll", false},
    {"hhctrl.ocx", false},
}};

HMODULE LoadFromSystemFolder(const char* fileName) noexcept {
  char folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return nullptr;
  try {
    std::string path(folder, length);
    if (path.back() != '\\') path += '\\';
    path += fileName;
    // A DLL that is there but cannot load (one of its own imports missing) fails quietly rather
    // than with the system's box.
    const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const HMODULE module = ::LoadLibraryA(path.c_str());
    ::SetErrorMode(previous);
    return module;
  } catch (...) {
    return nullptr;
  }
}

// Found or loaded on the first ask and kept for the rest of the run: a function found in one
// may be called until the process ends, and the help engine must not be unloaded under the
// windows it has open. A DLL that is missing is tried again by the next function asked for in it.
HMODULE ModuleOf(SystemDll dll) noexcept {
  static std::array<HMODULE, kDlls.size()> modules{};
  const auto index = static_cast<std::size_t>(dll);
  const DllRow& row = kDlls[index];
  HMODULE& module = modules[index];
  if (module == nullptr) {
    module = row.imported ? ::GetModuleHandleA(row.fileName) : LoadFromSystemFolder(row.fileName);
  }
  return module;
}

}  // namespace

FARPROC Lookup(SystemDll dll, const char* name) noexcept {
  const HMODULE module = ModuleOf(dll);
  return module == nullptr ? nullptr : ::GetProcAddress(module, name);
}

}  // namespace tolva::platform::win32::later
