// The Windows entry point: the real platform and the real windows, then the program.
#include <windows.h>

#include "app/program.h"
#include "platform/win32/ui_backend.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  tolva::platform::win32::Win32Platform platform;
  tolva::platform::win32::Win32Backend backend(instance);
  tolva::app::Program program(platform.get(), backend);
  return program.Run(showCommand);
}
