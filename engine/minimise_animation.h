#pragma once
// The minimise/restore animation, which the window pass switches off while windows go and come
// back. Switched for this session only: neither written to the user's profile nor broadcast.
#include "platform/system_parameters.h"

namespace tolva::engine {

// A failed query counts as off, so nothing is switched on that the user never had.
bool MinimiseAnimationOn(platform::SystemParameters& parameters);
void SetMinimiseAnimation(platform::SystemParameters& parameters, bool on);

}  // namespace tolva::engine
