#pragma once
// The splash window shown for one timer period while the program starts.
#include <cstdint>

#include "platform/ui/application.h"

namespace tolva::app {

class TSplashFormReg final : public ui::Form {
 public:
  explicit TSplashFormReg(ui::Application& application);

  ui::Picture Image1{"Image1"};
  ui::Timer SplashTimer1{"SplashTimer1"};
  bool SplashDone = false;
  std::int32_t TimerTicks = 0;

  void FormCreate();
  // Counts the ticks; the first one ends the splash. Later ticks only count.
  void SplashTimer1Timer();
};

}  // namespace tolva::app
