#include "platform/ui/application.h"

#include <algorithm>

#include "platform/ui/dialog_controls.h"

namespace tolva::ui {

void Application::Initialize() {
  if (!peer_) {
    peer_ = backend_.CreateApplication(*this);
    peer_->SetTitle(title_);
    peer_->SetHints(showHint_, hintColour_);
  }
}

void Application::SetTitle(std::string title) {
  title_ = std::move(title);
  if (peer_) peer_->SetTitle(title_);
}

void Application::SetShowHint(bool showHint) {
  showHint_ = showHint;
  if (peer_) peer_->SetHints(showHint_, hintColour_);
}

void Application::SetHintColour(Colour colour) {
  hintColour_ = colour;
  if (peer_) peer_->SetHints(showHint_, hintColour_);
}

platform::WindowHandle Application::Handle() const {
  return peer_ ? peer_->Handle() : platform::NullWindow;
}

void Application::CreateWindowOf(Form& form) {
  Initialize();
  backend_.CreateWindows(form);
  forms_.push_back(&form);
  if (form.OnCreate) form.OnCreate();
}

void Application::DestroyWindowOf(Form& form) {
  const auto found = std::find(forms_.begin(), forms_.end(), &form);
  if (found == forms_.end()) return;
  forms_.erase(found);
  if (form.OnDestroy) Dispatch(form.OnDestroy);
  if (form.Peer()) form.Peer()->Destroy();
  if (mainForm_ == &form) mainForm_ = nullptr;
}

void Application::DestroyWindows() {
  while (!forms_.empty()) DestroyWindowOf(*forms_.back());
}

void Application::Run(WindowState mainFormState) {
  if (mainForm_ == nullptr) return;
  mainForm_->Show(mainFormState);
  while (!terminated_) HandleMessage();
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  if (peer_) peer_->PostQuit();
}

bool Application::ProcessMessage() { return peer_ && peer_->ProcessMessage(); }

void Application::HandleMessage() {
  if (!ProcessMessage() && !terminated_ && peer_) peer_->WaitMessage();
}

void Application::Guarded(const std::function<void()>& steps) {
  try {
    steps();
  } catch (const std::exception& exception) {
    ShowException(exception);
  }
}

void Application::Dispatch(const std::function<void()>& handler) {
  try {
    if (handler) handler();
  } catch (const std::exception& exception) {
    HandleException(exception);
  }
}

void Application::HandleException(const std::exception& exception) {
  if (dynamic_cast<const Abort*>(&exception) != nullptr) return;
  if (OnException) {
    // The handler itself must not throw back into the platform.
    try {
      OnException(exception);
      return;
    } catch (const std::exception& nested) {
      ShowException(nested);
      return;
    }
  }
  ShowException(exception);
}

std::string Application::ErrorBoxText(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

void Application::ShowException(const std::exception& exception) {
  const std::string text = ErrorBoxText(exception.what());
  dialogs_.MessageBoxA(Handle(), text.c_str(), title_.c_str(),
                       platform::MbOk | platform::MbIconError);
}

void Application::CloseRequested(Form& form, bool shownModally) {
  if (shownModally) {
    form.modalResult = platform::IdCancel;
    return;
  }
  CloseAction action = CloseAction::None;
  Dispatch([&] { action = form.QueryClose(); });
  if (action == CloseAction::None) return;
  if (&form == mainForm_) {
    Terminate();
  } else {
    form.Hide();
  }
}

void Application::KeyDown(Form& form, unsigned key, KeyShift shift, bool formActive) {
  if (form.keyPreview && form.OnKeyDown) Dispatch([&] { form.OnKeyDown(key, shift); });
  if (key == VkF1 && formActive && form.OnHelpKey) Dispatch(form.OnHelpKey);
}

bool Application::AltKey(Form& form, char letter) {
  ToolButton* button = form.AcceleratorButton(letter);
  if (button == nullptr) return false;
  Dispatch([button] { button->Click(); });
  return true;
}

bool Application::DialogKey(Form& form, unsigned key) {
  Button* button = DialogButton(form, key);
  if (button == nullptr) return false;
  Dispatch([button] { button->Click(); });
  return true;
}

bool Application::AnyFormVisible() const {
  return std::any_of(forms_.begin(), forms_.end(), [](const Form* form) { return form->Visible(); });
}

void Application::Activated() {
  if (OnActivate) Dispatch(OnActivate);
}

void Application::SettingChanged(const std::string& area) {
  if (OnSettingChange) Dispatch([&] { OnSettingChange(area); });
}

bool Application::IsMinimized() const { return peer_ && peer_->IsMinimized(); }

void Application::Restore() {
  if (peer_) peer_->Restore();
}

void Application::EndProcess() {
  DestroyWindows();
  if (peer_) peer_->ExitProcess();
}

}  // namespace tolva::ui
