#pragma once
#include "platform/handle.h"

namespace tolva::platform {

// MessageBoxA and MessageBeep styles and answers the program uses.
inline constexpr unsigned MbOk = 0x0;
inline constexpr unsigned MbYesNoCancel = 0x3;
inline constexpr unsigned MbYesNo = 0x4;
inline constexpr unsigned MbIconError = 0x10;        // MB_ICONERROR (MB_ICONHAND)
inline constexpr unsigned MbIconExclamation = 0x30;  // MB_ICONEXCLAMATION = MB_ICONWARNING
inline constexpr unsigned MbDefButton2 = 0x100;
inline constexpr unsigned MbSystemModal = 0x1000;
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;

// The warning beep and the modal message box of user32.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual bool MessageBeep(unsigned type) = 0;
  // Modal: returns the button pressed, 0 when the box could not be shown. Messages for the
  // program's other windows keep being handled while it is open.
  virtual int MessageBoxA(WindowHandle owner, const char* text, const char* caption,
                          unsigned type) = 0;
};

}  // namespace tolva::platform
