#pragma once
// The movement of one thumbnail of the overview: its rectangle springs from
// where it starts to its place in the grid and its opacity to full under the
// pointer and back to its resting value elsewhere, one step per cycle.
#include "overlays/exposer_layout.h"
#include "render/animation.h"

namespace qv {

class ThumbnailMotion {
public:
  explicit ThumbnailMotion(const PerformanceClock &clock);

  // Starts at `from` (the home itself for no flight), heading for `home`,
  // fully opaque and settling to `baseOpacity`.
  void Place(const LayoutRect &from, const LayoutRect &home, int baseOpacity);
  // One spring step of the five values; true when a rounded value changed.
  bool Step(bool hot);
  // Whether every value rests on its target.
  bool Settled() const;

  const LayoutRect &Current() const { return current_; }
  const LayoutRect &Home() const { return home_; }
  int Opacity() const { return opacity_; }
  int BaseOpacity() const { return baseOpacity_; }

private:
  TAnimation left_, top_, width_, height_, opacityAnimation_;
  LayoutRect current_;
  LayoutRect home_;
  int opacity_ = 255;
  int baseOpacity_ = 255;
};

} // namespace qv
