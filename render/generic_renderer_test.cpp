// The ripple that ends an effect when a carried window is dropped, seen
// through the cube as any effect would show it.
#include "render/generic_renderer.h"

#include "render/cube_renderer.h"
#include "tests/support/effect_test_world.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

class WaterDropTest : public test::EffectTest<T3DCubeRenderer> {
protected:
  // Window 0x500 held by its title bar when the cube opens.
  void OpenCarrying(bool waterDrop) {
    desktops.setup.PerformanceWaterDrop = waterDrop;
    if (!desktops.system.windows.count(0x500))
      desktops.system.Add(0x500); // at (100, 100)-(500, 400)
    desktops.manager->Refresh();
    desktops.system.dragged = 0x500;
    world.buttonDown = true;
    Open(desktops.manager->CurrentDesktop()->Number());
  }
  // Turns to desktop 2 and drops the window there.
  void DropOnDesktop2() {
    Frames(200);
    Key(effect_key::kRight, 200);
    world.buttonDown = false;
    desktops.system.dragged = 0;
    for (int i = 0; i < 400 && !effect->WaterRunning() && !effect->Finished(); ++i)
      Frames(1);
  }
};

TEST_F(WaterDropTest, DroppedWindowRipplesOverTheChosenDesktopForTwoSeconds) {
  OpenCarrying(true);
  ASSERT_NE(effect->Water(), nullptr) << "prepared from the start";
  DropOnDesktop2();
  ASSERT_TRUE(effect->WaterRunning());
  EXPECT_FALSE(effect->Finished());
  EXPECT_EQ(effect->Water()->Velocity(5, 58), WaterSurface::kDropImpulse) << "the top left corner";
  EXPECT_EQ(desktops.DesktopOf(0x500), 2) << "the window is already on its desktop";

  Frames(10, 20);
  ASSERT_EQ(device.strips.size(), 1u) << "only the water is drawn";
  EXPECT_EQ(device.strips[0].triangles, WaterSurface::kMeshTriangles);
  const TextureId desktop2 = device.strips[0].texture;
  EXPECT_NE(desktop2, 0u);
  EXPECT_NE(effect->Water()->Height(5, 58), 0.0) << "the surface moves";
  EXPECT_EQ(Current(), 1) << "the switch waits for the ripple";

  // 200 ms have passed; the ripple ends after 2000 ms whatever the frame rate.
  Frames(17, 100);
  EXPECT_FALSE(effect->Finished());
  Frames(5, 100);
  EXPECT_TRUE(effect->Finished());
  EXPECT_EQ(world.log.back(), "Water drop ended after 28 frames in 2000 ms") << "its frame rate";
  EXPECT_EQ(Current(), 2);
  EXPECT_FALSE(world.topmostCalls.at(0x500));
  effect.reset();
  EXPECT_TRUE(device.buffers.empty()) << "the water's buffer went with the effect";
}

TEST_F(WaterDropTest, WithoutTheSettingOrItsBufferTheWindowLandsAtOnce) {
  OpenCarrying(false);
  EXPECT_EQ(effect->Water(), nullptr);
  EXPECT_EQ(effect->CarriedWindowHandle(), 0x500);
  EXPECT_TRUE(world.workHeight);
  DropOnDesktop2();
  EXPECT_TRUE(effect->Finished());
  EXPECT_EQ(Current(), 2);
  EXPECT_EQ(desktops.DesktopOf(0x500), 2);
  EXPECT_FALSE(world.topmostCalls.at(0x500)) << "not topmost once the effect is over";
  EXPECT_FALSE(desktops.manager->KeepFocus);

  device.maxBufferVertices = 1000; // the cube's buffer, not the water's
  OpenCarrying(true);
  EXPECT_EQ(world.errors, (std::vector<std::string>{"Cannot create water effect vertex buffer"}));
  DropOnDesktop2();
  EXPECT_TRUE(effect->Finished());
  EXPECT_FALSE(effect->WaterRunning());
}

} // namespace
} // namespace qv
