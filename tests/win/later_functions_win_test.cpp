// The functions of later Windows, looked up under Wine (which has them all, whatever version it
// reports): each row names a real export of its DLL, and that DLL is the system folder's.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/ascii.h"
#include "platform/win32/later_functions.h"

namespace tolva::platform::win32 {
namespace {

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

// The file of the module that holds the address.
std::string ModuleFileOf(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<const char*>(address), &module)) {
    return {};
  }
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(module, path, sizeof path);
  return std::string(path, length);
}

template <typename Row>
void ExpectFoundInSystemFolder(const char* fileName) {
  SCOPED_TRACE(Row::name);
  const auto function = later::Find<Row>();
  ASSERT_NE(function, nullptr);
  EXPECT_EQ(later::Find<Row>(), function);
  const std::string file = ModuleFileOf(reinterpret_cast<const void*>(function));
  EXPECT_TRUE(SameIgnoringAsciiCase(file, SystemFolder() + "\\" + fileName)) << file;
}

TEST(LaterFunctions, EveryRowIsAnExportOfItsSystemDll) {
  ExpectFoundInSystemFolder<later::IsHungAppWindow>("user32.dll");
  ExpectFoundInSystemFolder<later::GlobalMemoryStatusEx>("kernel32.dll");
  ExpectFoundInSystemFolder<later::DwmGetWindowAttribute>("dwmapi.dll");
  ExpectFoundInSystemFolder<later::HtmlHelpA>("hhctrl.ocx");
  ExpectFoundInSystemFolder<later::SetProcessDPIAware>("user32.dll");
  ExpectFoundInSystemFolder<later::GetDpiForWindow>("user32.dll");
  ExpectFoundInSystemFolder<later::GetDpiForSystem>("user32.dll");
}

// A DLL of the same name in the program's folder (also the current folder here), which the
// search path would find first, is passed over: it exports none of the row's functions.
TEST(LaterFunctions, ADllBesideTheProgramIsNotLoaded) {
  char program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  std::string planted(program, length);
  planted.erase(planted.find_last_of('\\') + 1);
  planted += "dwmapi.dll";
  ASSERT_TRUE(CopyFileA(TOLVA_MENU_READER_DLL, planted.c_str(), FALSE));
  const auto found = later::Find<later::DwmGetWindowAttribute>();
  DeleteFileA(planted.c_str());
  EXPECT_NE(found, nullptr);
}

}  // namespace
}  // namespace tolva::platform::win32
