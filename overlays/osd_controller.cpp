#include "overlays/osd_controller.h"

#include "shell/setup.h"

namespace qv {

namespace {
// The longest wait a window timer takes (USER_TIMER_MAXIMUM).
constexpr std::uint32_t kLongestWaitMs = 0x7FFFFFFF;
} // namespace

OsdController::OsdController(const TSetup &setup, OsdWindow &window, OsdTimer &holdTimer,
                             OsdTimer &fadeTimer)
    : setup_(setup), window_(window), holdTimer_(holdTimer), fadeTimer_(fadeTimer) {}

std::uint32_t OsdController::HoldMilliseconds(int seconds) {
  if (seconds <= 0)
    return 0;
  if (static_cast<std::uint32_t>(seconds) > kLongestWaitMs / 1000)
    return kLongestWaitMs;
  return static_cast<std::uint32_t>(seconds) * 1000;
}

void OsdController::ShowText(const std::string &text) {
  if (!setup_.OSDEnable)
    return;
  window_.SetText(text);
  alpha_ = kShownAlpha;
  window_.SetAlpha(alpha_);
  fadeTimer_.Stop();
  holdTimer_.Start(HoldMilliseconds(setup_.OSDTimeout));
  state_ = OsdState::Holding;
  window_.ShowAt(window_.ScreenWidth() - window_.Width(),
                 window_.ScreenHeight() - window_.Height() - kBottomMargin);
}

void OsdController::HideNow() {
  holdTimer_.Stop();
  fadeTimer_.Stop();
  state_ = OsdState::Hidden;
  if (window_.Visible())
    window_.Hide();
}

void OsdController::HoldTimerTick() {
  if (state_ != OsdState::Holding)
    return; // a tick that was already on its way when the box changed state
  holdTimer_.Stop();
  fadeTimer_.Start(kFadeIntervalMs);
  state_ = OsdState::Fading;
}

void OsdController::FadeTimerTick() {
  if (state_ != OsdState::Fading)
    return;
  if (alpha_ < kHideBelow) {
    fadeTimer_.Stop();
    state_ = OsdState::Hidden;
    window_.Hide();
  }
  alpha_ = static_cast<std::uint8_t>(alpha_ - kFadeStep);
  window_.SetAlpha(alpha_);
}

} // namespace qv
