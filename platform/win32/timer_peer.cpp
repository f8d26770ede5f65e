// A system timer on the form's window; WM_TIMER reaches the form, which ticks the timer.
#include "platform/exception.h"
#include "platform/win32/control_factory.h"

namespace tolva::platform::win32 {
namespace {

class TimerPeer final : public ui::Peer {
 public:
  TimerPeer(std::shared_ptr<FormSite> site, ui::Timer& timer)
      : site_(std::move(site)), timer_(timer), id_(site_->AddTimer(timer)) {}
  ~TimerPeer() override {
    Stop();
    site_->RemoveTimer(id_);
  }
  TimerPeer(const TimerPeer&) = delete;
  TimerPeer& operator=(const TimerPeer&) = delete;

  void Changed(ui::Property property) override {
    if (property == ui::Property::Enabled || property == ui::Property::Interval) Restart();
  }

  // Enabling starts a new period and a new interval takes effect at once, as a fresh SetTimer
  // with the same id does. Throws when the system has no timer left.
  void Restart() {
    Stop();
    const HWND form = site_->window.get();
    if (!timer_.Enabled() || timer_.Interval() == 0 || form == nullptr) return;
    if (!site_->timers.Start(form, id_, timer_.Interval())) {
      throw Exception("Not enough timers available");
    }
    running_ = true;
  }

 private:
  void Stop() {
    // A timer goes with its window; the window's old handle is not used for it.
    if (const HWND form = site_->window.get(); running_ && form != nullptr) {
      site_->timers.Stop(form, id_);
    }
    running_ = false;
  }

  std::shared_ptr<FormSite> site_;
  ui::Timer& timer_;
  UINT_PTR id_;
  bool running_ = false;
};

}  // namespace

std::unique_ptr<ui::Peer> ControlFactory::Make(ui::Timer& timer) {
  auto peer = std::make_unique<TimerPeer>(site_, timer);
  peer->Restart();  // should it throw, the peer goes and takes its id with it
  return peer;
}

}  // namespace tolva::platform::win32
