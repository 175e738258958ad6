#include "render/scene_vertex.h"

namespace qv {
namespace {

struct Corner {
  float x, y, z, u, v;
};

// Each face as four corners: top-left, top-right, bottom-left, bottom-right as
// seen in its picture. A face's six vertices are corners 0 1 2 1 2 3, which draw
// as a list of two triangles or as a strip with two degenerate triangles.
constexpr Corner kFaces[6][4] = {
    {{-1, 1, -1, 0, 0}, {1, 1, -1, 1, 0}, {-1, -1, -1, 0, 1}, {1, -1, -1, 1, 1}}, // front
    {{1, 1, -1, 0, 0}, {1, 1, 1, 1, 0}, {1, -1, -1, 0, 1}, {1, -1, 1, 1, 1}},     // right
    {{-1, 1, 1, 1, 0}, {1, 1, 1, 0, 0}, {-1, -1, 1, 1, 1}, {1, -1, 1, 0, 1}},     // back
    {{-1, 1, -1, 1, 0}, {-1, 1, 1, 0, 0}, {-1, -1, -1, 1, 1}, {-1, -1, 1, 0, 1}}, // left
    {{-1, 1, 1, 0, 0}, {1, 1, 1, 1, 0}, {-1, 1, -1, 0, 1}, {1, 1, -1, 1, 1}},     // top
    {{-1, -1, 1, 0, 1}, {1, -1, 1, 1, 1}, {-1, -1, -1, 0, 0}, {1, -1, -1, 1, 0}}, // bottom
};
constexpr int kCornerOrder[kCubeFaceVertices] = {0, 1, 2, 1, 2, 3};
constexpr int kSideFaces = 4;

constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFF;
constexpr std::uint32_t kSpreadWhite = 0xDFFFFFFF;    // alpha 223
constexpr std::uint32_t kReflectionTop = 0x22FFFFFF;  // alpha 34 where it meets the cube
constexpr std::uint32_t kReflectionFade = 0x00FFFFFF; // alpha 0
constexpr float kSpreadScale = 1.1f;

// The axis along which all four corners of a face lie at the same coordinate.
int FaceAxis(const Corner (&face)[4]) {
  const auto same = [&face](auto coordinate) {
    for (const Corner &corner : face) {
      if (coordinate(corner) != coordinate(face[0])) {
        return false;
      }
    }
    return true;
  };
  if (same([](const Corner &c) { return c.x; })) {
    return 0;
  }
  return same([](const Corner &c) { return c.y; }) ? 1 : 2;
}

std::array<SceneVertex, kCubeTableVertices> BuildTable(bool spread) {
  std::array<SceneVertex, kCubeTableVertices> table{};
  for (int face = 0; face < 6; ++face) {
    const int axis = FaceAxis(kFaces[face]);
    for (int i = 0; i < kCubeFaceVertices; ++i) {
      const Corner &corner = kFaces[face][kCornerOrder[i]];
      float position[3] = {corner.x, corner.y, corner.z};
      if (spread) {
        position[axis] *= kSpreadScale;
      }
      SceneVertex &solid = table[face * kCubeFaceVertices + i];
      solid = {position[0], position[1], position[2], 0, 0, 0, spread ? kSpreadWhite : kOpaqueWhite,
               corner.u,    corner.v};

      // The reflection hangs below the cube, so its picture is upside down and
      // it is visible only on the side faces, fading from their top edge.
      SceneVertex &mirrored = table[kCubeReflectionStart + face * kCubeFaceVertices + i];
      mirrored = solid;
      mirrored.v = 1.0f - corner.v;
      mirrored.color = face < kSideFaces && corner.y > 0 ? kReflectionTop : kReflectionFade;
    }
  }
  return table;
}

} // namespace

const std::array<SceneVertex, kCubeTableVertices> &CubeTable(int appearance) {
  static const std::array<SceneVertex, kCubeTableVertices> closed = BuildTable(false);
  static const std::array<SceneVertex, kCubeTableVertices> spread = BuildTable(true);
  return appearance == 0 ? closed : spread;
}

} // namespace qv
