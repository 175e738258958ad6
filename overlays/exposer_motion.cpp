#include "overlays/exposer_motion.h"

#include <cmath>

namespace qv {
namespace {

constexpr float kStiffness = 10.0f;
constexpr float kDamping = 0.85f;

int Rounded(float value) {
  return static_cast<int>(std::lround(value));
}

bool Resting(const TAnimation &animation) {
  return std::abs(animation.TargetValue - animation.Value) < 0.5f &&
         std::abs(animation.Velocity) < 0.05f;
}

} // namespace

ThumbnailMotion::ThumbnailMotion(const PerformanceClock &clock)
    : left_(clock, 0, 0, kStiffness, kDamping), top_(clock, 0, 0, kStiffness, kDamping),
      width_(clock, 0, 0, kStiffness, kDamping), height_(clock, 0, 0, kStiffness, kDamping),
      opacityAnimation_(clock, 0, 0, kStiffness, kDamping) {}

void ThumbnailMotion::Place(const LayoutRect &from, const LayoutRect &home, int baseOpacity) {
  home_ = home;
  current_ = from;
  baseOpacity_ = baseOpacity;
  opacity_ = 255;
  const auto set = [](TAnimation &animation, int start, int target) {
    animation.SetValue(static_cast<float>(start));
    animation.Velocity = 0;
    animation.TargetValue = static_cast<float>(target);
  };
  set(left_, from.Left, home.Left);
  set(top_, from.Top, home.Top);
  set(width_, from.Width, home.Width);
  set(height_, from.Height, home.Height);
  set(opacityAnimation_, 255, baseOpacity);
}

bool ThumbnailMotion::Step(bool hot) {
  opacityAnimation_.TargetValue = static_cast<float>(hot ? 255 : baseOpacity_);
  for (TAnimation *animation : {&left_, &top_, &width_, &height_, &opacityAnimation_})
    animation->Update();
  const LayoutRect next{Rounded(left_.Value), Rounded(top_.Value), Rounded(width_.Value),
                        Rounded(height_.Value)};
  int opacity = Rounded(opacityAnimation_.Value);
  opacity = opacity < 0 ? 0 : (opacity > 255 ? 255 : opacity);
  const bool changed = next != current_ || opacity != opacity_;
  current_ = next;
  opacity_ = opacity;
  return changed;
}

bool ThumbnailMotion::Settled() const {
  return Resting(left_) && Resting(top_) && Resting(width_) && Resting(height_) &&
         Resting(opacityAnimation_);
}

} // namespace qv
