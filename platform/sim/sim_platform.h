#pragma once
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "platform/ascii.h"

#include "platform/platform.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_profile.h"
#include "platform/sim/sim_services.h"

namespace tolva::platform::sim {

class SimProcess final : public Process {
 public:
  std::string currentDirectory = "C:\\Users\\tolva";
  bool failCurrentDirectory = false;
  std::string moduleFileName = "C:\\Program Files\\Tolva R. Quenlar\\tolva.exe";

  std::uint32_t GetCurrentDirectoryA(std::uint32_t capacity, char* buffer) override {
    if (failCurrentDirectory) return 0;
    const auto length = static_cast<std::uint32_t>(currentDirectory.size());
    if (length + 1 > capacity) return length + 1;  // too small: the size needed, buffer untouched
    std::memcpy(buffer, currentDirectory.c_str(), length + 1);
    return length;
  }
  std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t capacity) override {
    if (capacity == 0 || moduleFileName.empty()) return 0;
    const auto length = std::min(static_cast<std::uint32_t>(moduleFileName.size()), capacity - 1);
    std::memcpy(buffer, moduleFileName.c_str(), length);
    buffer[length] = '\0';
    return moduleFileName.size() < capacity ? length : capacity;  // cut: the capacity, as XP does
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

// Whole files by name, held as their bytes; names compare as Windows compares them, without
// regard to ASCII case.
class SimFiles final : public Files {
 public:
  std::map<std::string, std::string> files;  // by upper-cased path
  bool failWrites = false;  // as on a full disk: the file is made, the bytes do not all go in
  bool failMoves = false;
  bool noReplacingMove = false;  // the Windows 95 family's MoveFileExA, a stub that fails

  std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) override {
    const auto found = files.find(AsciiUpperText(path));
    if (found == files.end()) return std::nullopt;
    return found->second.substr(0, maxBytes);
  }
  bool WriteWholeFile(const std::string& path, std::string_view bytes) override {
    files[AsciiUpperText(path)] = failWrites ? std::string(bytes.substr(0, bytes.size() / 2)) : std::string(bytes);
    return !failWrites;
  }
  MoveResult MoveFileExA(const std::string& from, const std::string& to) override {
    if (noReplacingMove) return MoveResult::Unsupported;
    if (failMoves || files.count(AsciiUpperText(from)) == 0) return MoveResult::Failed;
    if (AsciiUpperText(from) != AsciiUpperText(to)) files.erase(AsciiUpperText(to));
    return MoveFileA(from, to) ? MoveResult::Moved : MoveResult::Failed;
  }
  bool MoveFileA(const std::string& from, const std::string& to) override {
    const auto found = files.find(AsciiUpperText(from));
    if (failMoves || found == files.end() || files.count(AsciiUpperText(to)) != 0) return false;
    std::string bytes = std::move(found->second);
    files.erase(found);
    files[AsciiUpperText(to)] = std::move(bytes);
    return true;
  }
  bool DeleteFileA(const std::string& path) override { return files.erase(AsciiUpperText(path)) == 1; }
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
                  icons,    files} {}
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
  SimFiles files;

 private:
  Platform platform_;
};

}  // namespace tolva::platform::sim
