#pragma once
// The explorer: the six desktops hang as a wall of panes, three in a row and
// two rows high, mirrored on the floor below, and the camera glides in front
// of the wall from pane to pane. The pane in front is opaque, the others half
// transparent. It opens on the current desktop's pane filling the screen,
// pulls back, and flies into the chosen pane.
#include "render/animation.h"
#include "render/generic_renderer.h"

#include <array>
#include <memory>

namespace qv {

struct PanePoint {
  float x;
  float y;
};

// The centre of desktop d's pane on the wall, and of its image on the floor.
PanePoint PaneCentre(int desktop);
PanePoint PaneReflectionCentre(int desktop);
// The desktop whose cell of the wall contains the camera's position; a
// camera beyond the wall's edges selects the nearest pane.
int PaneAt(float x, float y);

class T3DDesktopPaneRenderer : public TGeneric3DRenderer {
public:
  T3DDesktopPaneRenderer(EffectDevice &device, EffectWorld &world);
  ~T3DDesktopPaneRenderer() override;

  void HandleTrigger(std::uint32_t code) override;

  // The scene's state, for tests and diagnostics.
  const TAnimation *PanX() const { return panX_.get(); }
  const TAnimation *PanY() const { return panY_.get(); }
  // Desktop 1 to 6.
  const TAnimation *Opacity(int desktop) const {
    return opacities_[static_cast<std::size_t>(desktop - 1)].get();
  }

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
  // Each gives false when the buffer could not be written.
  bool SetOpacities();
  bool WriteVertices();
  void DrawPanes();

  void MoveTo(int desktop);

  // The six panes, then their six images on the floor.
  static constexpr int kWallVertices = 12 * kCubeFaceVertices;
  BufferId buffer_ = 0;
  // What the buffer holds, so that only changed opacities are written.
  std::array<SceneVertex, kWallVertices> vertices_{};
  std::unique_ptr<TAnimation> panX_;
  std::unique_ptr<TAnimation> panY_;
  std::array<std::unique_ptr<TAnimation>, 6> opacities_;
  bool dragging_ = false;
  ScreenPoint lastCursor_{0, 0};
};

} // namespace qv
