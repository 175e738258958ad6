// The ripple that ends an effect when a carried window is dropped: the drops,
// the waves, the mesh that carries the picture, and the whole seen through the cube.
#include "render/generic_renderer.h"

#include "render/cube_renderer.h"
#include "render/water_surface.h"
#include "tests/support/effect_test_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace qv {
namespace {

constexpr int kWidth = 1280, kHeight = 1024;

TEST(WaterSurface, DropsFollowTheWindowOutlineAndLandOnTheirCellsTheBorderNeverMoves) {
  auto water = std::make_unique<WaterSurface>();
  water->AddDrop({0, 0}, kWidth, kHeight);            // top left
  water->AddDrop({kWidth, kHeight}, kWidth, kHeight); // bottom right
  water->AddDrop({-500, 5000}, kWidth, kHeight);      // off the screen
  water->AddDrop({640, 512}, kWidth, kHeight);
  water->AddDrop({645, 515}, kWidth, kHeight); // the same cell again
  EXPECT_EQ(water->Velocity(0, 64), WaterSurface::kDropImpulse);
  EXPECT_EQ(water->Velocity(64, 0), WaterSurface::kDropImpulse);
  EXPECT_EQ(water->Velocity(0, 0), WaterSurface::kDropImpulse) << "clamped to the border";
  EXPECT_EQ(water->Velocity(32, 32), WaterSurface::kDropImpulse) << "replaced, not added";

  water->Step(0.9);
  EXPECT_DOUBLE_EQ(water->Height(32, 32), -WaterSurface::kDropImpulse);
  EXPECT_DOUBLE_EQ(water->Velocity(32, 32), 0.9 * WaterSurface::kDropImpulse);
  EXPECT_EQ(water->Height(31, 32), 0.0) << "the neighbours feel it one step later";
  for (int step = 0; step < 5; ++step)
    water->Step(0.9);
  EXPECT_LT(water->Height(29, 32), 0.0) << "the wave spreads";
  EXPECT_DOUBLE_EQ(water->Height(29, 32), water->Height(32, 35)) << "evenly to every side";
  EXPECT_EQ(water->Height(0, 64), 0.0);
  EXPECT_EQ(water->Height(1, 32), 0.0) << "the second ring stays still too";

  for (int step = 0; step < 600; ++step)
    water->Step(0.9);
  double largest = 0;
  for (int i = 0; i < WaterSurface::kSize; ++i)
    for (int j = 0; j < WaterSurface::kSize; ++j)
      largest = std::max(largest, std::abs(water->Height(i, j)));
  EXPECT_LT(largest, 1.0) << "the damping calms the water";

  // Where a dropped window lets its drops fall, and how many steps each frame runs.
  const auto points = WaterDropPoints({100, 50, 301, 151});
  EXPECT_EQ(points[1].x, 200) << "the midpoint rounds towards the left";
  EXPECT_EQ(points[3].y, 100);
  EXPECT_EQ(points[7].x, 301);
  EXPECT_EQ(points[7].y, 151);

  EXPECT_EQ(WaterStepsDue(0.0, 0, 8), 0);
  EXPECT_EQ(WaterStepsDue(0.05, 0, 8), 3);
  EXPECT_EQ(WaterStepsDue(0.05, 3, 8), 0) << "a fast display repeats the last step's mesh";
  EXPECT_EQ(WaterStepsDue(2.0, 3, 8), 8) << "a stalled frame catches up a little at a time";
  EXPECT_EQ(WaterStepsDue(-1.0, 0, 8), 0);
}

TEST(WaterSurface, MeshCoversTheSquareOnceWithThePictureUpright) {
  auto water = std::make_unique<WaterSurface>();
  water->BuildMesh();
  const auto &mesh = water->Mesh();
  // The strip's triangles tile the square from -1 to 1 exactly: their areas add up to 4.
  double area = 0;
  for (int t = 0; t < WaterSurface::kMeshTriangles; ++t) {
    const SceneVertex &a = mesh[static_cast<std::size_t>(t)];
    const SceneVertex &b = mesh[static_cast<std::size_t>(t + 1)];
    const SceneVertex &c = mesh[static_cast<std::size_t>(t + 2)];
    area += std::abs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
  }
  EXPECT_NEAR(area, 4.0, 1e-3);
  EXPECT_FLOAT_EQ(mesh[1].x, -1.0f);
  EXPECT_FLOAT_EQ(mesh[1].y, -1.0f);
  EXPECT_FLOAT_EQ(mesh[1].v, 1.0f) << "the bottom of the screen is the picture's bottom";
  EXPECT_FLOAT_EQ(mesh[1].z, -1.0f) << "calm water lies in the plane z = -1";

  water->AddDrop({640, 512}, kWidth, kHeight);
  water->Step(0.9);
  water->BuildMesh();
  float nearest = 0, farthest = -2;
  for (int n = 0; n < WaterSurface::kMeshVertices - 1; ++n) {
    const SceneVertex &v = water->Mesh()[static_cast<std::size_t>(n)];
    nearest = std::min(nearest, v.z);
    farthest = std::max(farthest, v.z);
  }
  EXPECT_FLOAT_EQ(nearest, static_cast<float>(-1 - WaterSurface::kDropImpulse / 16384))
      << "the struck cell rises towards the viewer";
  EXPECT_FLOAT_EQ(farthest, -1.0f);
}

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
