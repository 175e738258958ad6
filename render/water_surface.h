#pragma once
// The surface of water the ripple shows: a 65 x 65 height field whose inner
// cells spread drops to their neighbours and calm down, and the triangle
// strip that lays the chosen desktop's picture on it. Everything lives in the
// object, so stepping and rebuilding the mesh never allocate.
#include "desktops/window_system.h"
#include "render/scene_vertex.h"

#include <array>
#include <cstdint>

namespace qv {

struct WaterPoint {
  int x;
  int y;
};

class WaterSurface {
public:
  static constexpr int kSize = 65; // cells 0 to 64 along each axis
  static constexpr int kLast = kSize - 1;
  // 64 rows of 65 vertex pairs joined into one strip, and one vertex more
  // that is never written.
  static constexpr int kMeshVertices = 2 * kSize * kLast + 1;
  static constexpr int kMeshTriangles = kMeshVertices - 3;
  static constexpr double kDropImpulse = 1060.0;

  // An impulse at a screen pixel; points off the screen land on the border.
  // A second drop in the same cell replaces the first.
  void AddDrop(WaterPoint point, int screenWidth, int screenHeight);
  // One step of the inner cells (the outer two rings stay still), each
  // velocity then multiplied by `damping`.
  void Step(double damping);
  // Rebuilds the mesh: the square from -1 to 1 in the plane z = -1, heights
  // pushing it away from the viewer, the picture upright on it.
  void BuildMesh();

  double Height(int i, int j) const { return heights_[Index(i, j)]; }
  double Velocity(int i, int j) const { return velocities_[Index(i, j)]; }
  const std::array<SceneVertex, kMeshVertices> &Mesh() const { return mesh_; }

private:
  static std::size_t Index(int i, int j) {
    return static_cast<std::size_t>(i) * kSize + static_cast<std::size_t>(j);
  }
  SceneVertex GridVertex(int i, int j) const;

  // Column i (screen x) and row j (screen y counted upwards).
  std::array<double, kSize * kSize> heights_{};
  std::array<double, kSize * kSize> velocities_{};
  std::array<SceneVertex, kMeshVertices> mesh_{};
};

// Where a dropped window falls into the water: its corners and the middles
// of its edges, row by row from the top.
std::array<WaterPoint, 8> WaterDropPoints(const WindowRect &window);

// How many surface steps are due after `elapsedSeconds` of ripple when
// `stepsDone` were made, at a fixed rate per second so that the waves look
// the same on any display; at most `maxPerFrame` at once, so that a stalled
// frame does not make the next one crawl.
int WaterStepsDue(double elapsedSeconds, int stepsDone, int maxPerFrame);
inline constexpr int kWaterStepsPerSecond = 60;

} // namespace qv
