#pragma once
#include <cstdint>

namespace tolva::platform {

// SystemParametersInfoA actions the program uses.
inline constexpr unsigned SpiGetAnimation = 72;        // SPI_GETANIMATION
inline constexpr unsigned SpiSetAnimation = 73;        // SPI_SETANIMATION
inline constexpr unsigned SpiSetScreenSaverRunning = 97;  // SPI_SETSCREENSAVERRUNNING

// The minimise/restore animation record, laid out as Win32's ANIMATIONINFO.
struct AnimationInfo {
  std::uint32_t cbSize = sizeof(AnimationInfo);
  std::int32_t iMinAnimate = 0;
};
static_assert(sizeof(AnimationInfo) == 8);

class SystemParameters {
 public:
  virtual ~SystemParameters() = default;
  // As the Win32 call: returns false on failure.
  virtual bool SystemParametersInfoA(unsigned action, unsigned param, void* data, unsigned flags) = 0;
};

}  // namespace tolva::platform
