// The geometry every effect draws with: the matrices and the cube's vertex tables.
#include "render/matrix.h"
#include "render/scene_vertex.h"

#include <cmath>
#include <numbers>
#include <tuple>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

void ExpectPoint(Vec3 actual, Vec3 expected, float tolerance = 1e-5f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(Matrix, RotationsTurnAxesTheDirect3DWayAndTheWorldMatrixTurnsZXYThenScalesThenMoves) {
  ExpectPoint(TransformCoord({0, 1, 0}, MatrixRotationX(kPi / 2)), {0, 0, 1});
  ExpectPoint(TransformCoord({1, 0, 0}, MatrixRotationY(kPi / 2)), {0, 0, -1});
  ExpectPoint(TransformCoord({1, 0, 0}, MatrixRotationZ(kPi / 2)), {0, 1, 0});

  // Z takes +x to +y, X takes +y to +z, Y takes +z back to +x; any other order
  // of the three quarter turns ends elsewhere.
  const Matrix world = WorldMatrix({1, 2, 3}, {kPi / 2, kPi / 2, kPi / 2}, {2, 2, 2});
  ExpectPoint(TransformCoord({1, 0, 0}, world), {3, 2, 3});
  ExpectPoint(TransformCoord({0, 0, 0}, world), {1, 2, 3});
  ExpectPoint(TransformCoord({4, 5, 6}, WorldMatrix({0, 0, 0}, {0, 0, 0}, {1, 1, 1})), {4, 5, 6});
}

TEST(Matrix, AtTheOpeningDistanceTheFrontFaceFillsTheScreen) {
  const Matrix viewProjection =
      MatrixMultiply(MatrixLookAtLH({0, 0, -3.4133f}, {0, 0, 0}, {0, 1, 0}),
                     MatrixPerspectiveFovLH(kPi / 4, 1.0f, 1.0f, 100.0f));
  ExpectPoint(TransformCoord({-1, 1, -1}, viewProjection), {-1, 1, 0.5915f}, 1e-3f);
  ExpectPoint(TransformCoord({1, -1, -1}, viewProjection), {1, -1, 0.5915f}, 1e-3f);

  const Matrix projection = MatrixPerspectiveFovLH(kPi / 2, 2.0f, 1.0f, 100.0f);
  ExpectPoint(TransformCoord({2, 1, 1}, projection), {1, 1, 0});
  ExpectPoint(TransformCoord({0, 0, 100}, projection), {0, 0, 1});
}

constexpr int kSideFaces = 4;

std::uint32_t Alpha(const SceneVertex &vertex) {
  return vertex.color >> 24;
}

// Centre of a face's six vertices: its outward direction on the closed cube.
void FaceCentre(const SceneVertex *face, float &x, float &z) {
  x = z = 0.0f;
  for (int i = 0; i < kCubeFaceVertices; ++i) {
    x += face[i].x / kCubeFaceVertices;
    z += face[i].z / kCubeFaceVertices;
  }
}

// The spread cube (appearance 2) stands its faces apart but shows the same pictures.
TEST(CubeTable, SideFacesShowTheirPictureUprightAndUnmirroredFromOutside) {
  for (const int appearance : {0, 1, 2}) {
    const auto &table = CubeTable(appearance);
    for (int face = 0; face < kSideFaces; ++face) {
      const SceneVertex *vertices = &table[face * kCubeFaceVertices];
      float outX, outZ;
      FaceCentre(vertices, outX, outZ);
      // Seen from outside with +y up, the viewer's right is the outward direction
      // turned a quarter about the y axis.
      const float rightX = -outZ, rightZ = outX;
      const float length = std::abs(rightX) + std::abs(rightZ);
      for (int i = 0; i < kCubeFaceVertices; ++i) {
        const SceneVertex &v = vertices[i];
        EXPECT_FLOAT_EQ(v.u, ((v.x * rightX + v.z * rightZ) / length + 1) / 2)
            << "appearance " << appearance << " face " << face << " vertex " << i;
        EXPECT_FLOAT_EQ(v.v, (1 - v.y) / 2);
      }
    }
  }
}

TEST(CubeTable, ReflectionIsTheSidesUpsideDownFadingAwayFromTheCube) {
  for (const int appearance : {0, 1}) {
    const auto &table = CubeTable(appearance);
    for (int i = 0; i < kCubeReflectionStart; ++i) {
      const SceneVertex &solid = table[i];
      const SceneVertex &mirrored = table[kCubeReflectionStart + i];
      EXPECT_EQ(std::tuple(mirrored.x, mirrored.y, mirrored.z),
                std::tuple(solid.x, solid.y, solid.z));
      EXPECT_EQ(mirrored.color & 0xFFFFFFu, 0xFFFFFFu);
      if (i < kSideFaces * kCubeFaceVertices) {
        // Drawn 2 units lower, its upper edge meets the cube's lower edge and
        // shows the bottom of the picture.
        EXPECT_EQ(mirrored.u, solid.u);
        EXPECT_EQ(mirrored.v, solid.y > 0 ? 1.0f : 0.0f);
        EXPECT_EQ(Alpha(mirrored), solid.y > 0 ? 34u : 0u);
      } else {
        EXPECT_EQ(Alpha(mirrored), 0u) << "caps cast no reflection";
      }
    }
  }
}

} // namespace
} // namespace qv
