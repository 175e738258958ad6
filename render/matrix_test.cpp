#include "render/matrix.h"

#include <numbers>

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

TEST(Matrix, LookAtPutsTheTargetAheadAndAtTheOpeningDistanceTheFrontFaceFillsTheScreen) {
  const Matrix front = MatrixLookAtLH({0, 0, -5}, {0, 0, 0}, {0, 1, 0});
  ExpectPoint(TransformCoord({0, 0, 0}, front), {0, 0, 5});
  ExpectPoint(TransformCoord({1, 2, 0}, front), {1, 2, 5});
  // From the +x side the +z axis lies to the viewer's right.
  const Matrix side = MatrixLookAtLH({5, 0, 0}, {0, 0, 0}, {0, 1, 0});
  ExpectPoint(TransformCoord({0, 0, 1}, side), {1, 0, 5});

  const Matrix viewProjection =
      MatrixMultiply(MatrixLookAtLH({0, 0, -3.4133f}, {0, 0, 0}, {0, 1, 0}),
                     MatrixPerspectiveFovLH(kPi / 4, 1.0f, 1.0f, 100.0f));
  ExpectPoint(TransformCoord({-1, 1, -1}, viewProjection), {-1, 1, 0.5915f}, 1e-3f);
  ExpectPoint(TransformCoord({1, -1, -1}, viewProjection), {1, -1, 0.5915f}, 1e-3f);

  const Matrix projection = MatrixPerspectiveFovLH(kPi / 2, 2.0f, 1.0f, 100.0f);
  ExpectPoint(TransformCoord({2, 1, 1}, projection), {1, 1, 0});
  ExpectPoint(TransformCoord({0, 0, 100}, projection), {0, 0, 1});
}

} // namespace
} // namespace qv
