#pragma once

namespace qv {

// Direct3D conventions: a point is the row vector (x, y, z, 1) multiplied on the
// left (v * M), and view space is left-handed with +z pointing into the screen.
struct Vec3 {
  float x, y, z;
};

struct Matrix {
  float m[4][4]; // m[row][column]
};

Matrix MatrixIdentity();
// a first, then b: v * (a * b) == (v * a) * b.
Matrix MatrixMultiply(const Matrix &a, const Matrix &b);
// Angles in radians; positive angles turn clockwise when looking along the axis
// towards the origin, as Direct3D's helpers do.
Matrix MatrixRotationX(float angle);
Matrix MatrixRotationY(float angle);
Matrix MatrixRotationZ(float angle);
Matrix MatrixScaling(float x, float y, float z);
Matrix MatrixTranslation(float x, float y, float z);
// The view from eye towards at, with up giving the screen's upward direction.
Matrix MatrixLookAtLH(Vec3 eye, Vec3 at, Vec3 up);
// fovY is the vertical field of view in radians, aspect is width / height; depth
// comes out as 0 on the near plane and 1 on the far plane.
Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
// RotationZ(rotation.z) * RotationX(rotation.x) * RotationY(rotation.y) *
// Scaling(scale) * Translation(translation): rotated about z first, moved last.
Matrix WorldMatrix(Vec3 translation, Vec3 rotation, Vec3 scale);
// point * matrix, divided by the resulting w (left undivided when w is 0).
Vec3 TransformCoord(Vec3 point, const Matrix &matrix);

} // namespace qv
