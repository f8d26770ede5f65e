#pragma once
// The application's hidden window: titled with the application title, owner of every form and
// message box, the program's taskbar button.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/ui/application.h"
#include "platform/win32/backend_state.h"
#include "platform/win32/window_procedure.h"
#include "platform/win32/window_ref.h"

namespace tolva::platform::win32 {

class ApplicationWindow final : public ui::ApplicationPeer, private WindowTarget {
 public:
  ApplicationWindow(BackendState& state, ui::Application& app);
  ~ApplicationWindow() override;
  ApplicationWindow(const ApplicationWindow&) = delete;
  ApplicationWindow& operator=(const ApplicationWindow&) = delete;

  HWND hwnd() const { return window_.get(); }
  const WindowRef& ref() const { return ref_; }
  ui::Application& application() const { return app_; }
  void ShowTaskbarButton(bool show) const;

  // ApplicationPeer
  WindowHandle Handle() const override;
  void SetTitle(const std::string& title) override;
  void SetHints(bool showHint, std::optional<ui::Colour> colour) override;
  bool ProcessMessage() override;
  void WaitMessage() override;
  void PostQuit() override;
  bool IsMinimized() const override;
  void Restore() override;
  void ExitProcess() override;

 private:
  // WindowTarget
  void WindowMade(HWND hwnd) noexcept override { ref_.Set(hwnd); }
  LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowGone() noexcept override { ref_.Clear(); }
  ui::Application& App() const override { return app_; }

  BackendState& state_;
  ui::Application& app_;
  WindowRef ref_;
  OwnedWindow window_;  // last: the window goes before what it uses
};

}  // namespace tolva::platform::win32
