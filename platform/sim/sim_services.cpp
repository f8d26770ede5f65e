#include "platform/sim/sim_services.h"

#include <algorithm>
#include <utility>

#include "platform/exception.h"

namespace tolva::platform::sim {
namespace {

std::string Text(const char* text) { return text == nullptr ? "(null)" : text; }

}  // namespace

bool SimDialogs::MessageBeep(unsigned type) {
  log_.Add("MessageBeep " + HexText(type));
  return true;
}

int SimDialogs::MessageBoxA(WindowHandle owner, const char* text, const char* caption,
                            unsigned type) {
  boxes.push_back(Box{owner, Text(text), Text(caption), type});
  log_.Add("MessageBoxA " + HexText(type) + " \"" + Text(caption) + "\"");
  const Box open = boxes.back();
  if (whileOpen) whileOpen(open);
  if (answers.empty()) return IdOk;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

std::intptr_t SimShell::ShellExecuteA(WindowHandle owner, const char* verb, const char* file,
                                      const char* parameters, const char* directory,
                                      int showCommand) {
  executed.push_back(
      Execute{owner, Text(verb), Text(file), Text(parameters), Text(directory), showCommand});
  log_.Add("ShellExecuteA " + Text(verb) + " \"" + Text(file) + "\" " + std::to_string(showCommand));
  const auto found = results.find(Text(file));
  return found == results.end() ? 42 : found->second;
}

void SimShell::SHAddToRecentDocs(unsigned flags, const void* path) {
  log_.Add("SHAddToRecentDocs " + std::to_string(flags) + (path == nullptr ? " null" : " path"));
  if (path == nullptr) recentDocuments.clear();
}

bool SimShell::Shell_NotifyIconA(unsigned message, const TrayIconRecord& record) {
  const std::string tip(TrayTipText(record));
  log_.Add("Shell_NotifyIconA " + std::to_string(message) + " " + HexText(record.window) + " " +
           std::to_string(record.id) + " " + HexText(record.flags) + " " +
           HexText(record.icon) + " \"" + tip + "\"");
  lastTrayMessage = message;
  lastTrayRecord = record;
  const auto take = [&](TrayIcon& icon) {
    if (record.flags & NifMessage) icon.callbackMessage = record.callbackMessage;
    if (record.flags & NifIcon) icon.icon = record.icon;
    if (record.flags & NifTip) icon.tip = tip;
  };
  const auto refuse = [](bool& failNext) { return std::exchange(failNext, false); };
  const TrayIconKey key{record.window, record.id};
  const auto found = trayIcons.find(key);
  switch (message) {
    case NimAdd:
      if (refuse(failNextTrayAdd) || found != trayIcons.end()) return false;
      take(trayIcons[key]);
      return true;
    case NimModify:
      if (refuse(failNextTrayModify) || found == trayIcons.end()) return false;
      take(found->second);
      return true;
    case NimDelete:
      if (refuse(failNextTrayDelete) || found == trayIcons.end()) return false;
      trayIcons.erase(found);
      return true;
    default:
      return false;
  }
}

void SimShell::RestartShell() {
  log_.Add("shell restarted");
  trayIcons.clear();
}

IconHandle SimIcons::LoadSmallIcon(const char* resourceName) {
  log_.Add("LoadSmallIcon " + Text(resourceName));
  if (std::exchange(failNextLoad, false)) return NullIcon;
  const auto found = icons.find(Text(resourceName));
  return found == icons.end() ? NullIcon : found->second;
}

bool SimSound::PlaySoundA(int resource, unsigned flags) {
  played.push_back(resource);
  log_.Add("PlaySoundA " + std::to_string(resource) + " " + HexText(flags));
  return true;
}

bool SimHelp::WinHelpA(WindowHandle window, const char* helpFile, unsigned command,
                       std::uintptr_t data) {
  (void)window;
  // A help macro's data is its text.
  const std::string shown = command == HelpCommand ? Text(reinterpret_cast<const char*>(data))
                                                   : std::to_string(data);
  windows.push_back(window);
  log_.Add("WinHelpA " + Text(helpFile) + " " + std::to_string(command) + " " + shown);
  return !fail;
}

std::optional<WindowHandle> SimHelp::HtmlHelpA(WindowHandle caller, const char* file, unsigned command,
                                               std::uintptr_t data) {
  if (htmlHelp == HtmlHelpAnswer::Missing) return std::nullopt;
  // A page's name is text; a context number a number.
  const std::string shown = command == HhDisplayTopic && data != 0 ? Text(reinterpret_cast<const char*>(data))
                                                                   : std::to_string(data);
  windows.push_back(caller);
  log_.Add("HtmlHelpA " + Text(file) + " " + std::to_string(command) + " " + shown);
  constexpr WindowHandle ViewerWindow = 0x7E1;
  return htmlHelp == HtmlHelpAnswer::Opens ? ViewerWindow : NullWindow;
}

KernelHandle SimKernel::CreateMutexA(bool initialOwner, const char* name) {
  log_.Add(std::string("CreateMutexA ") + (initialOwner ? "owned " : "") + Text(name));
  if (failCreateMutex) {
    lastError_ = 5;  // ERROR_ACCESS_DENIED
    return NullKernelHandle;
  }
  const std::string key = Text(name);
  auto& count = names_.references[key];
  lastError_ = count > 0 ? ErrorAlreadyExists : 0;
  ++count;
  const KernelHandle handle = next_;
  next_ += 4;
  open_[handle] = key;
  return handle;
}

bool SimKernel::ReleaseMutex(KernelHandle mutex) {
  log_.Add("ReleaseMutex");
  return open_.count(mutex) != 0;
}

bool SimKernel::CloseHandle(KernelHandle handle) {
  log_.Add("CloseHandle");
  const auto found = open_.find(handle);
  if (found == open_.end()) return false;
  if (--names_.references[found->second] == 0) names_.references.erase(found->second);
  open_.erase(found);
  return true;
}

bool SimKernel::GetVersionExA(VersionRecord& record) {
  log_.Add("GetVersionExA");
  if (failVersion) return false;
  record = version;
  return true;
}

void SimKernel::GlobalMemoryStatus(MemoryStatus& status) {
  log_.Add("GlobalMemoryStatus " + std::to_string(status.length));
  if (throwMemory) throw Exception("Memory status unavailable");
  if (failMemory) return;
  status.memoryLoad = memoryLoad;
  status.totalPhys = static_cast<std::uint32_t>(std::min<std::uint64_t>(totalPhys, 0xFFFF'FFFF));
}

std::optional<MemoryStatusEx> SimKernel::GlobalMemoryStatusEx() {
  if (memoryStatusExMissing) return std::nullopt;
  log_.Add("GlobalMemoryStatusEx");
  if (throwMemory) throw Exception("Memory status unavailable");
  if (failMemory) return std::nullopt;
  return MemoryStatusEx{memoryLoad, totalPhys};
}

}  // namespace tolva::platform::sim
