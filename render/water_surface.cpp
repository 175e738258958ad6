#include "render/water_surface.h"

#include <algorithm>
#include <cmath>

namespace qv {

void WaterSurface::AddDrop(WaterPoint point, int screenWidth, int screenHeight) {
  const long long width = std::max(1, screenWidth), height = std::max(1, screenHeight);
  const long long i = static_cast<long long>(point.x) * kLast / width;
  const long long j = kLast - static_cast<long long>(point.y) * kLast / height;
  velocities_[Index(static_cast<int>(std::clamp<long long>(i, 0, kLast)),
                    static_cast<int>(std::clamp<long long>(j, 0, kLast)))] = kDropImpulse;
}

void WaterSurface::Step(double damping) {
  // The first pass reads heights only, so the order of the cells is free.
  for (int i = 2; i <= kLast - 2; ++i) {
    for (int j = 2; j <= kLast - 2; ++j) {
      const double cross =
          Height(i - 1, j) + Height(i + 1, j) + Height(i, j - 1) + Height(i, j + 1);
      const double diagonal =
          Height(i - 1, j - 1) + Height(i + 1, j - 1) + Height(i - 1, j + 1) + Height(i + 1, j + 1);
      velocities_[Index(i, j)] += (Height(i, j) - (4 * cross + diagonal) / 25) / 7;
    }
  }
  for (int i = 2; i <= kLast - 2; ++i) {
    for (int j = 2; j <= kLast - 2; ++j) {
      heights_[Index(i, j)] -= velocities_[Index(i, j)];
      velocities_[Index(i, j)] *= damping;
    }
  }
}

SceneVertex WaterSurface::GridVertex(int i, int j) const {
  constexpr float kSpan = static_cast<float>(kLast);
  // A height of 16384 moves a point one unit away from the viewer.
  return {2.0f * static_cast<float>(i) / kSpan - 1.0f,
          2.0f * static_cast<float>(j) / kSpan - 1.0f,
          static_cast<float>(Height(i, j) / 1024.0 / 16.0 - 1.0),
          0,
          0,
          0,
          0xFFFFFFFFu,
          static_cast<float>(i) / kSpan,
          1.0f - static_cast<float>(j) / kSpan};
}

void WaterSurface::BuildMesh() {
  // Rows run back and forth, so the turns make degenerate triangles only.
  std::size_t n = 0;
  for (int r = 0; r < kLast; ++r) {
    for (int k = 0; k <= kLast; ++k) {
      if (r % 2 == 0) {
        mesh_[n++] = GridVertex(k, r + 1);
        mesh_[n++] = GridVertex(k, r);
      } else {
        mesh_[n++] = GridVertex(kLast - k, r);
        mesh_[n++] = GridVertex(kLast - k, r + 1);
      }
    }
  }
}

std::array<WaterPoint, 8> WaterDropPoints(const WindowRect &w) {
  const int mx = w.left + (w.right - w.left) / 2;
  const int my = w.top + (w.bottom - w.top) / 2;
  return {{{w.left, w.top},
           {mx, w.top},
           {w.right, w.top},
           {w.left, my},
           {w.right, my},
           {w.left, w.bottom},
           {mx, w.bottom},
           {w.right, w.bottom}}};
}

int WaterStepsDue(double elapsedSeconds, int stepsDone, int maxPerFrame) {
  const double due = std::floor(std::max(0.0, elapsedSeconds) * kWaterStepsPerSecond);
  return static_cast<int>(std::clamp(due - stepsDone, 0.0, static_cast<double>(maxPerFrame)));
}

} // namespace qv
