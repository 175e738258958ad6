// The explorer as a user drives it, frame by frame, against a device that
// records what is drawn and a program of six desktops held in memory.
#include "render/pane_renderer.h"

#include "tests/support/effect_test_world.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv {
namespace {

using test::AnswerPrompt;

TEST(PaneWall, TheCameraSelectsThePaneWhoseCellItIsIn) {
  for (int d = 1; d <= 6; ++d) {
    const PanePoint centre = PaneCentre(d);
    EXPECT_EQ(PaneAt(centre.x, centre.y), d);
    EXPECT_FLOAT_EQ(PaneReflectionCentre(d).x, centre.x);
  }
  EXPECT_EQ(PaneAt(-1.11f, 0.1f), 1) << "cells are 2 units wide from x = -3.1";
  EXPECT_EQ(PaneAt(-1.09f, 0.1f), 2);
  EXPECT_EQ(PaneAt(0.8f, 0.06f), 2) << "and 2 units high from y = 2.05";
  EXPECT_EQ(PaneAt(0.8f, 0.04f), 5);
  // The pan may reach, or spring past, the wall's edges: the nearest pane.
  EXPECT_EQ(PaneAt(3.1f, -2.05f), 6);
  EXPECT_EQ(PaneAt(-9.0f, 9.0f), 1);
}

class PaneTest : public ::testing::Test {
protected:
  void Open(int onDesktop = 1) {
    desktops.SwitchTo(onDesktop);
    desktops.setup.PerformanceLivePreview = false;
    explorer.reset();
    explorer = std::make_unique<T3DDesktopPaneRenderer>(device, world);
    explorer->Initialise();
  }
  void Frames(int count = 300) {
    for (int i = 0; i < count && !explorer->Finished(); ++i) {
      world.clock.now += 10;
      explorer->Render();
    }
  }
  int Current() { return desktops.manager->CurrentDesktop()->Number(); }
  // Where the centre of desktop d's pane (in the plane z = -1) is seen.
  Vec3 Seen(int desktop) const {
    const PanePoint centre = PaneCentre(desktop);
    return TransformCoord({centre.x, centre.y, -1}, device.view);
  }

  test::DesktopTestWorld desktops;
  test::RecordingDevice device;
  test::FakeWorld world{desktops};
  std::unique_ptr<T3DDesktopPaneRenderer> explorer;
};

TEST_F(PaneTest, OpensInFrontOfTheCurrentPaneAndFliesIntoTheChosenOne) {
  Open(5);
  Frames(1);
  EXPECT_FLOAT_EQ(explorer->PanX()->Value, 0.0f);
  EXPECT_FLOAT_EQ(explorer->PanY()->Value, -1.05f);
  EXPECT_NEAR(Seen(5).z, 2.42f, 1e-3) << "pane 5 straight ahead, nearly filling the screen";
  EXPECT_NEAR(Seen(5).y, 0, 1e-5);
  EXPECT_EQ(device.strips.size(), 12u) << "six panes and their reflections";
  Frames();
  EXPECT_NEAR(explorer->Distance()->Value, 4.42f, 1e-2) << "and pulls back";

  explorer->HandleKeyDown(effect_key::kRight);
  Frames();
  EXPECT_EQ(explorer->SelectedDesktop(), 6);
  EXPECT_NEAR(explorer->Opacity(6)->Value, 1.0f, 1e-2) << "the selected pane brightens";
  EXPECT_NEAR(explorer->Opacity(5)->Value, 0.5f, 1e-2) << "the one left fades to half";
  explorer->HandleKeyDown(effect_key::kRight);
  Frames();
  EXPECT_EQ(explorer->SelectedDesktop(), 1) << "6 is followed by 1";

  explorer->HandleKeyDown(effect_key::kEnter);
  Frames();
  EXPECT_TRUE(explorer->Finished());
  EXPECT_EQ(Current(), 1);
  EXPECT_EQ(world.osd, (std::vector<std::string>{"text 241"}));
}

TEST_F(PaneTest, ADragBetweenPanesChoosesTheOneInFrontAndLandsOnItsCentre) {
  Open(1);
  Frames();
  world.buttonDown = true;
  Frames(1);
  world.cursor.x -= 400;
  Frames(1);
  world.buttonDown = false;
  EXPECT_NEAR(explorer->PanX()->TargetValue, -1.1f, 1e-5) << "400 pixels left: one unit right";
  Frames();
  world.buttonDown = true;
  Frames(1);
  world.cursor.x -= 40;
  world.cursor.y -= 4000;
  Frames(1);
  world.buttonDown = false;
  Frames(1);
  EXPECT_FLOAT_EQ(explorer->PanY()->TargetValue, -2.05f) << "kept on the wall";
  Frames();
  EXPECT_EQ(explorer->SelectedDesktop(), 5);

  explorer->HandleKeyDown(effect_key::kEnter);
  Frames();
  EXPECT_EQ(Current(), 5);
  EXPECT_NEAR(Seen(5).x, 0, 1e-2) << "the flight ends on the chosen pane";
  EXPECT_NEAR(Seen(5).y, 0, 1e-2);
  EXPECT_NEAR(Seen(5).z, 2.4133f, 1e-3);
}

TEST_F(PaneTest, EdgesMoveAlongTheWallAndEscapeGoesBack) {
  desktops.setup.ExplorerEdgeMovement = true;
  Open(3);
  Frames();
  explorer->HandleTrigger(4); // nothing right of 3
  explorer->HandleTrigger(2); // nor above it
  Frames();
  EXPECT_EQ(explorer->SelectedDesktop(), 3);
  explorer->HandleTrigger(6);
  Frames();
  EXPECT_EQ(explorer->SelectedDesktop(), 6);
  explorer->HandleTrigger(8);
  Frames();
  EXPECT_EQ(explorer->SelectedDesktop(), 5);
  explorer->HandleKeyDown(effect_key::kEscape);
  Frames();
  EXPECT_TRUE(explorer->Finished());
  EXPECT_EQ(Current(), 3);
  EXPECT_TRUE(world.osd.empty());
}

TEST_F(PaneTest, PrivateDesktopShowsItsPictureUntilThePasswordIsGiven) {
  AnswerPrompt prompt;
  desktops.environment.Passwords = &prompt;
  desktops.setup.DesktopPrivacy[2] = 2;
  desktops.setup.DesktopPassword = "secret";
  Open(1);
  Frames(1);
  EXPECT_EQ(device.strips[2].texture, world.textures.ProtectedDesktop) << "pane 2";
  EXPECT_EQ(device.strips[3].texture, world.textures.ProtectedDesktop) << "and its image";
  explorer->HandleKeyDown(effect_key::kRight);
  Frames();
  prompt.answer = "wrong";
  explorer->HandleKeyDown(effect_key::kEnter);
  EXPECT_TRUE(explorer->Interactive());
  prompt.answer = "secret";
  explorer->HandleKeyDown(effect_key::kEnter);
  Frames(1);
  EXPECT_NE(device.strips[2].texture, world.textures.ProtectedDesktop) << "unlocked";
  Frames();
  EXPECT_EQ(Current(), 2);
}

} // namespace
} // namespace qv
