#pragma once
// A form's top-level window, owned by the application window.
#include <windows.h>

#include <memory>
#include <optional>

#include "platform/ui/application.h"
#include "platform/win32/backend_state.h"
#include "platform/win32/form_site.h"
#include "platform/win32/window_procedure.h"
#include "platform/win32/window_ref.h"

namespace tolva::platform::win32 {

class FormWindow final : public ui::FormPeer, private WindowTarget {
 public:
  // Throws tolva::Exception when the window cannot be made.
  FormWindow(BackendState& state, ui::Form& form);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND hwnd() const { return window_.get(); }
  const WindowRef& ref() const { return site_->window; }
  // What the peers of the form's controls and timers share with it.
  const std::shared_ptr<FormSite>& Site() const { return site_; }

  // FormPeer
  WindowHandle Handle() const override;
  void Changed(ui::Property property) override;
  void Show(ui::WindowState state) override;
  void Hide() override;
  bool IsVisible() const override;
  void Repaint() override;
  void Close() override;
  int RunModal() override;
  void EndModal() override;
  void Destroy() override;

  // The form's tooltip and those of its controls.
  void ApplyHints(bool show, std::optional<ui::Colour> colour) const;
  // A key press of this form or its children, before the focused window sees it.
  void PreviewKey(const MSG& message);
  // Tab or Shift+Tab moves the focus on; Enter or Esc clicks the default or cancel button.
  // Returns whether the key was taken so.
  bool DialogKey(const MSG& message);
  // Alt+letter: a tool bar button whose caption underlines the letter. Returns whether one did.
  bool Accelerator(char letter) const;

 private:
  // WindowTarget
  void WindowMade(HWND hwnd) noexcept override;
  LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowGone() noexcept override;
  ui::Application& App() const override { return form_.app; }

  template <class F>
  void ForEachChild(F&& visit) const;
  void Unregister();
  LRESULT Notify(HWND hwnd, const NMHDR& header);
  // Gives the focus to the control that is to have it; returns whether it could.
  bool RestoreFocus() const;

  BackendState& state_;
  ui::Form& form_;
  std::shared_ptr<FormSite> site_;
  bool modal_ = false;
  const ui::Control* focus_ = nullptr;  // the control that has the focus while the form is active
  bool destroying_ = false;
  OwnedWindow window_;  // last: the window goes before everything it uses
};

}  // namespace tolva::platform::win32
