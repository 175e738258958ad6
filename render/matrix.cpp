#include "render/matrix.h"

#include <cmath>

namespace qv {
namespace {

Vec3 Subtract(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

float Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 Normalize(Vec3 v) {
  const float length = std::sqrt(Dot(v, v));
  if (length == 0.0f) {
    return v;
  }
  return {v.x / length, v.y / length, v.z / length};
}

} // namespace

Matrix MatrixIdentity() {
  return {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
}

Matrix MatrixMultiply(const Matrix &a, const Matrix &b) {
  Matrix product{};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) {
        sum += a.m[row][k] * b.m[k][column];
      }
      product.m[row][column] = sum;
    }
  }
  return product;
}

Matrix MatrixRotationX(float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  return {{{1, 0, 0, 0}, {0, c, s, 0}, {0, -s, c, 0}, {0, 0, 0, 1}}};
}

Matrix MatrixRotationY(float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  return {{{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {0, 0, 0, 1}}};
}

Matrix MatrixRotationZ(float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  return {{{c, s, 0, 0}, {-s, c, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
}

Matrix MatrixScaling(float x, float y, float z) {
  return {{{x, 0, 0, 0}, {0, y, 0, 0}, {0, 0, z, 0}, {0, 0, 0, 1}}};
}

Matrix MatrixTranslation(float x, float y, float z) {
  return {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {x, y, z, 1}}};
}

Matrix MatrixLookAtLH(Vec3 eye, Vec3 at, Vec3 up) {
  const Vec3 zAxis = Normalize(Subtract(at, eye));
  const Vec3 xAxis = Normalize(Cross(up, zAxis));
  const Vec3 yAxis = Cross(zAxis, xAxis);
  return {{{xAxis.x, yAxis.x, zAxis.x, 0},
           {xAxis.y, yAxis.y, zAxis.y, 0},
           {xAxis.z, yAxis.z, zAxis.z, 0},
           {-Dot(xAxis, eye), -Dot(yAxis, eye), -Dot(zAxis, eye), 1}}};
}

Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
  const float yScale = 1.0f / std::tan(fovY / 2.0f);
  const float xScale = yScale / aspect;
  const float depth = zFar / (zFar - zNear);
  return {{{xScale, 0, 0, 0}, {0, yScale, 0, 0}, {0, 0, depth, 1}, {0, 0, -zNear * depth, 0}}};
}

Matrix WorldMatrix(Vec3 translation, Vec3 rotation, Vec3 scale) {
  Matrix world = MatrixMultiply(MatrixRotationZ(rotation.z), MatrixRotationX(rotation.x));
  world = MatrixMultiply(world, MatrixRotationY(rotation.y));
  world = MatrixMultiply(world, MatrixScaling(scale.x, scale.y, scale.z));
  return MatrixMultiply(world, MatrixTranslation(translation.x, translation.y, translation.z));
}

Vec3 TransformCoord(Vec3 point, const Matrix &matrix) {
  float out[4];
  for (int column = 0; column < 4; ++column) {
    out[column] = point.x * matrix.m[0][column] + point.y * matrix.m[1][column] +
                  point.z * matrix.m[2][column] + matrix.m[3][column];
  }
  if (out[3] == 0.0f) {
    return {out[0], out[1], out[2]};
  }
  return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

} // namespace qv
