#include "render/carousel_renderer.h"

#include "tests/support/effect_test_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

namespace qv {
namespace {

constexpr float kQuarterWidth = 320; // of the fake world's 1280 pixels

TEST(CarouselRing, EachTurnBringsTheNextDesktopToTheFrontOfTheRing) {
  for (long long n = 7; n >= -12; --n)
    EXPECT_EQ(CarouselFrontDesktop(n), static_cast<int>((-n % 6 + 6) % 6) + 1) << n;

  // Every screen stands 3 units out, turned to face away from the centre.
  for (int d = 1; d <= 6; ++d) {
    const CarouselPlace place = CarouselScreenPlace(d);
    EXPECT_NEAR(std::hypot(place.centre.x, place.centre.z), 3.0f, 1e-5) << d;
    const Vec3 facing = TransformCoord({0, 0, -1}, MatrixRotationY(place.turn));
    EXPECT_NEAR(facing.x * place.centre.x + facing.z * place.centre.z, 3.0f, 1e-4) << d;
  }
  EXPECT_NEAR(CarouselScreenPlace(4).centre.z, -3.0f, 1e-5);

  // Seen from in front of desktop 4, its neighbours come next and desktop 1,
  // across the ring, last.
  const std::array<int, 6> order = CarouselNearestFirst({0, 1, -5.4f});
  EXPECT_EQ(order[0], 4);
  EXPECT_EQ((std::set<int>{order[1], order[2]}), (std::set<int>{3, 5}));
  EXPECT_EQ(order[5], 1);
}

class CarouselTest : public test::EffectTest<T3DDesktopCarouselRenderer> {
protected:
  // Where the centre of desktop d's screen is seen: straight ahead at the
  // full-screen distance when it fills the display.
  Vec3 Seen(int desktop) const {
    return TransformCoord(CarouselScreenPlace(desktop).centre, device.view);
  }
};

TEST_F(CarouselTest, OpensOnTheCurrentScreenLandsOnTheChosenOneAndEscapeWindsBackStepByStep) {
  Open(4, 1);
  EXPECT_FLOAT_EQ(effect->Rotation()->Value, -3 * kQuarterWidth);
  EXPECT_NEAR(effect->Yaw(), -std::numbers::pi_v<float>, 1e-5);
  EXPECT_NEAR(Seen(4).x, 0, 1e-4);
  EXPECT_NEAR(Seen(4).z, 2.4133f, 1e-3) << "the first frame fills the screen with desktop 4";
  EXPECT_EQ(device.strips.size(), 12u) << "six screens and their reflections";
  Frames();
  EXPECT_GT(effect->Distance()->Value, 6.0f) << "and backs away";

  Key(effect_key::kRight, 1);
  EXPECT_EQ(effect->SelectedDesktop(), 5) << "selected as soon as the turn is asked for";
  effect->HandleKeyDown(effect_key::kUp);
  Key(effect_key::kEnter);
  EXPECT_NEAR(Seen(5).z, 2.4133f, 1e-3) << "the flight ends on desktop 5 filling the screen";

  Open(1, kSettle);
  for (int i = 0; i < 5; ++i)
    effect->HandleKeyDown(effect_key::kRight);
  Frames(1);
  EXPECT_EQ(effect->SelectedDesktop(), 6);
  effect->HandleKeyDown(effect_key::kEscape);
  EXPECT_FLOAT_EQ(effect->Rotation()->TargetValue, 0) << "five steps back, not one forward";

  Open(6, 1);
  Key(effect_key::kRight, 1);
  EXPECT_EQ(effect->SelectedDesktop(), 1) << "after 6 comes 1";
  EXPECT_FLOAT_EQ(effect->Rotation()->TargetValue, -6 * kQuarterWidth);
}

TEST_F(CarouselTest, ZoomDragWheelAndEdgesTurnTheRing) {
  Open(1, kSettle);
  for (int i = 0; i < 10; ++i)
    effect->HandleKeyDown(effect_key::kDown);
  Frames();
  EXPECT_FLOAT_EQ(effect->Distance()->Value, 5.4133f) << "never closer than the full screen";

  Drag(-static_cast<int>(kQuarterWidth), 5000);
  EXPECT_FLOAT_EQ(effect->Tilt()->TargetValue, 256.0f) << "held at a quarter of the height";
  Frames(1);
  EXPECT_EQ(effect->SelectedDesktop(), 2) << "a drag of a quarter width turns one desktop";

  desktops.setup.ControlMouseWheelAction = 1;
  effect->HandleMessage({kMessageMouseWheel, static_cast<std::uintptr_t>(0xFF88) << 16, 0});
  Frames(1);
  EXPECT_EQ(effect->SelectedDesktop(), 1) << "the wheel towards the user turns back";

  desktops.setup.CarouselEdgeMovement = false;
  effect->HandleTrigger(8);
  Trigger(kChooseTrigger, 1);
  EXPECT_EQ(effect->SelectedDesktop(), 1);
  EXPECT_TRUE(effect->Interactive()) << "without edge movement a released key chooses nothing";
  desktops.setup.CarouselEdgeMovement = true;
  Trigger(8, 1);
  EXPECT_EQ(effect->SelectedDesktop(), 6);
  Trigger(kChooseTrigger);
  EXPECT_EQ(Current(), 6);
}

} // namespace
} // namespace qv
