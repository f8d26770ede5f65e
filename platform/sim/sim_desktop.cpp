#include "platform/sim/sim_desktop.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "platform/ascii.h"

namespace tolva::platform::sim {

WindowHandle SimDesktop::Insert(Window window) {
  windows_.insert(windows_.begin(), std::move(window));
  return windows_.front().handle;
}

WindowHandle SimDesktop::NewHandle() {
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 4;
  return handle;
}

WindowHandle SimDesktop::Create(std::string title, bool visible, bool enabled) {
  return Insert(Window{NewHandle(), std::move(title), visible, enabled});
}

WindowHandle SimDesktop::CreateReusing(WindowHandle closed, std::string title, bool visible,
                                       bool enabled) {
  const auto it = std::find(closed_.begin(), closed_.end(), closed);
  if (it == closed_.end()) throw std::logic_error("CreateReusing: handle is not free");
  closed_.erase(it);
  return Insert(Window{closed, std::move(title), visible, enabled});
}

WindowHandle SimDesktop::CreateOwned(WindowHandle owner, std::string title, bool visible,
                                     bool enabled) {
  if (Find(owner) == nullptr) throw std::logic_error("CreateOwned: no such owner");
  Window window{NewHandle(), std::move(title), visible, enabled};
  window.owner = owner;
  return Insert(std::move(window));
}

WindowHandle SimDesktop::CreateChild(WindowHandle parent, std::string title, bool visible) {
  if (Find(parent) == nullptr) throw std::logic_error("CreateChild: no such parent");
  Window window{NewHandle(), std::move(title), visible};
  window.parent = parent;
  return Insert(std::move(window));
}

void SimDesktop::Close(WindowHandle window) {
  if (Find(window) == nullptr) return;
  // What it owns and what it holds go first, as DestroyWindow does.
  std::vector<WindowHandle> dependants;
  for (const auto& w : windows_)
    if (w.owner == window || w.parent == window) dependants.push_back(w.handle);
  for (const WindowHandle dependant : dependants) Close(dependant);
  std::erase_if(windows_, [&](const Window& w) { return w.handle == window; });
  closed_.push_back(window);
  std::erase_if(hotKeys_, [&](const HotKeyHolder& h) { return h.window == window; });
  if (foreground_ == window) foreground_ = NullWindow;
  if (focus_ == window) focus_ = NullWindow;
}

bool SimDesktop::Owns(WindowHandle owner, const Window& window) const {
  for (const Window* w = &window; w != nullptr && w->owner != NullWindow; w = Find(w->owner))
    if (w->owner == owner) return true;
  return false;
}

void SimDesktop::Raise(WindowHandle window) {
  // The windows it owns come along and stay above it, in their order.
  std::stable_partition(windows_.begin(), windows_.end(), [&](const Window& w) {
    return w.handle == window || Owns(window, w);
  });
}

SimDesktop::Window* SimDesktop::FindMutable(WindowHandle window) {
  for (auto& w : windows_)
    if (w.handle == window) return &w;
  return nullptr;
}

const SimDesktop::Window* SimDesktop::Find(WindowHandle window) const {
  for (const auto& w : windows_)
    if (w.handle == window) return &w;
  return nullptr;
}

void SimDesktop::SetTitle(WindowHandle window, std::string title) {
  if (auto* w = FindMutable(window)) w->title = std::move(title);
}
void SimDesktop::SetEnabled(WindowHandle window, bool enabled) {
  if (auto* w = FindMutable(window)) w->enabled = enabled;
}
void SimDesktop::SetVisible(WindowHandle window, bool visible) {
  if (auto* w = FindMutable(window)) w->visible = visible;
}
void SimDesktop::SetMinimised(WindowHandle window, bool minimised) {
  if (auto* w = FindMutable(window)) w->minimised = minimised;
}

std::vector<WindowHandle> SimDesktop::StackingOrder() const {
  std::vector<WindowHandle> order;
  order.reserve(windows_.size());
  for (const auto& w : windows_)
    if (w.parent == NullWindow) order.push_back(w.handle);
  return order;
}

bool SimDesktop::EnumWindows(WindowEnumProc proc, void* context) {
  log_.Add("EnumWindows");
  // As the real one: the list is taken first, and a window that has gone since is passed over.
  const std::vector<WindowHandle> snapshot = StackingOrder();
  for (const WindowHandle window : snapshot) {
    if (!IsWindow(window)) continue;
    const bool goOn = proc(window, context);
    if (afterVisit) afterVisit(window);
    if (!goOn) return false;
  }
  return true;
}

int SimDesktop::GetWindowTextA(WindowHandle window, char* buffer, int capacity) {
  if (buffer == nullptr || capacity <= 0) return 0;
  const Window* w = Find(window);
  if (w == nullptr) {
    buffer[0] = '\0';
    return 0;
  }
  const auto count = std::min(w->title.size(), static_cast<std::size_t>(capacity - 1));
  std::memcpy(buffer, w->title.data(), count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

bool SimDesktop::IsWindow(WindowHandle window) {
  return window == DesktopWindow || Find(window) != nullptr;
}

bool SimDesktop::IsWindowVisible(WindowHandle window) {
  if (window == DesktopWindow) return true;
  // A child shows only while every window it sits in does; an owner has no say.
  for (const Window* w = Find(window); w != nullptr; w = Find(w->parent)) {
    if (!w->visible) return false;
    if (w->parent == NullWindow) return true;
  }
  return false;
}

bool SimDesktop::IsWindowEnabled(WindowHandle window) {
  if (window == DesktopWindow) return true;
  const Window* w = Find(window);
  return w != nullptr && w->enabled;
}

void SimDesktop::SetHung(WindowHandle window, bool hung) {
  Window* w = FindMutable(window);
  if (w == nullptr) return;
  w->hung = hung;
  if (hung) return;
  // Awake again, its thread takes the commands queued for it in their order.
  const std::vector<ShowCommand> queued = std::exchange(w->queued, {});
  for (const ShowCommand command : queued) {
    if (Window* still = FindMutable(window)) Apply(*still, command);
  }
}

bool SimDesktop::ShowWindow(WindowHandle window, ShowCommand command) {
  ++showWindowCalls_;
  log_.Add("ShowWindow " + HexText(window) + " " + std::to_string(static_cast<int>(command)));
  Window* w = FindMutable(window);
  if (w == nullptr) return false;
  if (w->hung) {
    // The call returns only once the thread answers again.
    ++waitsForHungWindows_;
    SetHung(window, false);
    w = FindMutable(window);
    if (w == nullptr) return false;
  }
  const bool visible = Apply(*w, command);
  if (duringShowWindow) duringShowWindow(window, command);
  return visible;
}

std::uint32_t SimDesktop::GetWindowThreadProcessId(WindowHandle window) {
  const Window* found = Find(window);
  return found != nullptr ? found->processId : 0;
}

void SimDesktop::SetProcessId(WindowHandle window, std::uint32_t processId) {
  if (Window* found = FindMutable(window)) found->processId = processId;
}

void SimDesktop::SetCloaked(WindowHandle window, std::uint32_t cloaked) {
  if (Window* found = FindMutable(window)) found->cloaked = cloaked;
}

std::optional<std::uint32_t> SimDesktop::DwmGetWindowAttributeCloaked(WindowHandle window) {
  const Window* w = Find(window);
  if (dwmMissing || w == nullptr) return std::nullopt;  // missing, or E_HANDLE
  return w->cloaked;
}

std::optional<bool> SimDesktop::IsHungAppWindow(WindowHandle window) {
  if (cannotTellHung) return std::nullopt;
  const Window* w = Find(window);
  return w != nullptr && w->hung;
}

bool SimDesktop::ShowWindowAsync(WindowHandle window, ShowCommand command) {
  log_.Add("ShowWindowAsync " + HexText(window) + " " + std::to_string(static_cast<int>(command)));
  Window* w = FindMutable(window);
  if (w == nullptr) return false;
  // Nothing waits, so no message reaches the program meanwhile (no duringShowWindow). A window
  // that answers takes the command at once.
  if (!w->hung) return Apply(*w, command);
  w->queued.push_back(command);
  return true;
}

bool SimDesktop::Apply(Window& window, ShowCommand command) {
  const bool wasVisible = window.visible;
  // Hiding a hidden window, or restoring a visible one that is not minimised, changes nothing.
  // Any other call raises the window, hiding it included, as Wine does; showing without
  // activation raises a window that was visible already.
  bool changed = true;
  bool activates = false;
  switch (command) {
    case ShowCommand::Hide:
      changed = wasVisible;
      window.visible = false;
      break;
    case ShowCommand::ShowNoActivate: window.visible = true; break;
    case ShowCommand::ShowNormal:
    case ShowCommand::Restore:
      changed = !wasVisible || window.minimised;
      activates = changed;
      window.visible = true;
      window.minimised = false;
      break;
  }
  // Raising moves the windows in the list, so the handle is what is kept.
  const WindowHandle handle = window.handle;
  if (activates) foreground_ = handle;
  if (changed && window.parent == NullWindow) Raise(handle);
  return wasVisible;
}

// Leaves the stacking order alone, as Wine does without a window manager; Windows would also
// raise the window.
bool SimDesktop::SetForegroundWindow(WindowHandle window) {
  log_.Add("SetForegroundWindow " + HexText(window));
  if (Find(window) == nullptr) return false;
  foreground_ = window;
  return true;
}

WindowHandle SimDesktop::SetFocus(WindowHandle window) {
  log_.Add("SetFocus " + HexText(window));
  if (window != NullWindow && Find(window) == nullptr) return NullWindow;
  const WindowHandle previous = focus_;
  focus_ = window;
  return previous;
}

bool SimDesktop::GetCursorPos(int& x, int& y) {
  log_.Add("GetCursorPos");
  if (failCursorPos) return false;
  x = cursorX;
  y = cursorY;
  return true;
}

unsigned SimDesktop::RegisterWindowMessageA(const char* name) {
  const std::string text = name == nullptr ? "" : name;
  log_.Add("RegisterWindowMessageA " + text);
  if (text.empty()) return 0;
  const std::string key = platform::AsciiUpperText(text);
  const auto [entry, added] = registeredMessages_.try_emplace(
      key, static_cast<unsigned>(FirstRegisteredMessage + registeredMessages_.size()));
  return entry->second;
}

namespace {
// The modifiers that tell combinations apart; ModNoRepeat only says how a held key posts.
constexpr unsigned CombinationModifiers = ModAlt | ModControl | ModShift | ModWin;
}  // namespace

std::optional<SimDesktop::HotKeyHolder> SimDesktop::HotKeyFor(unsigned modifiers, unsigned key) const {
  for (const HotKeyHolder& holder : hotKeys_) {
    if (holder.key == key && (holder.modifiers & CombinationModifiers) == (modifiers & CombinationModifiers)) {
      return holder;
    }
  }
  return std::nullopt;
}

void SimDesktop::HoldHotKey(unsigned modifiers, unsigned key) {
  hotKeys_.push_back({NullWindow, 0, modifiers, key});
}

void SimDesktop::LetGoHotKey(unsigned modifiers, unsigned key) {
  std::erase_if(hotKeys_, [&](const HotKeyHolder& h) {
    return h.window == NullWindow && h.key == key && h.modifiers == modifiers;
  });
}

bool SimDesktop::RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned key) {
  log_.Add("RegisterHotKey " + HexText(window) + " " + std::to_string(id) + " " + HexText(modifiers) +
           " " + HexText(key));
  if ((refuseNoRepeat && (modifiers & ModNoRepeat) != 0) || Find(window) == nullptr) return false;
  if (HotKeyFor(modifiers, key)) return false;
  hotKeys_.push_back({window, id, modifiers, key});
  return true;
}

bool SimDesktop::UnregisterHotKey(WindowHandle window, int id) {
  log_.Add("UnregisterHotKey " + HexText(window) + " " + std::to_string(id));
  if (window == NullWindow) return false;
  return std::erase_if(hotKeys_, [&](const HotKeyHolder& h) { return h.window == window && h.id == id; }) > 0;
}

bool SimDesktop::LockWindowUpdate(WindowHandle window) {
  log_.Add("LockWindowUpdate " + HexText(window));
  // Unlocking always succeeds, whether or not anything was locked.
  if (window == NullWindow) {
    locked_ = NullWindow;
    return true;
  }
  // Only one window can be locked at a time, and locking it again fails too.
  if (locked_ != NullWindow || !IsWindow(window)) return false;
  locked_ = window;
  return true;
}

bool SimSystemParameters::SystemParametersInfoA(unsigned action, unsigned param, void* data,
                                                unsigned flags) {
  log_.Add("SystemParametersInfoA " + std::to_string(action) + " " + std::to_string(param) +
           " " + std::to_string(flags));
  switch (action) {
    case SpiGetAnimation: {
      auto* info = static_cast<AnimationInfo*>(data);
      if (info == nullptr || param != sizeof(AnimationInfo) || info->cbSize != sizeof(AnimationInfo))
        return false;
      if (failAnimationQuery) {
        // A failed query leaves the record as it was, which a caller must not trust.
        return false;
      }
      info->iMinAnimate = minimiseAnimation ? 1 : 0;
      return true;
    }
    case SpiSetAnimation: {
      const auto* info = static_cast<const AnimationInfo*>(data);
      if (info == nullptr || param != sizeof(AnimationInfo) || info->cbSize != sizeof(AnimationInfo))
        return false;
      log_.calls.back() += " animate=" + std::to_string(info->iMinAnimate);
      if (failAnimationChange) return false;
      minimiseAnimation = info->iMinAnimate != 0;
      return true;
    }
    case SpiSetScreenSaverRunning:
      if (failScreenSaverRunning) return false;
      screenSaverRunning = param != 0;
      return true;
    default:
      return false;
  }
}

}  // namespace tolva::platform::sim

namespace tolva::platform::sim {

WindowHandle SimDesktop::FindWindowA(const char* className, const char* windowName) {
  (void)className;  // the program only searches by title
  if (windowName == nullptr) return NullWindow;
  for (const auto& w : windows_)
    if (w.parent == NullWindow && w.title == windowName) return w.handle;
  return NullWindow;
}

}  // namespace tolva::platform::sim
