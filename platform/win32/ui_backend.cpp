#include "platform/win32/ui_backend.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/application_window.h"
#include "platform/win32/backend_state.h"
#include "platform/win32/control_factory.h"
#include "platform/win32/form_window.h"
#include "platform/win32/gdi.h"
#include "platform/win32/later_functions.h"
#include "platform/win32/top_level.h"

namespace tolva::platform::win32 {

HWND BackendState::ApplicationHwnd() const { return application ? application->hwnd() : nullptr; }

FormWindow* BackendState::FormOf(HWND hwnd) const {
  if (hwnd == nullptr) return nullptr;
  const HWND root = TopLevelOf(hwnd);
  const auto found = std::find_if(forms.begin(), forms.end(),
                                  [root](const FormWindow* form) { return form->hwnd() == root; });
  return found == forms.end() ? nullptr : *found;
}

WindowRef BackendState::RefOf(HWND hwnd) const {
  if (hwnd == nullptr) return {};
  if (application != nullptr && application->hwnd() == hwnd) return application->ref();
  const auto found = std::find_if(forms.begin(), forms.end(),
                                  [hwnd](const FormWindow* form) { return form->hwnd() == hwnd; });
  return found == forms.end() ? WindowRef() : (*found)->ref();
}

void BackendState::UpdateTaskbarButton() const {
  if (application == nullptr) return;
  application->ShowTaskbarButton(application->application().AnyFormVisible());
}

void BackendState::ApplyHints() const {
  for (const FormWindow* form : forms) form->ApplyHints(showHints, hintColour);
}

void BackendState::ActivateApp(ui::Application& app, bool active) {
  if (active == applicationActive) return;
  applicationActive = active;
  if (active) app.Activated();
}

Win32Backend::Win32Backend(HINSTANCE instance) : Win32Backend(instance, systemTimers_) {}

Win32Backend::Win32Backend(HINSTANCE instance, Timers& timers)
    : state_(std::make_unique<State>()) {
  state_->instance = instance;
  state_->timers = &timers;
  // The program scales its own windows (platform/ui/scaling.h), so the system must not stretch
  // them: the manifest says so from Vista on, and the call says it again where a manifest entry
  // is not read, before the scale is read and any window is made. Before Vista there is no
  // stretching, and nothing to say.
  if (const auto declareAware = later::Find<later::SetProcessDPIAware>()) declareAware();
  {
    const WindowDc screen(nullptr);
    state_->scaling = ui::Scaling(screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0);
  }
  // The tooltips, the tool bar and the date and time pickers.
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
}

Win32Backend::~Win32Backend() = default;

std::unique_ptr<ui::ApplicationPeer> Win32Backend::CreateApplication(ui::Application& application) {
  return std::make_unique<ApplicationWindow>(*state_, application);
}

void Win32Backend::CreateWindows(ui::Form& form) {
  // Everything is made first and attached only when all of it worked: a failure (no timer
  // left) leaves no window behind.
  auto window = std::make_unique<FormWindow>(*state_, form);
  ControlFactory factory(window->Site());
  std::vector<std::pair<ui::Component*, std::unique_ptr<ui::Peer>>> peers;
  for (ui::Control* control : form.controls) {
    if (auto peer = control->MakePeer(factory)) peers.emplace_back(control, std::move(peer));
  }
  for (ui::Timer* timer : form.timers) peers.emplace_back(timer, factory.Make(*timer));
  for (ui::PopupMenu* menu : form.menus) peers.emplace_back(menu, factory.Make(*menu));
  window->ApplyHints(state_->showHints, state_->hintColour);
  for (auto& [component, peer] : peers) component->Attach(std::move(peer));
  form.Attach(std::move(window));
}

}  // namespace tolva::platform::win32
