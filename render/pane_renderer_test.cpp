#include "render/pane_renderer.h"

#include "tests/support/effect_test_world.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PaneWall, TheCameraSelectsThePaneWhoseCellItIsIn) {
  for (int d = 1; d <= 6; ++d) {
    const PanePoint centre = PaneCentre(d);
    EXPECT_EQ(PaneAt(centre.x, centre.y), d);
    EXPECT_FLOAT_EQ(PaneReflectionCentre(d).x, centre.x);
  }
  EXPECT_EQ(PaneAt(-1.09f, 0.06f), 2) << "cells are 2 units wide and high from (-3.1, 2.05)";
  EXPECT_EQ(PaneAt(-1.11f, 0.04f), 4);
  // The pan may reach, or spring past, the wall's edges: the nearest pane.
  EXPECT_EQ(PaneAt(3.1f, -2.05f), 6);
  EXPECT_EQ(PaneAt(-9.0f, 9.0f), 1);
}

class PaneTest : public test::EffectTest<T3DDesktopPaneRenderer> {
protected:
  // Where the centre of desktop d's pane (in the plane z = -1) is seen.
  Vec3 Seen(int desktop) const {
    const PanePoint centre = PaneCentre(desktop);
    return TransformCoord({centre.x, centre.y, -1}, device.view);
  }
};

TEST_F(PaneTest, ArrowsDragsAndEdgesMoveAlongTheWallAndTheFlightLandsOnTheChosenCentre) {
  Open(5, 1);
  EXPECT_FLOAT_EQ(effect->PanX()->Value, 0.0f);
  EXPECT_FLOAT_EQ(effect->PanY()->Value, -1.05f);
  EXPECT_NEAR(Seen(5).z, 2.42f, 1e-3) << "pane 5 straight ahead, nearly filling the screen";
  EXPECT_NEAR(Seen(5).y, 0, 1e-5);
  EXPECT_EQ(device.strips.size(), 12u) << "six panes and their reflections";
  Frames();
  EXPECT_NEAR(effect->Distance()->Value, 4.42f, 1e-2) << "and pulls back";

  Key(effect_key::kRight);
  EXPECT_EQ(effect->SelectedDesktop(), 6);
  EXPECT_NEAR(effect->Opacity(6)->Value, 1.0f, 1e-2) << "the selected pane brightens";
  EXPECT_NEAR(effect->Opacity(5)->Value, 0.5f, 1e-2) << "the one left fades to half";
  Key(effect_key::kRight);
  EXPECT_EQ(effect->SelectedDesktop(), 1) << "6 is followed by 1";

  Open(1, kSettle);
  Drag(-400, 0);
  EXPECT_NEAR(effect->PanX()->TargetValue, -1.1f, 1e-5) << "400 pixels left: one unit right";
  Frames();
  Drag(-40, -4000);
  Frames(1);
  EXPECT_FLOAT_EQ(effect->PanY()->TargetValue, -2.05f) << "kept on the wall";
  Frames();
  EXPECT_EQ(effect->SelectedDesktop(), 5);

  Key(effect_key::kEnter);
  EXPECT_NEAR(Seen(5).x, 0, 1e-2) << "the flight ends on the chosen pane";
  EXPECT_NEAR(Seen(5).y, 0, 1e-2);
  EXPECT_NEAR(Seen(5).z, 2.4133f, 1e-3);

  desktops.setup.ExplorerEdgeMovement = true;
  Open(3, kSettle);
  effect->HandleTrigger(4); // nothing right of 3
  Trigger(2);               // nor above it
  EXPECT_EQ(effect->SelectedDesktop(), 3);
  Trigger(6);
  EXPECT_EQ(effect->SelectedDesktop(), 6);
  Trigger(8);
  EXPECT_EQ(effect->SelectedDesktop(), 5);
}

} // namespace
} // namespace qv
