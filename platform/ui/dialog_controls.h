#pragma once
// The controls of the program's dialogs: tab pages, group boxes, check boxes, push buttons,
// edits, the check list, bevels, date and time pickers, the hot key field, and the standard file
// chooser.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/ui/controls.h"

namespace tolva::ui {

// One page of a TabControl; the controls on it name it as their parent. Its caption is the
// tab's text, and its bounds are the tab control's to set.
class TabSheet : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  // Only the active page of its tab control can be reached.
  bool Usable() const override;
  // The page its tab control shows now (one without a tab control counts as active).
  bool Active() const;
  // On the screen as far as the page itself goes: visible and active.
  bool Shown() const { return Visible() && Active(); }
  TabControl* owner = nullptr;  // set by TabControl::AddPage
};

// Tabs over pages, one page shown at a time.
class TabControl : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }

  // Makes the page this control's, after the pages added before it.
  void AddPage(TabSheet& page);
  const std::vector<TabSheet*>& Pages() const { return pages_; }
  int ActivePageIndex() const { return activePage_; }
  // By code: shows the page and runs nothing.
  void SetActivePageIndex(int index);
  // The user chose a tab: the page is shown, then OnChange runs. Backends call this.
  void PageChosen(int index);

  bool hotTrack = true;  // tabs highlight under the mouse
  // Pixels left and right of each tab's caption, and above and below it: comctl32's own.
  Size tabPadding{6, 3};
  std::function<void()> OnChange;

 private:
  std::vector<TabSheet*> pages_;
  int activePage_ = 0;
};

// A frame with a caption around other controls, which name it as their parent.
class GroupBox : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  Colour captionColour{0, 0, 0};
};

// A check box. Its OnClick runs exactly when its state changes, whether the user clicked it or
// code set it; setting the state it already has runs nothing. The dialogs' enabling rules rest
// on that.
class CheckBox : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  bool TabStop() const override { return true; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // The user's click turns the tick over.
  void Click() override { SetChecked(!checked_); }

 private:
  bool checked_ = false;
};

// A push button, optionally with a 16 x 16 picture left of its caption (and a greyed picture
// shown while it is disabled).
class Button : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  bool TabStop() const override { return true; }
  bool isDefault = false;  // Enter anywhere in the form clicks it
  bool isCancel = false;   // Esc anywhere in the form clicks it
  std::string glyphResource;          // bitmap resource, empty for none
  std::string disabledGlyphResource;  // shown instead while disabled; empty: the same one
  Colour captionColour{0, 0, 0};
};

// A single-line edit.
class Edit : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  bool TabStop() const override { return true; }
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); Notify(Property::Text); }
  bool readOnly = false;
  Colour colour{255, 255, 255};

 private:
  std::string text_;
};

// What a CheckListBox shows: texts, each with a tick, in the order shown. The list box keeps
// no copy, so whoever reads the content reads what the user sees.
class CheckList {
 public:
  virtual ~CheckList() = default;
  virtual std::size_t Count() const = 0;
  virtual std::string Text(std::size_t index) const = 0;
  virtual bool Checked(std::size_t index) const = 0;
  virtual void SetChecked(std::size_t index, bool checked) = 0;
};

// A list of texts with a check box each, drawn by the program in its own colour.
class CheckListBox : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  bool TabStop() const override { return true; }
  CheckList* items = nullptr;
  int itemHeight = 13;
  Colour colour{255, 255, 255};
  // Tells the peer that the content was replaced.
  void ItemsChanged() { Notify(Property::Items); }
  // The user's click on an item's box (or the space bar on it). Backends call this.
  void ItemToggled(std::size_t index);
  // The user's tick or untick, after it took effect.
  std::function<void(std::size_t index)> OnClickCheck;
};

// A lowered frame.
class Bevel : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
};

// comctl32's date and time picker: a time with up-down arrows, or a date in the long format
// with a drop-down calendar. Typing free text is off.
class DateTimePicker : public Control {
 public:
  enum class Kind { Time, Date };
  DateTimePicker(std::string name, Kind kind) : Control(std::move(name)), kind_(kind) {}
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  bool TabStop() const override { return true; }
  Kind kind() const { return kind_; }
  const platform::LocalTime& Value() const { return value_; }
  // By code.
  void SetValue(const platform::LocalTime& value) { value_ = value; Notify(Property::Value); }
  // The user changed the value. Backends call this.
  void ValueChosen(const platform::LocalTime& value) { value_ = value; }

  Colour colour{255, 255, 255};  // the field's background
  struct CalendarColours {
    Colour background, title, text, monthBackground, trailingText;
  };
  // The drop-down calendar of a date picker.
  CalendarColours calendar{{255, 255, 255}, {0, 0, 128}, {0, 0, 0}, {255, 255, 255}, {128, 128, 128}};

 private:
  Kind kind_;
  platform::LocalTime value_;
};

// comctl32's hot key control: the user presses a key combination in it, and it shows it in
// words. The value is in the control's own form (platform/windows.h): the virtual-key code in the
// low byte, the modifiers in the high byte; 0 for none.
class HotKey : public Control {
 public:
  using Control::Control;
  std::unique_ptr<Peer> MakePeer(PeerFactory& factory) override { return factory.Make(*this); }
  bool TabStop() const override { return true; }
  std::uint16_t Value() const { return value_; }
  // By code.
  void SetValue(std::uint16_t value) { value_ = value; Notify(Property::Value); }
  // The user pressed a combination. Backends call this.
  void ValueChosen(std::uint16_t value) { value_ = value; }

 private:
  std::uint16_t value_ = 0;
};

// The button that Enter (VkReturn: the default one) or Esc (VkEscape: the cancel one) clicks
// in the form: the first so marked that the user can reach; none for another key, or when no
// such button can be reached (the key then goes on as any other).
Button* DialogButton(const Form& form, unsigned key);

// The standard file chooser, as a form keeps it: its settings stay from one use to the next.
// It opens on the file type filterIndex names every time, whichever the user chose last.
class OpenDialog {
 public:
  std::string title;
  std::vector<platform::FileFilter> filters;
  int filterIndex = 1;
  std::string fileName;    // proposed, and after a choice the chosen file's full path
  std::string initialDir;
  bool hideReadOnly = false, pathMustExist = false, fileMustExist = false, resizable = false;

  // Runs the chooser over the owner window; true when the user chose a file.
  bool Execute(platform::FileDialogs& dialogs, platform::WindowHandle owner);
};

}  // namespace tolva::ui
