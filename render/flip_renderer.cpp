#include "render/flip_renderer.h"

#include "desktops/desktop.h"
#include "desktops/managed_window.h"
#include "desktops/window_manager.h"
#include "shell/setup.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {
namespace {

// The camera distance at which the middle pane exactly fills the screen.
constexpr float kFullScreenDistance = 3.4133f;
// The opening starts a little further back, so that it only pulls away.
constexpr float kOpeningDistance = 3.42f;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr double kStepMilliseconds = 500;
constexpr float kPlace = 1.5f;      // sideways from one pane to the next
constexpr float kPlaceDepth = 2.0f; // and deeper
constexpr float kSideTurn = 0.5f;   // radians towards the middle
constexpr float kReflectionDrop = -2.0f;

std::uint32_t WhiteWithAlpha(double alpha) {
  const auto a = static_cast<std::uint32_t>(std::clamp(std::lround(alpha), 0L, 255L));
  return (a << 24) | 0xFFFFFFu;
}

} // namespace

int WrapDesktop(int desktop, int offset) {
  return (((desktop + offset - 1) % 6) + 6) % 6 + 1;
}

FlipRowLayout FlipRow(int s, float a1, float a2, float a3, float a4, float turnTarget) {
  FlipRowLayout row;
  const auto add = [&](int offset, float x, float z, float turn, float opacity) {
    row.panes[static_cast<std::size_t>(row.count++)] = {WrapDesktop(s, offset), x, z, turn,
                                                        opacity};
  };
  if (turnTarget >= 0) {
    // At rest, or the row moving right to bring the previous desktop in.
    add(0, a1, a2, a3, 1);
    add(-1, a1 - kPlace, kPlaceDepth - a2, a3 - kSideTurn, 1);
    add(-2, a1 - 2 * kPlace, 2 * kPlaceDepth - a2, -kSideTurn, 1);
    if (turnTarget > 0)
      add(-3, a1 - 3 * kPlace, 3 * kPlaceDepth - a2, -kSideTurn, a4);
    add(1, a1 + kPlace, a2 + kPlaceDepth, kSideTurn, 1);
    add(2, a1 + 2 * kPlace, a2 + 2 * kPlaceDepth, kSideTurn, 1 - a4);
  } else {
    // The row moving left to bring the next desktop in.
    add(0, -a1, a2, a3, 1);
    add(-1, -kPlace - a1, a2 + kPlaceDepth, -kSideTurn, 1);
    add(-2, -2 * kPlace - a1, a2 + 2 * kPlaceDepth, -kSideTurn, 1 - a4);
    add(1, kPlace - a1, kPlaceDepth - a2, a3 + kSideTurn, 1);
    add(2, 2 * kPlace - a1, 2 * kPlaceDepth - a2, kSideTurn, 1);
    add(3, 3 * kPlace - a1, 3 * kPlaceDepth - a2, kSideTurn, a4);
  }
  return row;
}

T3DDesktopFlipRenderer::T3DDesktopFlipRenderer(EffectDevice &device, EffectWorld &world)
    : TGeneric3DRenderer(device, world, EffectKind::Flip),
      quarterWidth_(std::max(1, world.ScreenWidth() / 4)),
      quarterHeight_(std::max(1, world.ScreenHeight() / 4)) {}

T3DDesktopFlipRenderer::~T3DDesktopFlipRenderer() {
  ReleaseGeometry();
}

bool T3DDesktopFlipRenderer::CreateGeometry() {
  if (!CreateDesktopTextures(textures_))
    return false;

  // The closed cube's front face and its floor copy; the copy keeps its
  // alpha pattern as a fraction that later scales the reflection's opacity.
  const auto &table = CubeTable(0);
  std::copy_n(table.begin(), kCubeFaceVertices, pane_.begin());
  std::copy_n(table.begin() + kCubeReflectionStart, kCubeFaceVertices, reflection_.begin());
  for (SceneVertex &v : reflection_)
    v.nx = static_cast<float>(v.color >> 24) / 255.0f;
  const auto fill = [&](BufferId &buffer, const auto &vertices) {
    buffer = device_.CreateVertexBuffer(kCubeFaceVertices);
    if (!buffer) {
      ReportError("Cannot create vertex buffer");
      return false;
    }
    SceneVertex *target = device_.Lock(buffer);
    if (!target) {
      ReportError("Cannot lock vertex buffer");
      return false;
    }
    std::copy(vertices.begin(), vertices.end(), target);
    device_.Unlock(buffer);
    return true;
  };
  if (!fill(paneBuffer_, pane_) || !fill(reflectionBuffer_, reflection_))
    return false;

  selectedDesktop_ = currentDesktop_;
  const auto resting = [&] {
    return std::make_unique<TAnimation>(world_.Clock(), 0.0f, 0.0f, 10.0f, 0.6f);
  };
  slide_ = resting();
  depth_ = resting();
  turn_ = resting();
  fade_ = resting();
  tilt_ = resting();
  distance_ = std::make_unique<TAnimation>(
      world_.Clock(), kOpeningDistance, static_cast<float>(setup_.FlipDistance) / 100.0f + 5.5f,
      10.0f, static_cast<float>(setup_.AnimationElasticity) / 100.0f);
  distance_->Start(setup_.FlipDuration);
  dragDistance_ = 0;
  stepping_ = false;
  CreateLivePreviewIfWanted();
  return true;
}

void T3DDesktopFlipRenderer::DestroyGeometry() {
  ReleaseScene({&paneBuffer_, &reflectionBuffer_});
}

void T3DDesktopFlipRenderer::FollowMouse() {
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
  if (!dragging_) {
    dragStart_ = lastCursor_ = cursor;
    dragging_ = true;
  }
  // A drag to the left by a sixteenth of the screen steps to the next desktop.
  dragDistance_ = dragStart_.x - cursor.x;
  if (dragDistance_ > quarterWidth_ / 4) {
    StepDesktop(1);
    dragStart_ = cursor;
  } else if (dragDistance_ < -(quarterWidth_ / 4)) {
    StepDesktop(-1);
    dragStart_ = cursor;
  }
  tilt_->TargetValue =
      std::clamp(tilt_->TargetValue + static_cast<float>(cursor.y - lastCursor_.y),
                 -static_cast<float>(quarterHeight_), static_cast<float>(quarterHeight_));
  lastCursor_ = cursor;
}

void T3DDesktopFlipRenderer::SetCamera() {
  float pitch = tilt_->Value / static_cast<float>(world_.ScreenHeight()) * kPi;
  if (pitch > kPi / 2)
    pitch = kPi - pitch;
  else if (pitch < -kPi / 2)
    pitch = -kPi - pitch;
  pitch_ = pitch;
  const float d = distance_->Value;
  device_.SetTransform(TransformKind::View,
                       MatrixLookAtLH({0, d * std::sin(pitch_), -d}, {0, 0, 0}, {0, 1, 0}));
  device_.SetTransform(TransformKind::Projection,
                       MatrixPerspectiveFovLH(kPi / 4, 1.0f, 1.0f, 100.0f));
}

bool T3DDesktopFlipRenderer::SetOpacity(bool reflection, float opacity) {
  opacity = std::clamp(opacity, 0.0f, 1.0f);
  auto &vertices = reflection ? reflection_ : pane_;
  bool changed = false;
  for (SceneVertex &v : vertices) {
    const double fraction = reflection ? v.nx : 1.0;
    const std::uint32_t colour = WhiteWithAlpha(static_cast<double>(opacity) * 255 * fraction);
    changed |= v.color != colour;
    v.color = colour;
  }
  if (!changed)
    return true;
  // Only changed colours are written: locking a buffer the device still
  // draws from makes the frame wait for the previous one.
  const BufferId buffer = reflection ? reflectionBuffer_ : paneBuffer_;
  SceneVertex *target = device_.Lock(buffer);
  if (!target)
    return false;
  std::copy(vertices.begin(), vertices.end(), target);
  device_.Unlock(buffer);
  return true;
}

void T3DDesktopFlipRenderer::DrawRow(const FlipRowLayout &row, bool reflection) {
  const HostTextures &textures = world_.Textures();
  for (int p = 0; p < row.count; ++p) {
    const FlipPane &pane = row.panes[static_cast<std::size_t>(p)];
    SetOpacity(reflection, pane.opacity); // a failed lock keeps the last opacity
    // A solid desktop picture covers what lies behind it: nothing to blend.
    // The protected picture may have see-through parts of its own.
    device_.SetAlphaBlending(reflection || (pane_.front().color >> 24) != 0xFF ||
                             ShowsProtectedPicture(pane.desktop));
    SetWorld({pane.x, reflection ? kReflectionDrop : 0.0f, pane.z}, {0, pane.turn, 0}, {1, 1, 1});
    device_.SetTexture(ShowsProtectedPicture(pane.desktop)
                           ? textures.ProtectedDesktop
                           : textures_[static_cast<std::size_t>(pane.desktop - 1)]);
    device_.DrawStrip(reflection ? reflectionBuffer_ : paneBuffer_, 0, 4);
  }
}

void T3DDesktopFlipRenderer::RenderScene() {
  // Live pictures show a translucent carried window where it would land.
  if (carryingWindow_ && carriedWindow_ && setup_.PerformanceTransparentWindows &&
      world_.TranslucentWindowsAvailable())
    carriedWindow_->SetDesktop(world_.WindowManager().Desktop(selectedDesktop_));
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
  device_.SetLighting(nullptr);

  const FlipRowLayout row = FlipRow(selectedDesktop_, slide_->Value, depth_->Value, turn_->Value,
                                    fade_->Value, turn_->TargetValue);
  // The reflections lie under every pane, in the far half of the depth
  // buffer, but hide one another: a reflection behind a nearer one costs
  // nothing to draw, and the row is drawn from the middle outwards.
  device_.SetAlphaBlending(true);
  device_.SetDepthRange(0.5f, 1.0f);
  device_.SetDepth(true, true);
  device_.SetTextureAlpha(true);
  DrawRow(row, true);
  device_.SetDepthRange(0.0f, 0.5f);
  DrawRow(row, false);
  device_.SetDepthRange(0.0f, 1.0f);
  device_.SetTextureAlpha(false);

  DrawButtons(selectedDesktop_);
  device_.EndScene();

  RefreshLivePreview(livePreview_.get(), textures_, *distance_);
  if (paused_)
    return;
  UpdateAnimations();
  if (stepping_ && turn_->Ended())
    EndStep();
  if (closing_ && distance_->Ended())
    Finish();
}

void T3DDesktopFlipRenderer::UpdateAnimations() {
  for (TAnimation *a :
       {slide_.get(), depth_.get(), turn_.get(), fade_.get(), distance_.get(), tilt_.get()})
    a->Update();
  KeepDistance(kFullScreenDistance);
}

void T3DDesktopFlipRenderer::EndStep() {
  stepping_ = false;
  selectedDesktop_ = nextDesktop_;
  for (TAnimation *a : {slide_.get(), depth_.get(), turn_.get(), fade_.get()}) {
    a->TargetValue = 0;
    a->SetValue(0);
    a->Value = 0;
  }
}

void T3DDesktopFlipRenderer::StepDesktop(int direction) {
  if (stepping_)
    return;
  nextDesktop_ = WrapDesktop(selectedDesktop_, direction);
  const auto begin = [&](TAnimation &a, float target) {
    a.SetValue(0);
    a.Value = 0;
    a.TargetValue = target;
    a.Start(kStepMilliseconds);
  };
  begin(*slide_, kPlace);
  begin(*depth_, kPlaceDepth);
  begin(*fade_, 1.0f);
  begin(*turn_, direction > 0 ? -kSideTurn : kSideTurn);
  dragDistance_ = 0;
  stepping_ = true;
}

void T3DDesktopFlipRenderer::Choose(bool ask) {
  // Chosen during a step, the desktop the row is moving to is the one the user
  // sees coming to the middle: the step finishes while the camera flies in.
  const int chosen = stepping_ ? nextDesktop_ : selectedDesktop_;
  interactive_ = false;
  if (ask) {
    TDesktop *selected = world_.WindowManager().Desktop(chosen);
    if (!selected || !selected->RequestAccess(currentDesktop_)) {
      interactive_ = true;
      return;
    }
    unlocked_[static_cast<std::size_t>(chosen)] = true;
  }
  nextDesktop_ = chosen;
  const TDesktop *current = world_.WindowManager().CurrentDesktop();
  desktopChanged_ = ask && (!current || current->Number() != chosen);
  targetDesktop_ = chosen;
  waterTexture_ = textures_[static_cast<std::size_t>(chosen - 1)];
  closing_ = true;

  distance_->TargetValue = kFullScreenDistance;
  distance_->Damping = 0.5f;
  tilt_->TargetValue = 0;
  distance_->Start(setup_.FlipDuration);
  tilt_->Start(setup_.FlipDuration);
  slide_->Damping = depth_->Damping = 0.5f;
}

void T3DDesktopFlipRenderer::Cancel() {
  nextDesktop_ = selectedDesktop_ = currentDesktop_;
  Choose(false);
}

void T3DDesktopFlipRenderer::HandleTrigger(std::uint32_t code) {
  if (TriggerEndsEffect(code))
    return;
  if (!setup_.FlipEdgeMovement)
    return;
  switch (code) {
  case 4:
    StepDesktop(1);
    break;
  case 8:
    StepDesktop(-1);
    break;
  case kChooseTrigger:
    Choose(true);
    break;
  default:
    break;
  }
}

} // namespace qv
