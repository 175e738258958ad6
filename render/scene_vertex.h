#pragma once
#include <array>
#include <cstdint>

namespace qv {

// The vertex of every 3D scene: position, normal, ARGB colour (alpha in the top
// byte) and one pair of texture coordinates (XYZ | NORMAL | DIFFUSE | TEX1).
struct SceneVertex {
  float x, y, z;
  float nx, ny, nz;
  std::uint32_t color;
  float u, v;
};
static_assert(sizeof(SceneVertex) == 36, "the vertex buffers rely on a 36-byte stride");

// A vertex already in screen pixels (XYZRHW | DIFFUSE | TEX1).
struct ScreenVertex {
  float x, y, z, rhw;
  std::uint32_t color;
  float u, v;
};
static_assert(sizeof(ScreenVertex) == 28, "screen quads are drawn with a 28-byte stride");

// The cube from -1 to +1: six faces of six vertices (front, right, back, left,
// top, bottom; face k starts at vertex 6k), then the same faces again as their
// floor reflection, to be drawn 2 units lower with the picture upside down and
// fading out downwards.
inline constexpr int kCubeTableVertices = 72;
inline constexpr int kCubeFaceVertices = 6;
inline constexpr int kCubeReflectionStart = 36;

// Appearance 0 is the closed cube; any other spreads the faces 0.1 apart and
// makes them slightly translucent.
const std::array<SceneVertex, kCubeTableVertices> &CubeTable(int appearance);

} // namespace qv
