#pragma once
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_dialogs.h"
#include "platform/files.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "platform/kernel.h"
#include "platform/locale.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/system_parameters.h"
#include "platform/windows.h"

namespace tolva::platform {

// Every operating-system service the program uses, made once at start-up (the real Win32 set or
// the simulated one) and handed to the code that needs it.
struct Platform {
  WindowManager& windows;
  SystemParameters& systemParameters;
  ProfileFiles& profile;
  Process& process;
  Locale& locale;
  Clock& clock;
  Dialogs& dialogs;
  FileDialogs& fileDialogs;
  Shell& shell;
  Sound& sound;
  Help& help;
  Kernel& kernel;
  Icons& icons;
  Files& files;
};

}  // namespace tolva::platform
