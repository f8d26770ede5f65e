#pragma once

namespace tolva::platform {

inline constexpr unsigned SndAsync = 0x1;          // SND_ASYNC
inline constexpr unsigned SndResource = 0x40004;   // SND_RESOURCE

// PlaySoundA on the program's own wave resources.
class Sound {
 public:
  virtual ~Sound() = default;
  // Plays the wave resource with this number from the program's module.
  virtual bool PlaySoundA(int resource, unsigned flags) = 0;
};

}  // namespace tolva::platform
