// The cube as a user drives it, frame by frame, against a device that
// records what is drawn and a program of six desktops held in memory.
#include "render/cube_renderer.h"

#include "tests/support/effect_test_world.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv {
namespace {

using test::AnswerPrompt;
using test::FakeWorld;
using test::RecordingDevice;

class CubeTest : public ::testing::Test {
protected:
  void Open(int onDesktop = 1) {
    desktops.SwitchTo(onDesktop);
    desktops.setup.PerformanceLivePreview = false;
    cube = std::make_unique<T3DCubeRenderer>(device, world);
    cube->Initialise();
  }
  // Frames until the motion under way has ended and the springs rest.
  void Settle(int frames = 200) {
    for (int i = 0; i < frames && !cube->Finished(); ++i) {
      world.clock.now += 10;
      cube->Render();
    }
  }
  int Current() { return desktops.manager->CurrentDesktop()->Number(); }

  test::DesktopTestWorld desktops;
  RecordingDevice device;
  FakeWorld world{desktops};
  std::unique_ptr<T3DCubeRenderer> cube;
};

TEST(CubeFaces, FrontFaceAndDrawOrderFollowTheRotation) {
  // 2, 1, 0, -1 quarter turns show desktops 1 to 4, repeating every four turns.
  for (long long n = -9; n <= 9; ++n) {
    const int expected = static_cast<int>(((2 - n) % 4 + 4) % 4) + 1;
    EXPECT_EQ(CubeFrontFace(n), expected) << n;
  }
  EXPECT_EQ(CubeDrawOrder(1, true), (std::array<int, 6>{3, 6, 4, 2, 5, 1}));
  EXPECT_EQ(CubeDrawOrder(4, false), (std::array<int, 6>{2, 5, 3, 1, 6, 4}));
}

TEST_F(CubeTest, OpensOnTheCurrentFaceAndFillsTheScreen) {
  Open(3);
  cube->Render();
  EXPECT_EQ(cube->FrontFace(), 3);
  EXPECT_FLOAT_EQ(cube->Rotation()->Value, 0.0f);
  EXPECT_EQ(device.copies, (std::vector<int>{1, 2, 3, 4, 5, 6}));
  // The first frame looks at face 3 from the +z side at the full-screen distance.
  EXPECT_NEAR(device.view.m[3][2], 3.4133f, 1e-3);
  ASSERT_EQ(device.strips.size(), 12u) << "six faces and their reflection";
  EXPECT_EQ(device.strips[5].first, 6 * 2) << "the front face is drawn last";
  EXPECT_FALSE(world.workHeight);

  Open(5);
  Settle();
  EXPECT_EQ(cube->SelectedDesktop(), 5) << "the top stays selected, tilted off the pole";
}

TEST_F(CubeTest, OpaqueFacesHideTheFacesTurnedAway) {
  desktops.setup.CubeEnableTransparency = false;
  desktops.setup.PerformanceReflection = false;
  Open(3);
  cube->Render();
  ASSERT_EQ(device.strips.size(), 1u) << "only the face towards the camera";
  EXPECT_EQ(device.strips[0].first, 6 * 2);
  cube->HandleKeyDown(effect_key::kRight);
  bool twoFaces = false; // on the way round, two faces turn towards the camera
  for (int frame = 0; frame < 100 && !twoFaces; ++frame) {
    Settle(1);
    twoFaces = device.strips.size() == 2;
  }
  EXPECT_TRUE(twoFaces);
  Settle();
  EXPECT_EQ(device.strips.size(), 1u);
  EXPECT_TRUE(CubeFaceTurnedTowards(5, {0, 3, 0}, 1.0f));
  EXPECT_FALSE(CubeFaceTurnedTowards(5, {0, 0.9f, 3}, 1.0f)) << "below the top's plane";
}

TEST_F(CubeTest, ArrowsTurnAndEnterLandsOnTheChosenDesktop) {
  Open(1);
  Settle();
  cube->HandleKeyDown(effect_key::kRight);
  Settle();
  EXPECT_EQ(cube->SelectedDesktop(), 2);
  for (int i = 0; i < 4; ++i)
    cube->HandleKeyDown(effect_key::kRight);
  Settle();
  EXPECT_EQ(cube->SelectedDesktop(), 2) << "four turns come round again";
  cube->HandleKeyDown(effect_key::kLeft);
  cube->HandleKeyDown(effect_key::kLeft);
  Settle();
  EXPECT_EQ(cube->SelectedDesktop(), 4);

  cube->HandleKeyDown(effect_key::kEnter);
  EXPECT_TRUE(cube->Closing());
  Settle();
  EXPECT_TRUE(cube->Finished());
  EXPECT_EQ(Current(), 4);
  EXPECT_EQ(world.osd, (std::vector<std::string>{"text 241"}));
  EXPECT_TRUE(world.parked);
  EXPECT_TRUE(desktops.manager->Enabled);
}

TEST_F(CubeTest, EscapeAndChoosingTheStartingFaceFinishWithoutASwitch) {
  Open(2);
  Settle();
  cube->HandleKeyDown(effect_key::kRight);
  Settle(5);
  cube->HandleKeyDown(effect_key::kEscape);
  Settle();
  EXPECT_TRUE(cube->Finished());
  EXPECT_EQ(Current(), 2);
  EXPECT_TRUE(world.osd.empty());

  Open(2);
  Settle();
  cube->HandleMessage({kMessageLeftDoubleClick, 0, 0});
  Settle();
  EXPECT_TRUE(cube->Finished());
  EXPECT_EQ(Current(), 2);
  EXPECT_TRUE(world.osd.empty());
}

TEST_F(CubeTest, PrivateDesktopShowsItsPictureAndAsksForThePassword) {
  AnswerPrompt prompt;
  desktops.environment.Passwords = &prompt;
  desktops.setup.DesktopPrivacy[2] = 2;
  desktops.setup.DesktopPassword = "secret";
  Open(1);
  Settle();
  const auto textureOfFace = [&](int desktop) {
    for (const auto &strip : device.strips)
      if (strip.first == 6 * (desktop - 1))
        return strip.texture;
    return TextureId{0};
  };
  EXPECT_EQ(textureOfFace(2), world.textures.ProtectedDesktop);
  EXPECT_NE(textureOfFace(3), world.textures.ProtectedDesktop);

  cube->HandleKeyDown(effect_key::kRight);
  Settle();
  prompt.answer = "wrong";
  cube->HandleKeyDown(effect_key::kEnter);
  EXPECT_TRUE(cube->Interactive()) << "a refused password leaves the cube turnable";
  EXPECT_FALSE(cube->Closing());

  prompt.answer = "secret";
  cube->HandleKeyDown(effect_key::kEnter);
  Settle(3);
  EXPECT_NE(textureOfFace(2), world.textures.ProtectedDesktop) << "unlocked for this effect";
  Settle();
  EXPECT_EQ(Current(), 2);
}

TEST_F(CubeTest, ReleasedTriggerKeyChoosesOnlyWithEdgeMovement) {
  Open(1);
  cube->HandleTrigger(kChooseTrigger);
  EXPECT_TRUE(cube->Finished()) << "released before the first frame: the effect vanishes";
  EXPECT_FALSE(world.parked);

  desktops.setup.CubeEdgeMovement = false;
  Open(1);
  Settle();
  cube->HandleTrigger(4);
  cube->HandleTrigger(kChooseTrigger);
  Settle();
  EXPECT_FALSE(cube->Closing());
  EXPECT_EQ(cube->SelectedDesktop(), 1);

  desktops.setup.CubeEdgeMovement = true;
  cube->HandleTrigger(4); // the right edge turns to the next desktop
  Settle();
  cube->HandleTrigger(2); // the top edge tilts to desktop 5
  Settle();
  EXPECT_EQ(cube->SelectedDesktop(), 5);
  cube->HandleTrigger(kChooseTrigger);
  Settle();
  EXPECT_EQ(Current(), 5);
}

TEST_F(CubeTest, MouseDragTurnsAndTiltsWithinThePole) {
  Open(1);
  Settle();
  world.buttonDown = true;
  Settle(2);
  world.cursor.x += 320; // a quarter of the screen: one face
  world.cursor.y += 5000;
  Settle(2);
  world.buttonDown = false;
  Settle();
  EXPECT_FLOAT_EQ(cube->Tilt()->TargetValue, 256.0f) << "held at the pole";
  EXPECT_EQ(cube->SelectedDesktop(), 5);
  world.buttonDown = true;
  Settle(2);
  world.cursor.y -= 256;
  Settle(2);
  world.buttonDown = false;
  Settle();
  EXPECT_EQ(cube->FrontFace(), 4) << "dragging right brings the previous face";
}

TEST_F(CubeTest, ZoomStopsAtTheFullScreenDistance) {
  Open(1);
  Settle();
  for (int i = 0; i < 20; ++i)
    cube->HandleKeyDown(effect_key::kDown);
  Settle();
  EXPECT_FLOAT_EQ(cube->Distance()->Value, 3.4133f);
  cube->HandleMessage({kMessageMouseWheel, static_cast<std::uintptr_t>(120) << 16, 0});
  Settle();
  EXPECT_GT(cube->Distance()->Value, 3.4133f);
}

TEST_F(CubeTest, CarriedWindowLandsOnTheDesktopWhereItIsDropped) {
  desktops.setup.PerformanceWaterDrop = false; // the ripple has its own tests
  desktops.system.Add(0x500);
  desktops.manager->Refresh();
  desktops.system.dragged = 0x500;
  world.buttonDown = true;
  Open(1);
  EXPECT_EQ(cube->CarriedWindowHandle(), 0x500);
  EXPECT_TRUE(world.workHeight);
  Settle();
  cube->HandleKeyDown(effect_key::kRight);
  Settle();
  world.buttonDown = false; // dropped
  desktops.system.dragged = 0;
  Settle();
  EXPECT_TRUE(cube->Finished());
  EXPECT_EQ(Current(), 2);
  EXPECT_EQ(desktops.DesktopOf(0x500), 2);
  EXPECT_FALSE(world.topmostCalls.at(0x500)) << "not topmost once the effect is over";
  EXPECT_FALSE(desktops.manager->KeepFocus);
}

TEST_F(CubeTest, FailedGeometryEndsAtOnceAndTellsTheUserOnce) {
  device.failTextures = true;
  Open(3);
  for (int i = 0; i < 3; ++i)
    cube->Render();
  EXPECT_TRUE(cube->Finished());
  EXPECT_EQ(world.errors, (std::vector<std::string>{"Cannot create texture 1"}));
  // Input that arrives before the host lets the effect go finds nothing to move.
  cube->HandleKeyDown(effect_key::kRight);
  cube->HandleTrigger(4);
  cube->HandleMessage({kMessageLeftDoubleClick, 0, 0});
  EXPECT_EQ(Current(), 3);
  cube.reset();
  EXPECT_TRUE(device.textures.empty()) << "nothing left on the device";
}

TEST_F(CubeTest, ButtonsFadeInUnderThePointer) {
  desktops.setup.GeneralShowControls = true;
  Open(1);
  world.cursor = {104 + 10, 32 + 10}; // over the pointer button
  // The first frame brings every button to half opacity; 26 more under the
  // pointer make it opaque.
  for (int i = 0; i < 28; ++i) {
    world.clock.now += 10;
    cube->Render();
  }
  ASSERT_EQ(device.quads.size(), 8u + 1u) << "the gradient and eight buttons";
  const auto alphaOf = [&](std::size_t quad) { return device.quads[quad][0].color >> 24; };
  EXPECT_EQ(alphaOf(2), 255u) << "the pointer button under the cursor";
  EXPECT_EQ(alphaOf(1), 128u) << "the rotate button away from it";
  EXPECT_FLOAT_EQ(device.quads[2][0].rhw, 0.1f);
  EXPECT_FLOAT_EQ(device.quads[0][0].rhw, 1.0f / 990.1f) << "the background quad";

  desktops.setup.GeneralShowControls = false;
  Open(1);
  cube->Render();
  EXPECT_EQ(device.quads.size(), 1u);

  // Given the gradient's colours, the background needs no picture.
  world.textures.BlackGradientColours = {0xFF404040, 0xFF000000};
  Open(1);
  cube->Render();
  EXPECT_TRUE(device.quads.empty());
  ASSERT_EQ(device.colouredTriangles.size(), 1u);
  EXPECT_EQ(device.colouredTriangles[0].size(), 6u);
}

} // namespace
} // namespace qv
