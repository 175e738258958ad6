#pragma once
// The flip: the desktops stand as a row of panes, the selected one in the
// middle facing the viewer and its neighbours turned towards it on either
// side, all mirrored on the floor. Each step slides the row by one place in
// half a second.
#include "render/animation.h"
#include "render/generic_renderer.h"

#include <array>
#include <memory>

namespace qv {

// The desktop `offset` places from `desktop`, going round after 6.
int WrapDesktop(int desktop, int offset);

// One pane of the row as drawn: its desktop, where it stands, how far it is
// turned about the vertical axis and how opaque it is.
struct FlipPane {
  int desktop;
  float x;
  float z;
  float turn;
  float opacity;
};

struct FlipRowLayout {
  std::array<FlipPane, 6> panes;
  int count = 0;
};

// The row around `selected` at the slide, depth, turn and fade values of a
// step: the middle pane first, then those before it, then those after.
// `turnTarget` below 0 is a step to the next desktop, above 0 to the previous
// one, 0 at rest.
FlipRowLayout FlipRow(int selected, float slide, float depth, float turn, float fade,
                      float turnTarget);

class T3DDesktopFlipRenderer : public TGeneric3DRenderer {
public:
  T3DDesktopFlipRenderer(EffectDevice &device, EffectWorld &world);
  ~T3DDesktopFlipRenderer() override;

  void HandleTrigger(std::uint32_t code) override;

  // The scene's state, for tests and diagnostics.
  bool Stepping() const { return stepping_; }
  float Pitch() const { return pitch_; }
  const TAnimation *Tilt() const { return tilt_.get(); }

protected:
  bool CreateGeometry() override;
  void DestroyGeometry() override;
  void RenderScene() override;
  void Choose(bool ask) override;
  void Cancel() override;
  void StepDesktop(int direction) override;

private:
  void FollowMouse();
  void SetCamera();
  void DrawRow(const FlipRowLayout &row, bool reflection);
  bool SetOpacity(bool reflection, float opacity);
  void UpdateAnimations();
  void EndStep();

  int quarterWidth_;
  int quarterHeight_;
  BufferId paneBuffer_ = 0;
  BufferId reflectionBuffer_ = 0;
  // What each buffer holds, so that only a changed opacity is written.
  std::array<SceneVertex, kCubeFaceVertices> pane_{};
  std::array<SceneVertex, kCubeFaceVertices> reflection_{};
  std::unique_ptr<TAnimation> slide_;
  std::unique_ptr<TAnimation> depth_;
  std::unique_ptr<TAnimation> turn_;
  std::unique_ptr<TAnimation> fade_;
  std::unique_ptr<TAnimation> tilt_;
  int dragDistance_ = 0;
  float pitch_ = 0;
  bool dragging_ = false;
  ScreenPoint dragStart_{0, 0};
  ScreenPoint lastCursor_{0, 0};
  int nextDesktop_ = 1;
  bool stepping_ = false;
};

} // namespace qv
