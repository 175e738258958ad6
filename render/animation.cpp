#include "render/animation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace qv {
namespace {

class SteadyPerformanceClock final : public PerformanceClock {
public:
  std::int64_t Counter() const override {
    return std::chrono::steady_clock::now().time_since_epoch().count();
  }
  std::int64_t Frequency() const override {
    using Period = std::chrono::steady_clock::period;
    return Period::den / Period::num;
  }
};

} // namespace

const PerformanceClock &SteadyClock() {
  static const SteadyPerformanceClock clock;
  return clock;
}

TAnimation::TAnimation(const PerformanceClock &clock, float startValue, float targetValue,
                       float stiffness, float damping)
    : StartValue(startValue), TargetValue(targetValue), Stiffness(stiffness), Damping(damping),
      Value(startValue), clock_(&clock) {}

void TAnimation::Start(double milliseconds) {
  StartValue = Value;
  const long double frequency = static_cast<long double>(clock_->Frequency());
  StartTime = clock_->Counter();
  // nearbyint rounds halves to even in the default rounding mode.
  Duration = static_cast<std::int64_t>(
      std::nearbyint(static_cast<long double>(milliseconds) * frequency / 1000.0L));
  EndTime = StartTime + Duration;
  Active = true;
}

void TAnimation::Update() {
  if (Active) {
    UpdateTimed();
  } else {
    UpdateSpring();
  }
}

void TAnimation::UpdateTimed() {
  const std::int64_t now = clock_->Counter();
  if (Duration == 0) {
    Value = TargetValue;
  } else {
    const std::int64_t elapsed = std::min(now - StartTime, Duration);
    const float t =
        static_cast<float>(static_cast<long double>(elapsed) / static_cast<long double>(Duration));
    const long double start = StartValue;
    const long double target = TargetValue;
    Value = static_cast<float>(start - (std::cos(std::numbers::pi_v<long double> * t) - 1.0L) *
                                           ((target - start) / 2.0L));
    const bool overshot = TargetValue > StartValue ? Value >= TargetValue : Value <= TargetValue;
    if (overshot) {
      Value = TargetValue;
    }
  }
  // At EndTime the curve has arrived (t is 1), so the timed phase is over there
  // already; Start(0) thus ends on the very next update.
  if (now >= EndTime) {
    Active = false;
  }
}

void TAnimation::UpdateSpring() {
  const float pull = static_cast<float>(static_cast<long double>(Stiffness) / 20.0L);
  const long double velocity = (static_cast<long double>(TargetValue) - Value) / Stiffness * pull +
                               static_cast<long double>(Velocity) * Damping;
  Velocity = static_cast<float>(velocity);
  Value = static_cast<float>(static_cast<long double>(Value) + Velocity);
}

void TAnimation::SetValue(float value) {
  StartValue = value;
  Value = value;
}

bool TAnimation::Ended() {
  if (!Active) {
    return true;
  }
  if (clock_->Counter() >= EndTime) {
    Active = false;
    return true;
  }
  return false;
}

} // namespace qv
