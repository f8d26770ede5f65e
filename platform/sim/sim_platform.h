#pragma once
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_profile.h"
#include "platform/sim/sim_services.h"

namespace tolva::platform::sim {

class SimProcess final : public Process {
 public:
  std::string currentDirectory = "C:\\Users\\tolva";
  bool failCurrentDirectory = false;

  std::uint32_t GetCurrentDirectoryA(std::uint32_t capacity, char* buffer) override {
    if (failCurrentDirectory) return 0;
    const auto length = static_cast<std::uint32_t>(currentDirectory.size());
    if (length + 1 > capacity) return length + 1;  // too small: the size needed, buffer untouched
    std::memcpy(buffer, currentDirectory.c_str(), length + 1);
    return length;
  }
};

class SimLocale final : public Locale {
 public:
  RegionalSettings region;
  RegionalSettings ReadRegionalSettings() override { return region; }
};

// A clock that tests set and advance by hand.
class SimClock final : public Clock {
 public:
  LocalTime now{2026, 12, 2, 8, 15, 4, 5, 0};
  LocalTime GetLocalTime() override { return now; }
};

// The whole simulated platform, as one object a test makes.
class SimPlatform {
  // First, so that it exists before the kernel that refers to it.
  SimMutexNamespace ownMutexes_;

 public:
  SimPlatform() : SimPlatform(ownMutexes_) {}
  // A process of a session whose named mutexes are shared with other simulated processes.
  explicit SimPlatform(SimMutexNamespace& mutexes)
      : desktop(log), systemParameters(log), dialogs(log), fileDialogs(log), shell(log), sound(log), help(log),
        kernel(log, mutexes), icons(log),
        platform_{desktop, systemParameters, profile, process, locale, clock,
                  dialogs,  fileDialogs,      shell,   sound,   help,   kernel,
                  icons} {}
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  Platform& get() { return platform_; }

  CallLog log;
  SimDesktop desktop;
  SimSystemParameters systemParameters;
  SimProfileFiles profile;
  SimProcess process;
  SimLocale locale;
  SimClock clock;
  SimDialogs dialogs;
  SimFileDialogs fileDialogs;
  SimShell shell;
  SimSound sound;
  SimHelp help;
  SimKernel kernel;
  SimIcons icons;

 private:
  Platform platform_;
};

}  // namespace tolva::platform::sim
