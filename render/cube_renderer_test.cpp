#include "render/cube_renderer.h"

#include "tests/support/effect_test_world.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using CubeTest = test::EffectTest<T3DCubeRenderer>;

TEST(CubeFaces, FrontFaceAndDrawOrderFollowTheRotation) {
  // 2, 1, 0, -1 quarter turns show desktops 1 to 4, repeating every four turns.
  for (long long n = -9; n <= 9; ++n) {
    const int expected = static_cast<int>(((2 - n) % 4 + 4) % 4) + 1;
    EXPECT_EQ(CubeFrontFace(n), expected) << n;
  }
  EXPECT_EQ(CubeDrawOrder(1, true), (std::array<int, 6>{3, 6, 4, 2, 5, 1}));
  EXPECT_EQ(CubeDrawOrder(4, false), (std::array<int, 6>{2, 5, 3, 1, 6, 4}));
}

TEST_F(CubeTest, OpensOnTheCurrentFaceFillingTheScreenAndOpaqueFacesHideTheOnesTurnedAway) {
  Open(3);
  effect->Render();
  EXPECT_EQ(effect->FrontFace(), 3);
  EXPECT_FLOAT_EQ(effect->Rotation()->Value, 0.0f);
  EXPECT_EQ(device.copies, (std::vector<int>{1, 2, 3, 4, 5, 6}));
  // The first frame looks at face 3 from the +z side at the full-screen distance.
  EXPECT_NEAR(device.view.m[3][2], 3.4133f, 1e-3);
  // The reflection's cap and floor are fully transparent: not drawn at all.
  ASSERT_EQ(device.strips.size(), 5u) << "solid at first: the front face and the reflection";
  EXPECT_EQ(device.strips[0].first, 6 * 2);
  EXPECT_FALSE(world.workHeight);
  Frames(); // translucent once opened: every face, back to front
  ASSERT_EQ(device.strips.size(), 10u) << "six faces and the reflection of the four sides";
  EXPECT_EQ(device.strips[5].first, 6 * 2) << "the front face is drawn last";

  Open(5, kSettle);
  EXPECT_EQ(effect->SelectedDesktop(), 5) << "the top stays selected, tilted off the pole";

  desktops.setup.CubeEnableTransparency = false;
  desktops.setup.PerformanceReflection = false;
  Open(3);
  effect->Render();
  ASSERT_EQ(device.strips.size(), 1u) << "only the face towards the camera";
  EXPECT_EQ(device.strips[0].first, 6 * 2);
  effect->HandleKeyDown(effect_key::kRight);
  bool twoFaces = false; // on the way round, two faces turn towards the camera
  for (int frame = 0; frame < 100 && !twoFaces; ++frame) {
    Frames(1);
    twoFaces = device.strips.size() == 2;
  }
  EXPECT_TRUE(twoFaces);
  Frames();
  EXPECT_EQ(device.strips.size(), 1u);
  EXPECT_TRUE(CubeFaceTurnedTowards(5, {0, 3, 0}, 1.0f));
  EXPECT_FALSE(CubeFaceTurnedTowards(5, {0, 0.9f, 3}, 1.0f)) << "below the top's plane";
}

TEST_F(CubeTest, ArrowsTurnRoundTheSidesAndADoubleClickChoosesTheFaceInFront) {
  Open(1, kSettle);
  for (int i = 0; i < 5; ++i)
    effect->HandleKeyDown(effect_key::kRight);
  Frames();
  EXPECT_EQ(effect->SelectedDesktop(), 2) << "four turns come round again";
  effect->HandleKeyDown(effect_key::kLeft);
  Key(effect_key::kLeft);
  EXPECT_EQ(effect->SelectedDesktop(), 4);
  Key(effect_key::kRight);
  effect->HandleMessage({kMessageLeftDoubleClick, 0, 0});
  Frames();
  EXPECT_TRUE(effect->Finished());
  EXPECT_EQ(Current(), 1);
  EXPECT_TRUE(world.osd.empty()) << "the starting face: no switch";
}

TEST_F(CubeTest, ReleasedTriggerKeyChoosesOnlyWithEdgeMovement) {
  Open(1);
  effect->HandleTrigger(kChooseTrigger);
  EXPECT_TRUE(effect->Finished()) << "released before the first frame: the effect vanishes";
  EXPECT_FALSE(world.parked);

  desktops.setup.CubeEdgeMovement = false;
  Open(1, kSettle);
  effect->HandleTrigger(4);
  Trigger(kChooseTrigger);
  EXPECT_FALSE(effect->Closing());
  EXPECT_EQ(effect->SelectedDesktop(), 1);

  desktops.setup.CubeEdgeMovement = true;
  Trigger(4); // the right edge turns to the next desktop
  Trigger(2); // the top edge tilts to desktop 5
  EXPECT_EQ(effect->SelectedDesktop(), 5);
  Trigger(kChooseTrigger);
  EXPECT_EQ(Current(), 5);
}

TEST_F(CubeTest, DragTurnsAndTiltsWithinThePoleAndZoomStopsAtTheFullScreenDistance) {
  Open(1, kSettle);
  Drag(320, 5000); // a quarter of the screen: one face
  Frames();
  EXPECT_FLOAT_EQ(effect->Tilt()->TargetValue, 256.0f) << "held at the pole";
  EXPECT_EQ(effect->SelectedDesktop(), 5);
  Drag(0, -256);
  Frames();
  EXPECT_EQ(effect->FrontFace(), 4) << "dragging right brings the previous face";

  for (int i = 0; i < 20; ++i)
    effect->HandleKeyDown(effect_key::kDown);
  Frames();
  EXPECT_FLOAT_EQ(effect->Distance()->Value, 3.4133f);
  effect->HandleMessage({kMessageMouseWheel, static_cast<std::uintptr_t>(120) << 16, 0});
  Frames();
  EXPECT_GT(effect->Distance()->Value, 3.4133f);
}

TEST_F(CubeTest, ButtonsFadeInUnderThePointer) {
  desktops.setup.GeneralShowControls = true;
  Open(1);
  world.cursor = {104 + 10, 32 + 10}; // over the pointer button
  // The first frame brings every button to half opacity; 26 more under the
  // pointer make it opaque.
  Frames(28);
  ASSERT_EQ(device.quads.size(), 8u + 1u) << "the gradient and eight buttons";
  const auto alphaOf = [&](std::size_t quad) { return device.quads[quad][0].color >> 24; };
  EXPECT_EQ(alphaOf(2), 255u) << "the pointer button under the cursor";
  EXPECT_EQ(alphaOf(1), 128u) << "the rotate button away from it";

  desktops.setup.GeneralShowControls = false;
  Open(1, 1);
  EXPECT_EQ(device.quads.size(), 1u);

  // Given the gradient's colours, the background needs no picture.
  world.textures.BlackGradientColours = {0xFF404040, 0xFF000000};
  Open(1, 1);
  EXPECT_TRUE(device.quads.empty());
  ASSERT_EQ(device.colouredTriangles.size(), 1u);
  EXPECT_EQ(device.colouredTriangles[0].size(), 6u);
}

} // namespace
} // namespace qv
