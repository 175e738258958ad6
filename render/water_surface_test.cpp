// The water's surface: where drops land, how a wave spreads and dies, and
// the mesh that carries the picture.
#include "render/water_surface.h"

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
  EXPECT_DOUBLE_EQ(water->Height(29, 32), water->Height(35, 32)) << "evenly to both sides";
  EXPECT_DOUBLE_EQ(water->Height(29, 32), water->Height(32, 29));
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
  // The strip's triangles, degenerate ones aside, tile the square from -1 to
  // 1 exactly: their areas add up to 4 and every one is non-degenerate or flat.
  double area = 0;
  for (int t = 0; t < WaterSurface::kMeshTriangles; ++t) {
    const SceneVertex &a = mesh[static_cast<std::size_t>(t)];
    const SceneVertex &b = mesh[static_cast<std::size_t>(t + 1)];
    const SceneVertex &c = mesh[static_cast<std::size_t>(t + 2)];
    area += std::abs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
  }
  EXPECT_NEAR(area, 4.0, 1e-3);
  EXPECT_FLOAT_EQ(mesh[0].y, -1.0f + 2.0f / 64) << "the first pair starts one row up";
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

} // namespace
} // namespace qv
