// comctl32's date and time picker. The value is the control's: set here from it, and read back
// into it when the user changes the field.
#include "platform/win32/control_factory.h"
#include "platform/win32/control_peer.h"

namespace tolva::platform::win32 {
namespace {

SYSTEMTIME ToSystemTime(const LocalTime& t) {
  const auto word = [](int value) { return static_cast<WORD>(value); };
  return {word(t.year), word(t.month),  word(t.dayOfWeek), word(t.day),
          word(t.hour), word(t.minute), word(t.second),    word(t.millisecond)};
}

LocalTime ToLocalTime(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

DWORD PickerStyle(ui::DateTimePicker::Kind kind) {
  // No DTS_APPCANPARSE: the user edits the fields, never free text.
  return WS_TABSTOP |
         (kind == ui::DateTimePicker::Kind::Time ? DTS_TIMEFORMAT | DTS_UPDOWN : DTS_LONGDATEFORMAT);
}

class DateTimePickerWindow final : public ControlPeer {
 public:
  DateTimePickerWindow(std::shared_ptr<const FormSite> site, ui::DateTimePicker& picker)
      : ControlPeer(std::move(site), picker),
        picker_(picker),
        background_(picker.colour),
        window_(*site_, *this, DATETIMEPICK_CLASSA, PickerStyle(picker.kind()), WS_EX_CLIENTEDGE) {
    const HWND hwnd = window_.get();
    if (hwnd == nullptr) return;
    const auto& c = picker.calendar;
    for (const auto& [part, colour] :
         {std::pair{MCSC_BACKGROUND, c.background}, std::pair{MCSC_TITLEBK, c.title},
          std::pair{MCSC_TEXT, c.text}, std::pair{MCSC_MONTHBK, c.monthBackground},
          std::pair{MCSC_TRAILINGTEXT, c.trailingText}}) {
      SendMessageA(hwnd, DTM_SETMCCOLOR, static_cast<WPARAM>(part), ToColorRef(colour));
    }
    Changed(ui::Property::Value);
  }

  void Changed(ui::Property property) override {
    const HWND hwnd = window_.get();
    if (property == ui::Property::Colour) {
      background_.Changed(hwnd);
    } else if (property != ui::Property::Value) {
      window_.Mirror(property);
    } else if (hwnd != nullptr) {
      SYSTEMTIME value = ToSystemTime(picker_.Value());
      SendMessageA(hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
    }
  }

  bool Notify(const NMHDR& header, LRESULT& result) override {
    if (header.code != DTN_DATETIMECHANGE) return false;
    SYSTEMTIME value{};
    if (SendMessageA(header.hwndFrom, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value)) ==
        GDT_VALID) {
      site_->app.Dispatch([this, chosen = ToLocalTime(value)] { picker_.ValueChosen(chosen); });
    }
    result = 0;
    return true;
  }

  // The field asks its parent for its background with WM_CTLCOLOREDIT where comctl32 does so.
  HBRUSH ControlColour(HDC dc) override { return background_.Paint(dc); }

 private:
  ui::DateTimePicker& picker_;
  OwnBackground background_;
  ChildWindow window_;  // last: goes before the brush it paints with
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::DateTimePicker& picker) {
  return std::make_unique<DateTimePickerWindow>(site_, picker);
}

}  // namespace tolva::platform::win32
