#pragma once
// The application object: its hidden owner window (titled with the application title, owner of
// every message box, the program's taskbar button), the application-wide hint switch and colour,
// the forms it created, the message loop and the exception and activation events.
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/exception.h"
#include "platform/ui/controls.h"

namespace tolva::ui {

class ApplicationPeer {
 public:
  virtual ~ApplicationPeer() = default;
  virtual platform::WindowHandle Handle() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // Tooltips on or off for the whole program; the colour, when given, replaces the system's.
  virtual void SetHints(bool showHint, std::optional<Colour> colour) = 0;
  // Takes one waiting message, if any, and dispatches it; returns whether there was one. A quit
  // message ends the loop: the peer calls Application::Terminate.
  virtual bool ProcessMessage() = 0;
  // Blocks until a message arrives.
  virtual void WaitMessage() = 0;
  // Asks the message loop to end once the current message is done.
  virtual void PostQuit() = 0;
  virtual bool IsMinimized() const = 0;
  virtual void Restore() = 0;
  // Ends the process at once, without returning (the session is ending). The simulated one
  // ends the simulated run instead, so that nothing after it runs there either.
  virtual void ExitProcess() = 0;
};

// Without its hidden window the program has no owner for its boxes and no taskbar button, and
// without a window class none of its windows: start-up ends with the error box.
inline constexpr const char* ApplicationWindowFailedText = "Could not create the application window";
inline constexpr const char* WindowClassFailedText = "Could not register the window class ";

class Backend {
 public:
  virtual ~Backend() = default;
  // Throws tolva::Exception(ApplicationWindowFailedText) when the window cannot be made, or
  // WindowClassFailedText and the class's name when its class cannot be registered.
  virtual std::unique_ptr<ApplicationPeer> CreateApplication(Application& application) = 0;
  // Creates the form's window, owned by the application window, and the peers of its controls,
  // image lists and timers; enabled timers start running. Throws tolva::Exception("Not enough
  // timers available") when a timer cannot be had.
  virtual void CreateWindows(Form& form) = 0;
};

class Application {
 public:
  Application(Backend& backend, platform::Dialogs& dialogs) : backend_(backend), dialogs_(dialogs) {}
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Creates the hidden application window.
  void Initialize();

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title);
  std::string helpFile;

  void SetShowHint(bool showHint);
  void SetHintColour(Colour colour);

  platform::WindowHandle Handle() const;
  Form* MainForm() const { return mainForm_; }
  const std::vector<Form*>& Forms() const { return forms_; }

  // The application's window-creation operation: sets the reference, creates the window and
  // runs the form's creation handler; the first form made so becomes the main form. When the
  // creation fails the reference is reset to null and the exception goes on to the caller.
  template <class T, class... Args>
  void CreateForm(std::unique_ptr<T>& holder, T*& reference, Args&&... args) {
    holder = std::make_unique<T>(*this, std::forward<Args>(args)...);
    reference = holder.get();
    try {
      if (mainForm_ == nullptr) mainForm_ = holder.get();
      CreateWindowOf(*holder);
    } catch (...) {
      if (mainForm_ == holder.get()) mainForm_ = nullptr;
      reference = nullptr;
      throw;
    }
  }
  // Creates a form's window and runs its creation handler, without making it the main form.
  void CreateWindowOf(Form& form);
  // Runs the form's destroy handler and destroys its window.
  void DestroyWindowOf(Form& form);
  // Destroys every window still there, the last created first.
  void DestroyWindows();

  // Shows the main form and runs the message loop until the application is told to end.
  void Run(WindowState mainFormState);
  void Terminate();
  bool Terminated() const { return terminated_; }
  // One message, if one waits: returns whether there was one.
  bool ProcessMessage();
  // One message, waiting for it when none is there.
  void HandleMessage();

  // Runs an event handler at the boundary between the platform and the program: an exception
  // goes to HandleException and never back into the platform.
  void Dispatch(const std::function<void()>& handler);
  // An exception that no handler caught: the silent abort is dropped; every other one goes to
  // OnException when it is set (a failed allocation or a bad index is as much the program's own
  // failure as one it raised itself), else to the standard error box.
  void HandleException(const std::exception& exception);
  // Runs a handler's steps; an exception is shown in the standard error box and the program goes
  // on (the guarded commands of the program's windows).
  void Guarded(const std::function<void()>& steps);
  // The standard error box: the message (with a full stop when its last character sorts after
  // "."), the application title as caption, an error icon and OK.
  void ShowException(const std::exception& exception);
  // The text ShowException shows.
  static std::string ErrorBoxText(const std::string& message);

  // What the backends do with the user's input, the same on both:
  // A request to close a form (its close box, Alt+F4, WM_CLOSE). A form shown modally ends its
  // modal loop with 2 (cancel); otherwise its close handler decides, and a close that goes ahead
  // ends the program for the main form and hides any other. A close handler that fails keeps
  // the window.
  void CloseRequested(Form& form, bool shownModally);
  // A key going down in a form or one of its controls: a form that previews keys sees it first,
  // and F1 on the active form asks for its help.
  void KeyDown(Form& form, unsigned key, KeyShift shift, bool formActive);
  // Alt with a letter in a form: clicks the button whose caption underlines the letter; returns
  // whether there was one.
  bool AltKey(Form& form, char letter);
  // Enter or Esc in a form: clicks its default or cancel button (DialogButton); returns whether
  // there was one.
  bool DialogKey(Form& form, unsigned key);
  // The program's taskbar button is shown exactly while one of its windows is visible.
  bool AnyFormVisible() const;

  std::function<void()> OnActivate;
  std::function<void(const std::exception&)> OnException;
  // The backend's report that the program as a whole became active.
  void Activated();
  // Windows announced that a system setting changed (WM_SETTINGCHANGE); area is the part it
  // names ("intl" for the regional formats), empty when it names none.
  std::function<void(const std::string& area)> OnSettingChange;
  void SettingChanged(const std::string& area);

  bool IsMinimized() const;
  void Restore();
  // The session is ending: the windows go (their destroy handlers run) and the process ends;
  // this does not return.
  void EndProcess();

 private:
  Backend& backend_;
  platform::Dialogs& dialogs_;
  std::unique_ptr<ApplicationPeer> peer_;
  std::string title_;
  bool showHint_ = true;
  std::optional<Colour> hintColour_;
  Form* mainForm_ = nullptr;
  std::vector<Form*> forms_;
  bool terminated_ = false;
};

}  // namespace tolva::ui
