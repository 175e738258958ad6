// The carousel as a user drives it, frame by frame, against a device that
// records what is drawn and a program of six desktops held in memory.
#include "render/carousel_renderer.h"

#include "tests/support/effect_test_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace qv {
namespace {

using test::AnswerPrompt;

constexpr float kQuarterWidth = 320; // of the fake world's 1280 pixels

TEST(CarouselRing, EachTurnBringsTheNextDesktopToTheFrontOfTheRing) {
  for (long long n = 0; n >= -12; --n)
    EXPECT_EQ(CarouselFrontDesktop(n), static_cast<int>(-n % 6) + 1) << n;
  EXPECT_EQ(CarouselFrontDesktop(1), 6);
  EXPECT_EQ(CarouselFrontDesktop(2), 5);
  EXPECT_EQ(CarouselFrontDesktop(7), 6);

  // Every screen stands 3 units out, turned to face away from the centre.
  for (int d = 1; d <= 6; ++d) {
    const CarouselPlace place = CarouselScreenPlace(d);
    EXPECT_NEAR(std::hypot(place.centre.x, place.centre.z), 3.0f, 1e-5) << d;
    const Vec3 facing = TransformCoord({0, 0, -1}, MatrixRotationY(place.turn));
    EXPECT_NEAR(facing.x * place.centre.x + facing.z * place.centre.z, 3.0f, 1e-4) << d;
  }
  EXPECT_NEAR(CarouselScreenPlace(4).centre.z, -3.0f, 1e-5);
}

class CarouselTest : public ::testing::Test {
protected:
  void Open(int onDesktop = 1) {
    desktops.SwitchTo(onDesktop);
    desktops.setup.PerformanceLivePreview = false;
    carousel.reset();
    carousel = std::make_unique<T3DDesktopCarouselRenderer>(device, world);
    carousel->Initialise();
  }
  void Frames(int count = 200) {
    for (int i = 0; i < count && !carousel->Finished(); ++i) {
      world.clock.now += 10;
      carousel->Render();
    }
  }
  int Current() { return desktops.manager->CurrentDesktop()->Number(); }
  // Where the centre of desktop d's screen is seen: straight ahead at the
  // full-screen distance when it fills the display.
  Vec3 Seen(int desktop) const {
    return TransformCoord(CarouselScreenPlace(desktop).centre, device.view);
  }

  test::DesktopTestWorld desktops;
  test::RecordingDevice device;
  test::FakeWorld world{desktops};
  std::unique_ptr<T3DDesktopCarouselRenderer> carousel;
};

TEST_F(CarouselTest, OpensOnTheCurrentScreenAndLandsOnTheChosenOne) {
  Open(4);
  Frames(1);
  EXPECT_FLOAT_EQ(carousel->Rotation()->Value, -3 * kQuarterWidth);
  EXPECT_NEAR(carousel->Yaw(), -std::numbers::pi_v<float>, 1e-5);
  EXPECT_NEAR(Seen(4).x, 0, 1e-4);
  EXPECT_NEAR(Seen(4).z, 2.4133f, 1e-3) << "the first frame fills the screen with desktop 4";
  EXPECT_EQ(device.strips.size(), 12u) << "six screens and their reflections";
  Frames();
  EXPECT_GT(carousel->Distance()->Value, 6.0f) << "and backs away";

  carousel->HandleKeyDown(effect_key::kRight);
  Frames(1);
  EXPECT_EQ(carousel->SelectedDesktop(), 5) << "selected as soon as the turn is asked for";
  carousel->HandleKeyDown(effect_key::kUp);
  carousel->HandleKeyDown(effect_key::kEnter);
  EXPECT_TRUE(carousel->Closing());
  Frames();
  EXPECT_TRUE(carousel->Finished());
  EXPECT_EQ(Current(), 5);
  EXPECT_NEAR(Seen(5).z, 2.4133f, 1e-3) << "the flight ends on desktop 5 filling the screen";
  EXPECT_EQ(world.osd, (std::vector<std::string>{"text 241"}));
}

TEST_F(CarouselTest, EscapeWindsBackStepByStepToTheStartingDesktop) {
  Open(1);
  Frames();
  for (int i = 0; i < 5; ++i)
    carousel->HandleKeyDown(effect_key::kRight);
  Frames(1);
  EXPECT_EQ(carousel->SelectedDesktop(), 6);
  carousel->HandleKeyDown(effect_key::kEscape);
  EXPECT_FLOAT_EQ(carousel->Rotation()->TargetValue, 0) << "five steps back, not one forward";
  Frames();
  EXPECT_TRUE(carousel->Finished());
  EXPECT_EQ(Current(), 1);
  EXPECT_TRUE(world.osd.empty());

  Open(6);
  Frames(1);
  carousel->HandleKeyDown(effect_key::kRight);
  Frames(1);
  EXPECT_EQ(carousel->SelectedDesktop(), 1) << "after 6 comes 1";
  EXPECT_FLOAT_EQ(carousel->Rotation()->TargetValue, -6 * kQuarterWidth);
}

TEST_F(CarouselTest, ZoomDragWheelAndEdgesTurnTheRing) {
  Open(1);
  Frames();
  for (int i = 0; i < 10; ++i)
    carousel->HandleKeyDown(effect_key::kDown);
  Frames();
  EXPECT_FLOAT_EQ(carousel->Distance()->Value, 5.4133f) << "never closer than the full screen";

  world.buttonDown = true;
  Frames(1);
  world.cursor.x -= static_cast<int>(kQuarterWidth);
  world.cursor.y += 5000;
  Frames(1);
  world.buttonDown = false;
  EXPECT_FLOAT_EQ(carousel->Tilt()->TargetValue, 256.0f) << "held at a quarter of the height";
  Frames(1);
  EXPECT_EQ(carousel->SelectedDesktop(), 2) << "a drag of a quarter width turns one desktop";

  desktops.setup.ControlMouseWheelAction = 1;
  carousel->HandleMessage({kMessageMouseWheel, static_cast<std::uintptr_t>(0xFF88) << 16, 0});
  Frames(1);
  EXPECT_EQ(carousel->SelectedDesktop(), 1) << "the wheel towards the user turns back";

  desktops.setup.CarouselEdgeMovement = false;
  carousel->HandleTrigger(8);
  carousel->HandleTrigger(kChooseTrigger);
  Frames(1);
  EXPECT_EQ(carousel->SelectedDesktop(), 1);
  EXPECT_TRUE(carousel->Interactive()) << "without edge movement a released key chooses nothing";
  desktops.setup.CarouselEdgeMovement = true;
  carousel->HandleTrigger(8);
  Frames(1);
  EXPECT_EQ(carousel->SelectedDesktop(), 6);
  carousel->HandleTrigger(kChooseTrigger);
  Frames();
  EXPECT_EQ(Current(), 6);
}

TEST_F(CarouselTest, PrivateDesktopShowsItsPictureUntilThePasswordIsGiven) {
  AnswerPrompt prompt;
  desktops.environment.Passwords = &prompt;
  desktops.setup.DesktopPrivacy[2] = 2;
  desktops.setup.DesktopPassword = "secret";
  Open(1);
  Frames(1);
  EXPECT_EQ(device.strips[1].texture, world.textures.ProtectedDesktop);
  carousel->HandleKeyDown(effect_key::kRight);
  prompt.answer = "wrong";
  carousel->HandleKeyDown(effect_key::kEnter);
  EXPECT_TRUE(carousel->Interactive()) << "a refused password leaves the ring turnable";
  prompt.answer = "secret";
  carousel->HandleKeyDown(effect_key::kEnter);
  Frames(1);
  EXPECT_NE(device.strips[1].texture, world.textures.ProtectedDesktop) << "unlocked";
  Frames();
  EXPECT_EQ(Current(), 2);
}

TEST_F(CarouselTest, FailedGeometryEndsAtOnceWithoutASwitch) {
  device.maxBufferVertices = 0;
  Open(3);
  carousel->HandleKeyDown(effect_key::kRight);
  Frames(3);
  EXPECT_TRUE(carousel->Finished());
  EXPECT_EQ(world.errors, (std::vector<std::string>{"Cannot create vertex buffer"}));
  EXPECT_EQ(Current(), 3);
  carousel.reset();
  EXPECT_TRUE(device.textures.empty()) << "nothing left on the device";
}

} // namespace
} // namespace qv
