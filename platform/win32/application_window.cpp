#include "platform/win32/application_window.h"

#include <algorithm>

#include "platform/win32/form_window.h"
#include "platform/win32/handles.h"
#include "resources/resource_ids.h"

namespace tolva::platform::win32 {
namespace {

constexpr char kApplicationClass[] = "TolvaApplication";
// Where Windows itself puts the windows it keeps out of sight.
constexpr int kOffScreen = -32000;
// Posted to the application window when it is activated (its taskbar button was clicked), so
// that the activation moves on to the main form once the current activation is complete.
constexpr UINT kActivateMainForm = WM_APP + 1;

}  // namespace

ApplicationWindow::ApplicationWindow(BackendState& state, ui::Application& app)
    : state_(state), app_(app), window_(ref_) {
  RegisterWindowClass(state.instance, kApplicationClass, 0);
  // A zero-sized window away from the screen: only its taskbar button is ever seen.
  CreateWindowExA(0, kApplicationClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                  kOffScreen, kOffScreen, 0, 0, nullptr, nullptr, state.instance,
                  CreationParameter(*this));
  const HWND hwnd = window_.get();
  if (hwnd == nullptr) throw Exception(ui::ApplicationWindowFailedText);
  if (HICON icon = static_cast<HICON>(LoadImageA(state.instance, TOLVA_ICON_MAIN, IMAGE_ICON, 0, 0,
                                                 LR_DEFAULTSIZE | LR_SHARED))) {
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  state_.application = this;
}

ApplicationWindow::~ApplicationWindow() {
  if (state_.application == this) state_.application = nullptr;
}

WindowHandle ApplicationWindow::Handle() const { return ToHandle(hwnd()); }

void ApplicationWindow::SetTitle(const std::string& title) {
  if (hwnd() != nullptr) SetWindowTextA(hwnd(), title.c_str());
}

void ApplicationWindow::SetHints(bool showHint, std::optional<ui::Colour> colour) {
  state_.showHints = showHint;
  state_.hintColour = colour;
  state_.ApplyHints();
}

void ApplicationWindow::WaitMessage() { ::WaitMessage(); }

void ApplicationWindow::PostQuit() { PostQuitMessage(0); }

void ApplicationWindow::ExitProcess() { ::ExitProcess(0); }

void ApplicationWindow::ShowTaskbarButton(bool show) const {
  const HWND hwnd = this->hwnd();
  if (hwnd == nullptr || (IsWindowVisible(hwnd) != FALSE) == show) return;
  ShowWindow(hwnd, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

LRESULT ApplicationWindow::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATEAPP:
      state_.ActivateApp(app_, wParam != FALSE);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) PostMessageA(hwnd, kActivateMainForm, 0, 0);
      break;
    case kActivateMainForm:
      if (ui::Form* main = app_.MainForm(); main && main->Visible() && GetActiveWindow() == hwnd) {
        const HWND form = ToHwnd(main->Handle());
        if (IsWindowEnabled(form)) SetActiveWindow(form);
      }
      return 0;
    case WM_SETTINGCHANGE:
      // Broadcast to every top-level window; the hidden application window hears it even while
      // no form is shown.
      app_.SettingChanged(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
      break;
    case WM_CLOSE:
      // Closing the taskbar button closes the main form, which decides.
      if (ui::Form* main = app_.MainForm()) main->Close();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool ApplicationWindow::ProcessMessage() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    app_.Terminate();
    return true;
  }
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    if (FormWindow* form = state_.FormOf(message.hwnd)) {
      form->PreviewKey(message);
      if (message.message == WM_KEYDOWN && form->DialogKey(message)) return true;
    }
  } else if (message.message == WM_SYSCHAR) {
    FormWindow* form = state_.FormOf(message.hwnd);
    if (form != nullptr && form->Accelerator(static_cast<char>(message.wParam))) return true;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

bool ApplicationWindow::IsMinimized() const {
  if (hwnd() != nullptr && IsIconic(hwnd())) return true;
  return std::any_of(state_.forms.begin(), state_.forms.end(), [](const FormWindow* form) {
    return form->hwnd() != nullptr && IsIconic(form->hwnd());
  });
}

void ApplicationWindow::Restore() {
  if (hwnd() != nullptr && IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  // A minimised form comes back normal and visible, also one hidden while minimised.
  for (const FormWindow* form : state_.forms) {
    if (form->hwnd() != nullptr && IsIconic(form->hwnd())) ShowWindow(form->hwnd(), SW_RESTORE);
  }
  state_.UpdateTaskbarButton();
}

}  // namespace tolva::platform::win32
