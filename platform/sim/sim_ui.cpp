#include "platform/sim/sim_ui.h"

#include <algorithm>

#include "platform/ui/dialog_controls.h"

namespace tolva::platform::sim {
namespace {

// A program that waits with nothing to come for this long is told to end.
constexpr std::uint64_t IdleLimit = 24ull * 60 * 60 * 1000;

class SimApplicationPeer final : public ui::ApplicationPeer {
 public:
  SimApplicationPeer(SimBackend& backend, ui::Application& application) : backend_(backend) {
    backend_.application = &application;
    backend_.applicationWindow = backend_.desktop().Create(application.Title(), false);
  }
  WindowHandle Handle() const override { return backend_.applicationWindow; }
  void SetTitle(const std::string& title) override {
    backend_.desktop().SetTitle(backend_.applicationWindow, title);
  }
  void SetHints(bool showHint, std::optional<ui::Colour> colour) override {
    backend_.hintsShown = showHint;
    backend_.hintColour = colour;
  }
  bool ProcessMessage() override { return backend_.ProcessOne(); }
  void WaitMessage() override { backend_.Wait(); }
  void PostQuit() override {
    backend_.quitPosted = true;
    backend_.log().Add("PostQuitMessage");
  }
  bool IsMinimized() const override { return minimised; }
  void Restore() override { minimised = false; }
  void ExitProcess() override {
    backend_.exitedProcess = true;
    backend_.log().Add("ExitProcess");
    throw ProcessEnded{};
  }
  bool minimised = false;

 private:
  SimBackend& backend_;
};

class SimFormPeer final : public ui::FormPeer {
 public:
  SimFormPeer(SimBackend& backend, ui::Form& form) : backend_(backend), form_(form) {
    handle_ = backend_.desktop().Create(form.Caption(), false);
  }
  void Changed(ui::Property property) override {
    if (property == ui::Property::Caption) backend_.desktop().SetTitle(handle_, form_.Caption());
  }
  WindowHandle Handle() const override { return handle_; }
  void Show(ui::WindowState state) override {
    backend_.desktop().SetVisible(handle_, true);
    backend_.desktop().SetMinimised(handle_, state == ui::WindowState::Minimized);
    shownAs = state;
    backend_.desktop().SetForegroundWindow(handle_);
    backend_.UpdateApplicationWindow();
  }
  void Hide() override {
    backend_.desktop().SetVisible(handle_, false);
    backend_.UpdateApplicationWindow();
  }
  bool IsVisible() const override {
    const auto* window = backend_.desktop().Find(handle_);
    return window != nullptr && window->visible;
  }
  void Repaint() override { backend_.log().Add("Repaint " + form_.Name()); }
  void Close() override { backend_.PostClose(form_); }
  int RunModal() override {
    backend_.log().Add("ShowModal " + form_.Name());
    Show(ui::WindowState::Normal);
    backend_.modalForms.push_back(&form_);
    // However the modal run ends, an exception included, the form goes away again.
    struct Ended {
      SimFormPeer& peer;
      ~Ended() {
        peer.backend_.modalForms.pop_back();
        peer.Hide();
      }
    } ended{*this};
    const int result = backend_.modalScript ? backend_.modalScript(form_) : IdCancel;
    if (form_.modalResult == 0) form_.modalResult = result;
    return form_.modalResult;
  }
  void EndModal() override {}
  void Destroy() override {
    backend_.desktop().Close(handle_);
    for (auto* timer : form_.timers) backend_.Unschedule(*timer);
    backend_.UpdateApplicationWindow();
  }
  ui::WindowState shownAs = ui::WindowState::Normal;

 private:
  SimBackend& backend_;
  ui::Form& form_;
  WindowHandle handle_;
};

class SimTimerPeer final : public ui::Peer {
 public:
  SimTimerPeer(SimBackend& backend, ui::Timer& timer) : backend_(backend), timer_(timer) {
    Changed(ui::Property::Enabled);
  }
  ~SimTimerPeer() override { backend_.Unschedule(timer_); }
  SimTimerPeer(const SimTimerPeer&) = delete;
  SimTimerPeer& operator=(const SimTimerPeer&) = delete;
  void Changed(ui::Property) override {
    backend_.Unschedule(timer_);
    if (timer_.Enabled() && timer_.Interval() > 0) backend_.Schedule(timer_);
  }

 private:
  SimBackend& backend_;
  ui::Timer& timer_;
};

class SimPopupMenuPeer final : public ui::PopupMenuPeer {
 public:
  SimPopupMenuPeer(SimBackend& backend, ui::PopupMenu& menu) : backend_(backend), menu_(menu) {}
  void Changed(ui::Property) override {}
  std::optional<std::size_t> Track(int x, int y) override {
    SimBackend::MenuShown shown{menu_.Name(), x, y, {}, {}};
    for (const ui::MenuItem* item : menu_.items) {
      shown.captions.push_back(item->Caption());
      shown.images.push_back(item->ImageIndex());
    }
    backend_.menusShown.push_back(std::move(shown));
    backend_.log().Add("TrackPopupMenu " + menu_.Name());
    return backend_.menuScript ? backend_.menuScript(menu_) : std::nullopt;
  }

 private:
  SimBackend& backend_;
  ui::PopupMenu& menu_;
};

// Controls keep their own state; the simulated peer has nothing to mirror.
class SimControlPeer final : public ui::Peer {
 public:
  void Changed(ui::Property) override {}
};

// The rows a check list shows, read when its content is announced as changed, and only then:
// the real list box keeps its items until told, so a content changed without the notice
// shows the old rows here too.
class SimCheckListPeer final : public ui::Peer {
 public:
  explicit SimCheckListPeer(ui::CheckListBox& list) : list_(list) { Changed(ui::Property::Items); }
  void Changed(ui::Property property) override {
    if (property != ui::Property::Items) return;
    rows_.clear();
    const std::size_t count = list_.items != nullptr ? list_.items->Count() : 0;
    for (std::size_t i = 0; i < count; ++i)
      rows_.push_back((list_.items->Checked(i) ? "[x] " : "[ ] ") + list_.items->Text(i));
  }
  const std::vector<std::string>& Rows() const { return rows_; }

 private:
  ui::CheckListBox& list_;
  std::vector<std::string> rows_;
};

class SimPeerFactory final : public ui::PeerFactory {
 public:
  explicit SimPeerFactory(SimBackend& backend) : backend_(backend) {}
  std::unique_ptr<ui::Peer> Make(ui::Picture&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::Label&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::Panel&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::ToolBar&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::Timer& timer) override {
    return std::make_unique<SimTimerPeer>(backend_, timer);
  }
  std::unique_ptr<ui::Peer> Make(ui::TabControl&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::TabSheet&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::GroupBox&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::CheckBox&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::Button&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::Edit&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::CheckListBox& list) override {
    return std::make_unique<SimCheckListPeer>(list);
  }
  std::unique_ptr<ui::Peer> Make(ui::Bevel&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::DateTimePicker&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::Peer> Make(ui::HotKey&) override { return std::make_unique<SimControlPeer>(); }
  std::unique_ptr<ui::PopupMenuPeer> Make(ui::PopupMenu& menu) override {
    return std::make_unique<SimPopupMenuPeer>(backend_, menu);
  }

 private:
  SimBackend& backend_;
};

}  // namespace

std::vector<std::string> ShownRows(const ui::CheckListBox& list) {
  const auto* peer = dynamic_cast<const SimCheckListPeer*>(list.GetPeer());
  return peer != nullptr ? peer->Rows() : std::vector<std::string>{};
}

std::unique_ptr<ui::ApplicationPeer> SimBackend::CreateApplication(ui::Application& app) {
  if (failApplicationWindow) throw Exception(ui::ApplicationWindowFailedText);
  return std::make_unique<SimApplicationPeer>(*this, app);
}

void SimBackend::CreateWindows(ui::Form& form) {
  if (failTimers && !form.timers.empty()) throw Exception("Not enough timers available");
  form.Attach(std::make_unique<SimFormPeer>(*this, form));
  SimPeerFactory factory(*this);
  for (auto* control : form.controls) control->Attach(control->MakePeer(factory));
  for (auto* timer : form.timers) timer->Attach(factory.Make(*timer));
  for (auto* menu : form.menus) menu->Attach(factory.Make(*menu));
  log_.Add("CreateWindow " + form.Name());
}

bool SimBackend::ApplicationWindowVisible() const {
  const auto* window = desktop_.Find(applicationWindow);
  return window != nullptr && window->visible;
}

void SimBackend::UpdateApplicationWindow() {
  desktop_.SetVisible(applicationWindow, application != nullptr && application->AnyFormVisible());
}

void SimBackend::Schedule(ui::Timer& timer) { timers_.push_back({&timer, now_ + timer.Interval()}); }

void SimBackend::Unschedule(ui::Timer& timer) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [&](const TimerEntry& e) { return e.timer == &timer; }),
                timers_.end());
}

bool SimBackend::FireDueTimer() {
  for (auto& entry : timers_) {
    if (entry.due <= now_) {
      ui::Timer* timer = entry.timer;
      entry.due = now_ + timer->Interval();
      if (application != nullptr) application->Dispatch([timer] { timer->Tick(); });
      return true;
    }
  }
  return false;
}

bool SimBackend::ProcessOne() {
  ++polls_;
  if (!queue_.empty()) {
    auto message = std::move(queue_.front());
    queue_.pop_front();
    if (application != nullptr) application->Dispatch(message);
    return true;
  }
  if (FireDueTimer()) return true;
  // Polling takes time: a loop that polls without waiting still sees its timers come due.
  ++now_;
  return false;
}

void SimBackend::Wait() {
  if (!queue_.empty()) return;
  if (onIdle && application != nullptr && application->MainForm() != nullptr) {
    onIdle();
    if (!queue_.empty() || (application != nullptr && application->Terminated())) return;
  }
  std::uint64_t next = UINT64_MAX;
  for (const auto& entry : timers_) next = std::min(next, entry.due);
  if (next == UINT64_MAX || next > IdleLimit) {
    log_.Add("idle: nothing more will come");
    if (application != nullptr) application->Terminate();
    return;
  }
  now_ = std::max(now_, next);
}

void SimBackend::Advance(std::uint64_t milliseconds) {
  const std::uint64_t end = now_ + milliseconds;
  for (;;) {
    while (!queue_.empty() || FireDueTimer()) ProcessOne();
    std::uint64_t next = UINT64_MAX;
    for (const auto& entry : timers_) next = std::min(next, entry.due);
    if (next > end) break;
    now_ = next;
  }
  now_ = end;
}

void SimBackend::Click(ui::Control& control) {
  if (!control.Usable() || application == nullptr) return;
  application->Dispatch([&control] { control.Click(); });
}

void SimBackend::PressKey(ui::Form& form, unsigned key, ui::KeyShift shift) {
  if (application != nullptr) application->KeyDown(form, key, shift, form.Visible());
}

bool SimBackend::PressAlt(ui::Form& form, char letter) {
  return application != nullptr && form.Visible() && application->AltKey(form, letter);
}

bool SimBackend::PressDialogKey(ui::Form& form, unsigned key) {
  PressKey(form, key, {});
  return application != nullptr && form.Visible() && application->DialogKey(form, key);
}

void SimBackend::RequestClose(ui::Form& form) {
  if (application == nullptr) return;
  const bool modal = std::find(modalForms.begin(), modalForms.end(), &form) != modalForms.end();
  application->CloseRequested(form, modal);
}

std::intptr_t SimBackend::SendMessage(ui::Form& form, unsigned id, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  ui::Message message{id, wParam, lParam, 0};
  bool handled = false;
  if (application != nullptr) application->Dispatch([&] { handled = form.HandleMessage(message); });
  if (handled) return message.result;
  if (id == ui::WmClose) RequestClose(form);
  return 0;
}

bool SimBackend::PressHotKey(unsigned modifiers, unsigned key) {
  const auto holder = desktop_.HotKeyFor(modifiers, key);
  if (!holder || holder->window == NullWindow || application == nullptr) return false;
  for (ui::Form* form : application->Forms()) {
    if (form->Handle() != holder->window) continue;
    SendMessage(*form, WmHotKey, static_cast<std::uintptr_t>(holder->id),
                static_cast<std::intptr_t>((key << 16) | (modifiers & 0xFFFF)));
    return true;
  }
  return false;
}

void SimBackend::PostClose(ui::Form& form) {
  Post([this, &form] { SendMessage(form, ui::WmClose); });
}

void SimBackend::Activate() {
  if (application != nullptr) application->Activated();
}

void SimBackend::SettingChanged(const std::string& area) {
  if (application != nullptr) application->SettingChanged(area);
}

}  // namespace tolva::platform::sim
