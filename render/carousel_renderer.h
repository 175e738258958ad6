#pragma once
// The carousel: the six desktops stand as upright screens on a ring, each
// mirrored on the floor. It opens on the current desktop filling the screen,
// backs away and rises a little, turns under the mouse, the keys, the wheel
// and the screen edges, and flies back onto the chosen screen.
#include "render/animation.h"
#include "render/generic_renderer.h"

#include <array>
#include <memory>

namespace qv {

// The desktop in front for a ring turned by n desktops: 0, -1, -2 ... give
// desktops 1, 2, 3 ..., and 1, 2 ... give 6, 5 ..., repeating every six.
int CarouselFrontDesktop(long long turns);

// Where a desktop's screen stands on the ring: its centre and its turn about
// the vertical axis, so that its picture faces outwards.
struct CarouselPlace {
  Vec3 centre;
  float turn;
};
CarouselPlace CarouselScreenPlace(int desktop);
// Desktops 1 to 6 by the distance of their screens from `eye`, nearest first:
// drawn in this order, the parts of a screen that a nearer one hides fail the
// depth test before they are textured.
std::array<int, 6> CarouselNearestFirst(Vec3 eye);

class T3DDesktopCarouselRenderer : public TGeneric3DRenderer {
public:
  T3DDesktopCarouselRenderer(EffectDevice &device, EffectWorld &world);
  ~T3DDesktopCarouselRenderer() override;

  void HandleTrigger(std::uint32_t code) override;

  // The scene's state, for tests and diagnostics.
  float Yaw() const { return yaw_; }
  float Pitch() const { return pitch_; }
  const TAnimation *Rotation() const { return rotation_.get(); }
  const TAnimation *Tilt() const { return tilt_.get(); }

protected:
  bool CreateGeometry() override;
  void DestroyGeometry() override;
  void RenderScene() override;
  void Choose(bool ask) override;
  void Cancel() override;
  void StepDesktop(int direction) override;

private:
  void UpdateSelection();
  void FollowMouse();
  void SetCamera();
  bool SetScreenOpacity(float opacity);
  void DrawScreens(bool reflections);
  void UpdateAnimations();

  void TurnNext();
  void TurnPrevious();
  void TurnTo(int desktop);

  int quarterWidth_;
  int quarterHeight_;
  BufferId screenBuffer_ = 0;
  BufferId reflectionBuffer_ = 0;
  // What the screen buffer holds, so that only a changed opacity is written.
  std::array<SceneVertex, 6> screen_{};
  std::unique_ptr<TAnimation> rotation_;
  std::unique_ptr<TAnimation> tilt_;
  std::unique_ptr<TAnimation> transparency_;
  std::unique_ptr<TAnimation> scale_;
  float yaw_ = 0;
  float pitch_ = 0;
  Vec3 eye_{0, 0, 0};
  bool dragging_ = false;
  ScreenPoint lastCursor_{0, 0};
};

} // namespace qv
