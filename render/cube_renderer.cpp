#include "render/cube_renderer.h"

#include "desktops/desktop.h"
#include "desktops/managed_window.h"
#include "desktops/window_manager.h"
#include "shell/setup.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace qv {
namespace {

// The camera distance at which a face exactly fills the screen.
constexpr float kFullScreenDistance = 3.4133f;
constexpr float kPi = std::numbers::pi_v<float>;

long long RoundHalfEven(long double value) {
  return static_cast<long long>(std::nearbyint(value));
}

std::uint32_t WhiteWithAlpha(long double alpha) {
  const auto a = static_cast<std::uint32_t>(std::clamp<long long>(RoundHalfEven(alpha), 0, 255));
  return (a << 24) | 0xFFFFFFu;
}

int Opposite(int face) {
  return (face + 1) % 4 + 1;
}
int Before(int face) {
  return face == 1 ? 4 : face - 1;
}
int After(int face) {
  return face == 4 ? 1 : face + 1;
}

} // namespace

int CubeFrontFace(long long n) {
  return n > 2 ? static_cast<int>(4 - ((n + 1) % 4)) : static_cast<int>(((2 - n) % 4) + 1);
}

std::array<int, 6> CubeDrawOrder(int front, bool tiltStartsUpwards) {
  const int farCap = tiltStartsUpwards ? 6 : 5;
  const int nearCap = tiltStartsUpwards ? 5 : 6;
  return {Opposite(front), farCap, Before(front), After(front), nearCap, front};
}

T3DCubeRenderer::T3DCubeRenderer(EffectDevice &device, EffectWorld &world)
    : TGeneric3DRenderer(device, world, EffectKind::Cube),
      quarterWidth_(std::max(1, world.ScreenWidth() / 4)),
      quarterHeight_(std::max(1, world.ScreenHeight() / 4)) {}

T3DCubeRenderer::~T3DCubeRenderer() {
  ReleaseGeometry();
}

bool T3DCubeRenderer::CreateGeometry() {
  if (!CreateDesktopTextures(textures_))
    return false;

  vertexBuffer_ = device_.CreateVertexBuffer(kCubeTableVertices);
  if (!vertexBuffer_) {
    ReportError("Cannot create vertex buffer");
    return false;
  }
  const auto &table = CubeTable(setup_.CubeAppearance);
  std::copy(table.begin(), table.end(), vertices_.begin());
  // Lighting shades the solid faces like a sphere; the copy keeps its alpha
  // pattern as a fraction that later scales the reflection's opacity.
  for (int i = 0; i < kCubeTableVertices; ++i) {
    SceneVertex &v = vertices_[static_cast<std::size_t>(i)];
    if (i < 36) {
      v.nx = v.x;
      v.ny = v.y;
      v.nz = v.z;
    } else {
      v.nx = static_cast<float>(v.color >> 24) / 255.0f;
    }
  }
  if (!WriteVertices()) {
    ReportError("Cannot lock vertex buffer");
    return false;
  }

  const int c = currentDesktop_;
  const float elasticity = static_cast<float>(setup_.AnimationElasticity) / 100.0f;
  const auto animation = [&](float start, float target, float damping) {
    return std::make_unique<TAnimation>(world_.Clock(), start, target, 10.0f, damping);
  };
  const float rotationStart =
      static_cast<float>((c <= 4 ? 3 - c : 2) * static_cast<long long>(quarterWidth_));
  const float tiltStart = c == 5   ? static_cast<float>(quarterHeight_)
                          : c == 6 ? -static_cast<float>(quarterHeight_)
                                   : 0.0f;
  rotation_ = animation(rotationStart, rotationStart, elasticity);
  tilt_ = animation(tiltStart, 0.75f * tiltStart, elasticity);
  tilt_->Stiffness /= 4;
  distance_ =
      animation(kFullScreenDistance,
                kFullScreenDistance + static_cast<float>(setup_.CubeDistance) / 100.0f, elasticity);
  transparency_ = animation(100.0f, static_cast<float>(setup_.CubeTransparency), elasticity);
  scale_ = animation(1.0f, 1.5f, 0.85f);
  for (TAnimation *a :
       {rotation_.get(), tilt_.get(), distance_.get(), transparency_.get(), scale_.get()})
    a->Start(setup_.CubeDuration);

  CreateLivePreviewIfWanted();
  return true;
}

void T3DCubeRenderer::DestroyGeometry() {
  ReleaseScene({&vertexBuffer_});
}

bool T3DCubeRenderer::WriteVertices() {
  SceneVertex *target = device_.Lock(vertexBuffer_);
  if (!target)
    return false;
  std::copy(vertices_.begin(), vertices_.end(), target);
  device_.Unlock(vertexBuffer_);
  return true;
}

void T3DCubeRenderer::UpdateFaces() {
  const long long n = RoundHalfEven(static_cast<long double>(rotation_->Value) / quarterWidth_);
  frontFace_ = CubeFrontFace(n);
  const int k = quarterHeight_ - quarterHeight_ / 3;
  selectedDesktop_ = tilt_->Value >= static_cast<float>(k)    ? 5
                     : tilt_->Value <= -static_cast<float>(k) ? 6
                                                              : frontFace_;
  drawOrder_ = CubeDrawOrder(frontFace_, tilt_->StartValue >= 0);
  // Live pictures show a translucent carried window where it would land.
  if (carryingWindow_ && carriedWindow_ && setup_.PerformanceTransparentWindows &&
      world_.TranslucentWindowsAvailable())
    carriedWindow_->SetDesktop(world_.WindowManager().Desktop(selectedDesktop_));
}

void T3DCubeRenderer::FollowMouse() {
  if (closing_ || !interactive_)
    return;
  const bool down = world_.LeftButtonDown();
  if (FollowCarriedWindow(down))
    return;
  if (!down) {
    dragging_ = false;
    return;
  }
  const ScreenPoint cursor = world_.CursorPos();
  if (dragging_) {
    rotation_->TargetValue += static_cast<float>(cursor.x - lastCursor_.x);
    tilt_->TargetValue =
        std::clamp(tilt_->TargetValue + static_cast<float>(cursor.y - lastCursor_.y),
                   -static_cast<float>(quarterHeight_), static_cast<float>(quarterHeight_));
  }
  lastCursor_ = cursor;
  dragging_ = true;
}

void T3DCubeRenderer::SetCamera() {
  const float twoPi = 2 * kPi;
  yaw_ = rotation_->Value / static_cast<float>(world_.ScreenWidth()) * twoPi;
  float pitch = tilt_->Value / static_cast<float>(world_.ScreenHeight()) * twoPi;
  if (pitch > kPi / 2)
    pitch = kPi - pitch;
  else if (pitch < -kPi / 2)
    pitch = -kPi - pitch;
  pitch_ = pitch;
  const float d = distance_->Value;
  const float s = scale_->Value;
  eye_ = {std::sin(yaw_) * d * std::cos(pitch_ / s), std::sin(pitch_) * d,
          std::cos(yaw_) * d * std::cos(pitch_ / s)};
  device_.SetTransform(TransformKind::View, MatrixLookAtLH(eye_, {0, 0, 0}, {0, 1, 0}));
  device_.SetTransform(TransformKind::Projection,
                       MatrixPerspectiveFovLH(kPi / 4, 1.0f, 1.0f, 100.0f));
}

bool T3DCubeRenderer::FacesOpaque() const {
  // Opening and closing, the faces turn solid even with translucency on:
  // then the faces behind are hidden and nothing needs blending.
  return !setup_.CubeEnableTransparency || (vertices_[0].color >> 24) == 0xFF;
}

bool T3DCubeRenderer::SetFaceOpacity(float opacity) {
  const std::uint32_t colour = WhiteWithAlpha(static_cast<long double>(opacity) * 255);
  bool changed = false;
  for (int i = 0; i < 36; ++i)
    changed |= std::exchange(vertices_[static_cast<std::size_t>(i)].color, colour) != colour;
  return changed;
}

bool T3DCubeRenderer::SetReflectionOpacity(float opacity) {
  bool changed = false;
  for (int i = 36; i < kCubeTableVertices; ++i) {
    SceneVertex &v = vertices_[static_cast<std::size_t>(i)];
    const std::uint32_t colour = WhiteWithAlpha(static_cast<long double>(opacity) * 255 * v.nx);
    changed |= std::exchange(v.color, colour) != colour;
  }
  return changed;
}

bool CubeFaceTurnedTowards(int face, Vec3 eye, float planeDistance) {
  // The outward normals of faces 1 to 6: front, right, back, left, top, bottom.
  static constexpr std::array<Vec3, 6> kNormals{
      {{0, 0, -1}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}}};
  const Vec3 &n = kNormals[static_cast<std::size_t>(face - 1)];
  return n.x * eye.x + n.y * eye.y + n.z * eye.z > planeDistance;
}

bool T3DCubeRenderer::FaceTransparent(int firstVertex) const {
  return std::all_of(vertices_.begin() + firstVertex, vertices_.begin() + firstVertex + 6,
                     [](const SceneVertex &v) { return (v.color >> 24) == 0; });
}

void T3DCubeRenderer::DrawFaces(int firstVertex, Vec3 eye) {
  const HostTextures &textures = world_.Textures();
  const bool translucent = firstVertex > 0 || !FacesOpaque();
  const float planeDistance = setup_.CubeAppearance == 0 ? 1.0f : 1.1f;
  for (int d : drawOrder_) {
    // A face turned away is seen only through the faces in front of it, so
    // not at all when they are opaque.
    if (!translucent && !CubeFaceTurnedTowards(d, eye, planeDistance))
      continue;
    const int first = firstVertex + 6 * (d - 1);
    // Drawn with alpha 0 it would change no pixel, only cost every one it
    // covers: the reflection's top and bottom always.
    if (FaceTransparent(first))
      continue;
    device_.SetTexture(ShowsProtectedPicture(d) ? textures.ProtectedDesktop
                                                : textures_[static_cast<std::size_t>(d - 1)]);
    device_.DrawStrip(vertexBuffer_, first, 4);
  }
}

void T3DCubeRenderer::RenderScene() {
  UpdateFaces();
  FollowMouse();
  if (finished_)
    return;

  device_.SetCommonStates(setup_.PerformanceAntialiasing);
  ClearBackground();
  device_.BeginScene();
  DrawBackgroundQuad();
  device_.SetDepth(true, true);
  KeepDistance(kFullScreenDistance);
  SetCamera();
  DrawSkyBox();

  if (setup_.PerformanceLighting) {
    const float l = 2 * distance_->Value;
    const PointLight light{
        {l * std::sin(pitch_), l * std::sin(yaw_), 2 * l * std::cos(yaw_) * std::cos(pitch_)},
        2 * l};
    device_.SetLighting(&light);
  } else {
    device_.SetLighting(nullptr);
  }
  device_.SetDepth(true, true);
  opacity_ = std::clamp(transparency_->Value / 100.0f, 0.0f, 1.0f);
  const bool facesChanged = SetFaceOpacity(opacity_);
  device_.SetAlphaBlending(!FacesOpaque());
  bool reflectionChanged = false;
  if (setup_.PerformanceReflection) {
    const float reflection =
        std::clamp(pitch_ >= 0 ? opacity_ : std::sin(pitch_) + opacity_, 0.0f, 1.0f);
    reflectionChanged = SetReflectionOpacity(reflection);
  }
  // Only changed colours are written: locking a buffer the device still draws
  // from makes the frame wait for the previous one. A failed lock keeps the
  // colours drawn last.
  if (facesChanged || reflectionChanged)
    WriteVertices();

  SetWorld({0, 0, 0}, {0, 0, 0}, {1, 1, 1});
  DrawFaces(0, eye_);
  if (setup_.PerformanceReflection) {
    device_.SetAlphaBlending(true);
    SetWorld({0, -2, 0}, {0, 0, 0}, {1, 1, 1});
    DrawFaces(36, {eye_.x, eye_.y + 2, eye_.z}); // the copy stands 2 units lower
  }
  device_.SetLighting(nullptr);
  DrawButtons(selectedDesktop_);
  device_.EndScene();

  UpdateLivePreview();
  if (paused_)
    return;
  UpdateAnimations();
  if (closing_ && distance_->Ended())
    Finish();
}

void T3DCubeRenderer::UpdateLivePreview() {
  RefreshLivePreview(livePreview_.get(), textures_, *distance_);
}

void T3DCubeRenderer::UpdateAnimations() {
  for (TAnimation *a :
       {rotation_.get(), tilt_.get(), distance_.get(), transparency_.get(), scale_.get()})
    a->Update();
  KeepDistance(kFullScreenDistance);
}

void T3DCubeRenderer::NextFace() {
  rotation_->TargetValue = static_cast<float>(
      quarterWidth_ *
          RoundHalfEven(static_cast<long double>(rotation_->TargetValue) / quarterWidth_) -
      quarterWidth_);
}

void T3DCubeRenderer::PreviousFace() {
  rotation_->TargetValue = static_cast<float>(
      quarterWidth_ *
          RoundHalfEven(static_cast<long double>(rotation_->TargetValue) / quarterWidth_) +
      quarterWidth_);
}

void T3DCubeRenderer::TurnTo(int desktop) {
  // Steps from the front face to the desktop, the shorter way round: positive
  // counts NextFace, negative PreviousFace.
  const int steps = ((desktop - frontFace_) % 4 + 4) % 4;
  if (steps == 1 || steps == 2) {
    for (int i = 0; i < steps; ++i)
      NextFace();
  } else if (steps == 3) {
    PreviousFace();
  }
}

void T3DCubeRenderer::MoveTo(int desktop) {
  const float pole = static_cast<float>(quarterHeight_);
  if (desktop == 5) {
    if (selectedDesktop_ == 5)
      return;
    tilt_->TargetValue = pole;
    TurnTo(1);
  } else if (desktop == 6) {
    if (selectedDesktop_ == 6)
      return;
    tilt_->TargetValue = -pole;
    TurnTo(1);
  } else {
    if (selectedDesktop_ >= 5)
      tilt_->TargetValue = 0;
    TurnTo(desktop);
  }
}

void T3DCubeRenderer::Choose(bool ask) {
  interactive_ = false;
  if (ask) {
    NextFace();
    PreviousFace();
    TDesktop *selected = world_.WindowManager().Desktop(selectedDesktop_);
    if (!selected || !selected->RequestAccess(currentDesktop_)) {
      interactive_ = true;
      return;
    }
    unlocked_[static_cast<std::size_t>(selectedDesktop_)] = true;
  }
  const TDesktop *current = world_.WindowManager().CurrentDesktop();
  desktopChanged_ = ask && (!current || current->Number() != selectedDesktop_);
  targetDesktop_ = selectedDesktop_;
  waterTexture_ = textures_[static_cast<std::size_t>(selectedDesktop_ - 1)];
  closing_ = true;

  distance_->TargetValue = kFullScreenDistance;
  distance_->Damping = rotation_->Damping = tilt_->Damping = 0.5f;
  const float pole = static_cast<float>(quarterHeight_);
  if (selectedDesktop_ == 5) {
    MoveTo(1);
    tilt_->TargetValue = pole;
  } else if (selectedDesktop_ == 6) {
    MoveTo(1);
    tilt_->TargetValue = -pole;
  } else {
    tilt_->TargetValue = 0;
  }
  transparency_->TargetValue = 100;
  scale_->TargetValue = 1.0f;
  for (TAnimation *a :
       {rotation_.get(), tilt_.get(), distance_.get(), transparency_.get(), scale_.get()})
    a->Start(setup_.CubeDuration);
}

void T3DCubeRenderer::Cancel() {
  MoveTo(currentDesktop_);
  selectedDesktop_ = currentDesktop_;
  Choose(false);
}

void T3DCubeRenderer::HandleTrigger(std::uint32_t code) {
  if (TriggerEndsEffect(code))
    return;
  if (!setup_.CubeEdgeMovement)
    return;
  const int s = selectedDesktop_;
  switch (code) {
  case 2:
    MoveTo(s == 6 ? 1 : 5);
    break;
  case 6:
    MoveTo(s == 5 ? 1 : 6);
    break;
  case 4:
    MoveTo(s == 2 ? 3 : s == 3 ? 4 : s == 4 ? 1 : 2);
    break;
  case 8:
    MoveTo(s == 2 ? 1 : s == 3 ? 2 : s == 4 ? 3 : 4);
    break;
  case kChooseTrigger:
    Choose(true);
    break;
  default:
    break;
  }
}

void T3DCubeRenderer::StepDesktop(int direction) {
  direction < 0 ? PreviousFace() : NextFace();
}

} // namespace qv
