#pragma once
#include <cstdint>

namespace qv {

// The high-resolution counter that times the animations.
class PerformanceClock {
public:
  virtual ~PerformanceClock() = default;
  virtual std::int64_t Counter() const = 0;
  virtual std::int64_t Frequency() const = 0; // ticks per second
};

// std::chrono::steady_clock, shared by the whole process.
const PerformanceClock &SteadyClock();

// One animated value. Start runs a timed half-cosine glide from the current value
// to TargetValue; once that is over the value follows TargetValue like a damped
// spring, one step per Update (so the spring's speed follows the frame rate).
// Owners write TargetValue and Damping directly and call Update once per frame.
class TAnimation {
public:
  TAnimation(const PerformanceClock &clock, float startValue, float targetValue, float stiffness,
             float damping);

  void Start(double milliseconds);
  void Update();
  // Jumps to value without motion; a moving spring keeps its Velocity.
  void SetValue(float value);
  // Whether the timed phase is over; ends it once the counter reaches EndTime.
  bool Ended();

  bool Active = false;
  float StartValue;
  float TargetValue;
  float Velocity = 0.0f;
  float Stiffness;
  float Damping;
  float Value;
  std::int64_t StartTime = 0;
  std::int64_t EndTime = 0;
  std::int64_t Duration = 0; // counter ticks

private:
  void UpdateTimed();
  void UpdateSpring();

  const PerformanceClock *clock_;
};

} // namespace qv
