// What every effect shares, as a user drives it: choosing a desktop, going
// back, private desktops and an effect that cannot be drawn; the springs that
// move them; and the bands of colour that stand for a gradient background picture.
#include "render/animation.h"
#include "render/carousel_renderer.h"
#include "render/cube_renderer.h"
#include "render/flip_renderer.h"
#include "render/gradient_bands.h"
#include "render/pane_renderer.h"

#include "tests/support/effect_test_world.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv {
namespace {

template <class Renderer> using AnyEffect = test::EffectTest<Renderer>;
using Effects = ::testing::Types<T3DCubeRenderer, T3DDesktopFlipRenderer,
                                 T3DDesktopCarouselRenderer, T3DDesktopPaneRenderer>;
TYPED_TEST_SUITE(AnyEffect, Effects);

TYPED_TEST(AnyEffect, EnterLandsEscapeGoesBackAndAPrivateDesktopWaitsForItsPassword) {
  this->Open(3, this->kSettle);
  EXPECT_FALSE(this->effect->ShowsAnyProtectedPicture());
  this->Key(effect_key::kRight, 20); // in the middle of the move
  this->Key(effect_key::kEscape);
  EXPECT_TRUE(this->effect->Finished());
  EXPECT_EQ(this->Current(), 3);
  EXPECT_TRUE(this->world.osd.empty());

  this->Open(1, this->kSettle);
  this->Key(effect_key::kRight);
  EXPECT_EQ(this->effect->SelectedDesktop(), 2);
  this->effect->HandleKeyDown(effect_key::kEnter);
  EXPECT_TRUE(this->effect->Closing());
  this->Frames();
  EXPECT_TRUE(this->effect->Finished());
  EXPECT_EQ(this->Current(), 2);
  EXPECT_EQ(this->world.osd, (std::vector<std::string>{"text 241"}));
  EXPECT_TRUE(this->world.parked);
  EXPECT_TRUE(this->desktops.manager->Enabled);

  // A private desktop shows its picture until the password is given.
  test::AnswerPrompt prompt;
  this->desktops.environment.Passwords = &prompt;
  this->desktops.setup.DesktopPrivacy[2] = 2;
  this->desktops.setup.DesktopPassword = "secret";
  this->Open(1, this->kSettle);
  EXPECT_TRUE(this->effect->ShowsAnyProtectedPicture()) << "the host loads the picture for it";
  EXPECT_TRUE(this->DrewProtectedPicture());
  this->Key(effect_key::kRight);
  prompt.answer = "wrong";
  this->effect->HandleKeyDown(effect_key::kEnter);
  EXPECT_TRUE(this->effect->Interactive()) << "a refused password leaves the effect steerable";
  EXPECT_FALSE(this->effect->Closing());

  prompt.answer = "secret";
  this->Key(effect_key::kEnter, 1);
  EXPECT_FALSE(this->DrewProtectedPicture()) << "unlocked for this effect";
  this->Frames();
  EXPECT_EQ(this->Current(), 2);
}

TYPED_TEST(AnyEffect, AnEffectThatCannotBeDrawnEndsAtOnceAndTellsTheUserOnce) {
  for (const bool noTexture : {true, false}) {
    SCOPED_TRACE(noTexture ? "no texture" : "no vertex buffer");
    this->device.failTextures = noTexture;
    this->device.maxBufferVertices = noTexture ? 1 << 30 : 0;
    this->world.errors.clear();
    this->Open(3, 3);
    EXPECT_TRUE(this->effect->Finished());
    EXPECT_EQ(this->world.errors.size(), 1u);
    // Input that arrives before the host lets the effect go finds nothing to move.
    this->effect->HandleKeyDown(effect_key::kRight);
    this->effect->HandleTrigger(4);
    this->effect->HandleMessage({kMessageLeftDoubleClick, 0, 0});
    EXPECT_EQ(this->Current(), 3);
    this->effect.reset();
    EXPECT_TRUE(this->device.textures.empty()) << "nothing left on the device";
  }
}

TEST(Animation, TimedPhaseEasesAlongTheHalfCosineAndEndsOnTheTarget) {
  test::ManualClock clock; // one tick per millisecond
  TAnimation animation(clock, 0.0f, 10.0f, 10.0f, 0.85f);
  animation.Start(100);
  clock.now += 25;
  animation.Update();
  EXPECT_NEAR(animation.Value, 1.4645f, 1e-4f) << "a quarter of the way: not linear";
  clock.now += 25;
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
  test::ManualClock clock;
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
  test::ManualClock clock;
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

// Rows of one grey level each, two pixels wide, the second pixel brighter.
DecodedImage Rows(std::initializer_list<int> levels) {
  DecodedImage picture;
  picture.width = 2;
  picture.height = static_cast<int>(levels.size());
  for (int level : levels)
    for (int offset : {0, 2})
      for (std::uint8_t v :
           {static_cast<std::uint8_t>(level + offset), static_cast<std::uint8_t>(level + offset),
            static_cast<std::uint8_t>(level + offset), std::uint8_t{255}})
        picture.bgra.push_back(v);
  return picture;
}

TEST(GradientBands, SampleRowsAsTheirAverageColourAndCoverTheScreenBlendingBetweenThem) {
  const auto colours = VerticalGradientColours(Rows({10, 20, 30, 40, 50}), 3);
  EXPECT_EQ(colours, (std::vector<std::uint32_t>{0xFF0B0B0B, 0xFF1F1F1F, 0xFF333333}));
  EXPECT_TRUE(VerticalGradientColours(Rows({10}), 1).empty());
  EXPECT_TRUE(VerticalGradientColours(DecodedImage{}, 8).empty());
  DecodedImage truncated = Rows({10, 20});
  truncated.bgra.resize(4);
  EXPECT_TRUE(VerticalGradientColours(truncated, 2).empty()) << "pixels missing";

  const auto vertices = GradientBands(colours, 1280, 1024, 0.99f);
  ASSERT_EQ(vertices.size(), 12u);
  EXPECT_FLOAT_EQ(vertices[0].y, -0.5f);
  EXPECT_FLOAT_EQ(vertices[11].y, 1023.5f);
  EXPECT_FLOAT_EQ(vertices[2].y, vertices[6].y) << "the second band starts where the first ends";
  EXPECT_EQ(vertices[0].color, colours[0]);
  EXPECT_EQ(vertices[8].color, colours[2]);
  EXPECT_TRUE(GradientBands({0xFF000000}, 10, 10, 0).empty());
}

} // namespace
} // namespace qv
