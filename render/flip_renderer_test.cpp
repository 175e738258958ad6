#include "render/flip_renderer.h"

#include "tests/support/effect_test_world.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Whether two layouts put each desktop they both show fully at the same place.
void ExpectSamePlaces(const FlipRowLayout &a, const FlipRowLayout &b) {
  int compared = 0;
  for (int i = 0; i < a.count; ++i) {
    const FlipPane &p = a.panes[static_cast<std::size_t>(i)];
    for (int j = 0; j < b.count; ++j) {
      const FlipPane &q = b.panes[static_cast<std::size_t>(j)];
      if (p.desktop != q.desktop || p.opacity < 0.5f || q.opacity < 0.5f)
        continue;
      ++compared;
      EXPECT_FLOAT_EQ(p.x, q.x) << "desktop " << p.desktop;
      EXPECT_FLOAT_EQ(p.z, q.z) << "desktop " << p.desktop;
      EXPECT_FLOAT_EQ(p.turn, q.turn) << "desktop " << p.desktop;
    }
  }
  EXPECT_EQ(compared, 5) << "five panes stand in the row";
}

TEST(FlipRow, AStepEndsWhereTheRowRestsAroundTheNewDesktop) {
  const FlipRowLayout rest = FlipRow(1, 0, 0, 0, 0, 0);
  ASSERT_EQ(rest.count, 5);
  EXPECT_EQ(rest.panes[0].desktop, 1) << "the middle pane is drawn first";
  EXPECT_EQ(rest.panes[0].x, 0.0f);
  EXPECT_EQ(rest.panes[0].z, 0.0f);

  // Fully stepped to the next desktop, the row stands as it rests around 2,
  // with the pane that left faded out and the new one faded in.
  const FlipRowLayout next = FlipRow(1, 1.5f, 2.0f, -0.5f, 1.0f, -0.5f);
  ExpectSamePlaces(next, FlipRow(2, 0, 0, 0, 0, 0));
  ASSERT_EQ(next.count, 6);
  EXPECT_EQ(next.panes[2].desktop, 5);
  EXPECT_EQ(next.panes[2].opacity, 0.0f) << "desktop 5 left on the far left";
  EXPECT_EQ(next.panes[5].desktop, 4);
  EXPECT_EQ(next.panes[5].opacity, 1.0f) << "desktop 4 came in on the far right";

  const FlipRowLayout previous = FlipRow(1, 1.5f, 2.0f, 0.5f, 1.0f, 0.5f);
  ExpectSamePlaces(previous, FlipRow(6, 0, 0, 0, 0, 0));
  ASSERT_EQ(previous.count, 6);
  EXPECT_EQ(previous.panes[3].desktop, 4) << "offset -3 fades in";
  EXPECT_EQ(previous.panes[3].opacity, 1.0f);

  // Half way, the six desktops each appear once.
  const FlipRowLayout half = FlipRow(3, 0.75f, 1.0f, -0.25f, 0.5f, -0.5f);
  std::array<int, 7> seen{};
  for (int i = 0; i < half.count; ++i)
    ++seen[static_cast<std::size_t>(half.panes[static_cast<std::size_t>(i)].desktop)];
  EXPECT_EQ(seen, (std::array<int, 7>{0, 1, 1, 1, 1, 1, 1}));
}

class FlipTest : public test::EffectTest<T3DDesktopFlipRenderer> {
protected:
  // The desktop's own picture; the device numbers textures in creation order.
  static TextureId TextureOf(int desktop) { return static_cast<TextureId>(100 + desktop - 1); }
  // The texture of the pane standing in the middle, in front of the camera.
  TextureId Middle() const {
    for (const auto &strip : device.strips)
      if (strip.world.m[3][1] == 0 && strip.world.m[3][0] == 0 && strip.world.m[3][2] == 0)
        return strip.texture;
    return 0;
  }
};

TEST_F(FlipTest, OpensOnTheCurrentDesktopAndArrowsDragWheelAndEdgesStep) {
  Open(6, 1);
  EXPECT_EQ(Middle(), TextureOf(6));
  EXPECT_EQ(device.strips.size(), 10u) << "five panes and their reflections";
  EXPECT_NEAR(device.view.m[3][2], 3.42f, 2e-2) << "the opening starts close";
  Frames(100);
  EXPECT_GT(effect->Distance()->Value, 6.0f) << "and pulls back";

  effect->HandleKeyDown(effect_key::kRight);
  EXPECT_TRUE(effect->Stepping());
  Key(effect_key::kRight, 49); // ignored during the step
  EXPECT_EQ(effect->SelectedDesktop(), 6);
  Frames(2);
  EXPECT_FALSE(effect->Stepping());
  EXPECT_EQ(effect->SelectedDesktop(), 1) << "after 6 comes 1, one step per half second";
  EXPECT_EQ(Middle(), TextureOf(1));

  Key(effect_key::kEnter, 200);
  EXPECT_FLOAT_EQ(effect->Distance()->Value, 3.4133f);

  Open(1, 100);
  Drag(-80, 5000, false); // a sixteenth of the screen exactly
  EXPECT_FALSE(effect->Stepping());
  EXPECT_FLOAT_EQ(effect->Tilt()->TargetValue, 256.0f) << "held at a quarter of the height";
  world.cursor.x -= 1;
  Frames(1);
  EXPECT_TRUE(effect->Stepping()) << "one pixel more steps";
  world.buttonDown = false;
  Frames(60);
  EXPECT_EQ(effect->SelectedDesktop(), 2);

  desktops.setup.ControlMouseWheelAction = 1;
  effect->HandleMessage({kMessageMouseWheel, static_cast<std::uintptr_t>(0xFF88) << 16, 0});
  Frames(60);
  EXPECT_EQ(effect->SelectedDesktop(), 1) << "the wheel towards the user steps back";

  desktops.setup.FlipEdgeMovement = true;
  effect->HandleTrigger(2); // the top and bottom edges do nothing
  effect->HandleTrigger(6);
  EXPECT_FALSE(effect->Stepping());
  Trigger(8, 60);
  EXPECT_EQ(effect->SelectedDesktop(), 6);
  Trigger(kChooseTrigger, 200);
  EXPECT_EQ(Current(), 6);
}

TEST_F(FlipTest, EnterDuringAStepLandsOnTheDesktopComingToTheMiddleAndEscapeOnTheFirst) {
  Open(1, 100);
  effect->HandleKeyDown(effect_key::kRight);
  Key(effect_key::kEnter, 200);
  EXPECT_EQ(Current(), 2);

  Open(2, 100);
  effect->HandleKeyDown(effect_key::kLeft);
  Key(effect_key::kEscape, 200);
  EXPECT_EQ(Current(), 2) << "Escape keeps the desktop the flip opened on";
}

} // namespace
} // namespace qv
