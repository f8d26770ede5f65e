#include "app/splash_form.h"

#include "app/main_form.h"
#include "resources/resource_ids.h"

namespace tolva::app {

TSplashFormReg::TSplashFormReg(ui::Application& application)
    : ui::Form("SplashFormReg", application) {
  SetCaption(std::string(ApplicationTitle));
  border = ui::BorderStyle::None;
  clientSize = {480, 320};
  centred = true;
  colour = {255, 128, 0};
  Image1.SetBounds({0, 0, 480, 320});
  Image1.kind = ui::Picture::Kind::Jpeg;
  Image1.pictureResource = TOLVA_JPEG_SPLASH;
  Image1.autoSize = true;
  Image1.cursor = ui::Cursor::Arrow;
  controls = {&Image1};
  SplashTimer1.SetInterval(1000);
  SplashTimer1.SetEnabled(true);
  SplashTimer1.OnTimer = [this] { SplashTimer1Timer(); };
  timers = {&SplashTimer1};
  OnCreate = [this] { FormCreate(); };
}

void TSplashFormReg::FormCreate() {
  SplashDone = false;
  TimerTicks = 0;
}

void TSplashFormReg::SplashTimer1Timer() {
  ++TimerTicks;
  if (TimerTicks == 1) SplashDone = true;
}

}  // namespace tolva::app
