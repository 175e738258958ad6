#include "render/animation.h"

#include "tests/support/effect_test_world.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace qv {
namespace {

using FakeClock = test::ManualClock; // one tick per millisecond

TEST(Animation, TimedPhaseEasesAlongTheHalfCosineAndEndsOnTheTarget) {
  FakeClock clock;
  TAnimation animation(clock, 0.0f, 10.0f, 10.0f, 0.85f);
  animation.Start(100);
  clock.now += 25;
  animation.Update();
  EXPECT_NEAR(animation.Value, 1.4645f, 1e-4f);
  clock.now += 25;
  animation.Update();
  EXPECT_NEAR(animation.Value, 5.0f, 1e-5f);
  // Each update recomputes from StartValue, so a new target bends the curve at once.
  animation.TargetValue = 20.0f;
  animation.Update();
  EXPECT_NEAR(animation.Value, 10.0f, 1e-5f);
  EXPECT_FALSE(animation.Ended());
  clock.now += 500;
  animation.Update();
  EXPECT_EQ(animation.Value, 20.0f);
  EXPECT_FALSE(animation.Active);
  EXPECT_TRUE(animation.Ended());
  // Afterwards the spring follows a moved target by a twentieth of the distance.
  animation.TargetValue = 40.0f;
  animation.Update();
  EXPECT_FLOAT_EQ(animation.Value, 21.0f);
}

TEST(Animation, AZeroDurationJumpsToTheTargetAndADescentStopsOnIt) {
  FakeClock clock;
  TAnimation animation(clock, 3.0f, 7.0f, 10.0f, 0.85f);
  animation.Start(0);
  animation.Update();
  EXPECT_EQ(animation.Value, 7.0f);
  EXPECT_FALSE(animation.Active);

  // A descending phase never passes its target.
  TAnimation descending(clock, 5.4133f, 3.4133f, 10.0f, 0.85f);
  descending.Start(750);
  float lowest = descending.Value;
  for (int frame = 0; frame < 80; ++frame) {
    clock.now += 10;
    descending.Update();
    lowest = std::min(lowest, descending.Value);
  }
  EXPECT_EQ(std::pair(lowest, descending.Value), std::pair(3.4133f, 3.4133f));
}

TEST(Animation, SpringOvershootFollowsTheDampingAndSetValueKeepsItMoving) {
  FakeClock clock;
  const auto peakOfStep = [&clock](float damping) {
    TAnimation animation(clock, 0.0f, 100.0f, 10.0f, damping);
    float peak = 0.0f;
    for (int frame = 0; frame < 400; ++frame) {
      animation.Update();
      peak = std::max(peak, animation.Value);
    }
    return peak;
  };
  EXPECT_NEAR(peakOfStep(0.85f), 131.3f, 0.05f);
  EXPECT_NEAR(peakOfStep(0.75f), 109.6f, 0.05f);
  EXPECT_LE(peakOfStep(0.5f), 100.0f);

  // A value set from outside keeps the spring's speed.
  TAnimation animation(clock, 0.0f, 100.0f, 10.0f, 0.5f);
  animation.Update();
  animation.Update();
  const float velocity = animation.Velocity;
  ASSERT_GT(velocity, 0.0f);
  animation.TargetValue = 0.0f;
  animation.SetValue(0.0f);
  EXPECT_EQ(animation.StartValue, 0.0f);
  animation.Update();
  EXPECT_FLOAT_EQ(animation.Value, velocity * 0.5f);
}

} // namespace
} // namespace qv
