#pragma once
// The cube: desktops 1 to 4 around its sides, 5 on top and 6 underneath. It
// opens on the current desktop filling the screen, backs away, turns under
// the mouse, the keys, the wheel and the screen edges, and flies back onto
// the chosen face.
#include "render/animation.h"
#include "render/generic_renderer.h"

#include <array>
#include <memory>
#include <optional>

namespace qv {

// The side face (desktop 1 to 4) in front for a rotation of n quarter turns:
// 2, 1, 0, -1 give 1, 2, 3, 4, repeating every four.
int CubeFrontFace(long long quarterTurns);
// The faces back to front: the opposite side, the far cap, the sides before
// and after the front one, the near cap, the front face.
std::array<int, 6> CubeDrawOrder(int frontFace, bool tiltStartsUpwards);
// Whether the outside of face 1 to 6, its plane at `planeDistance` from the
// centre, is turned towards a camera at `eye`.
bool CubeFaceTurnedTowards(int face, Vec3 eye, float planeDistance);

class T3DCubeRenderer : public TGeneric3DRenderer {
public:
  T3DCubeRenderer(EffectDevice &device, EffectWorld &world);
  ~T3DCubeRenderer() override;

  void HandleTrigger(std::uint32_t code) override;

  // The scene's state, for the host's tests and diagnostics.
  int FrontFace() const { return frontFace_; }
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
  void UpdateFaces();
  void FollowMouse();
  void SetCamera();
  // Each gives whether a colour changed.
  bool FacesOpaque() const;
  bool SetFaceOpacity(float opacity);
  bool SetReflectionOpacity(float opacity);
  bool WriteVertices();
  void DrawFaces(int firstVertex, Vec3 eye);
  // Every vertex of the face starting there has alpha 0.
  bool FaceTransparent(int firstVertex) const;
  void UpdateLivePreview();
  void UpdateAnimations();

  void NextFace();
  void PreviousFace();
  void TurnTo(int desktop);
  void MoveTo(int desktop);

  int quarterWidth_;
  int quarterHeight_;
  BufferId vertexBuffer_ = 0;
  std::unique_ptr<TAnimation> rotation_;
  std::unique_ptr<TAnimation> tilt_;
  std::unique_ptr<TAnimation> transparency_;
  std::unique_ptr<TAnimation> scale_;
  // The buffer's contents, kept so that colour changes rewrite it whole
  // rather than read back a write-only buffer.
  std::array<SceneVertex, kCubeTableVertices> vertices_{};
  std::array<int, 6> drawOrder_{1, 2, 3, 4, 5, 6};
  Vec3 eye_{0, 0, 0};
  float yaw_ = 0;
  float pitch_ = 0;
  float opacity_ = 1;
  bool dragging_ = false;
  ScreenPoint lastCursor_{0, 0};
  int frontFace_ = 1;
};

} // namespace qv
