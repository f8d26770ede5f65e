#include "engine/minimise_animation.h"

namespace tolva::engine {

bool MinimiseAnimationOn(platform::SystemParameters& parameters) {
  platform::AnimationInfo animation;
  animation.cbSize = sizeof animation;
  animation.iMinAnimate = 0;
  return parameters.SystemParametersInfoA(platform::SpiGetAnimation, sizeof animation, &animation, 0) &&
         animation.iMinAnimate != 0;
}

void SetMinimiseAnimation(platform::SystemParameters& parameters, bool on) {
  platform::AnimationInfo animation;
  animation.cbSize = sizeof animation;
  animation.iMinAnimate = on ? 1 : 0;
  // Flags 0: the change is neither written to the user's profile nor broadcast.
  parameters.SystemParametersInfoA(platform::SpiSetAnimation, sizeof animation, &animation, 0);
}

}  // namespace tolva::engine
