#include "render/pane_renderer.h"

#include "desktops/desktop.h"
#include "desktops/managed_window.h"
#include "desktops/window_manager.h"
#include "shell/setup.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {
namespace {

// The camera distance at which a pane exactly fills the screen.
constexpr float kFullScreenDistance = 3.4133f;
// The opening starts a little further back, so that it only pulls away.
constexpr float kOpeningDistance = 3.42f;
constexpr float kPi = std::numbers::pi_v<float>;
// Panes are 2 units square with a gap of 0.1 between them.
constexpr float kColumnStep = 2.1f;
constexpr float kRowY = 1.05f;
constexpr float kWallLeft = -3.1f;
constexpr float kWallTop = 2.05f;
// Pixels of drag that move the camera by one unit.
constexpr float kDragPixelsPerUnit = 400.0f;
constexpr float kSelectedOpacity = 1.0f;
constexpr float kOtherOpacity = 0.5f;

int Column(int desktop) {
  return (desktop - 1) % 3;
}
int Row(int desktop) {
  return (desktop - 1) / 3;
}

std::uint32_t WhiteWithAlpha(double alpha) {
  const auto a = static_cast<std::uint32_t>(std::clamp(std::lround(alpha), 0L, 255L));
  return (a << 24) | 0xFFFFFFu;
}

// The buffer holds one pane per desktop, then one reflection per desktop, so
// that the opacities of a frame are written with one lock.
constexpr int kPaneVertices = 6 * kCubeFaceVertices;
int FirstVertex(int desktop, bool reflection) {
  return (reflection ? kPaneVertices : 0) + kCubeFaceVertices * (desktop - 1);
}

} // namespace

PanePoint PaneCentre(int desktop) {
  return {kColumnStep * static_cast<float>(Column(desktop) - 1),
          Row(desktop) == 0 ? kRowY : -kRowY};
}

PanePoint PaneReflectionCentre(int desktop) {
  // The lower row's image touches the wall's lower edge; the upper row's
  // lies under it.
  return {PaneCentre(desktop).x, Row(desktop) == 0 ? -5.05f : -3.05f};
}

int PaneAt(float x, float y) {
  const int column = std::clamp(static_cast<int>(std::floor((x - kWallLeft) / 2.0f)), 0, 2);
  const int row = std::clamp(static_cast<int>(std::floor((kWallTop - y) / 2.0f)), 0, 1);
  return column + 3 * row + 1;
}

T3DDesktopPaneRenderer::T3DDesktopPaneRenderer(EffectDevice &device, EffectWorld &world)
    : TGeneric3DRenderer(device, world, EffectKind::Explorer) {}

T3DDesktopPaneRenderer::~T3DDesktopPaneRenderer() {
  ReleaseGeometry();
}

bool T3DDesktopPaneRenderer::CreateGeometry() {
  if (!CreateDesktopTextures(textures_))
    return false;

  // The closed cube's front face and its floor copy, once per desktop; the
  // copy keeps its alpha pattern as a fraction that later scales the
  // reflection's opacity.
  const auto &table = CubeTable(0);
  for (int d = 1; d <= 6; ++d) {
    std::copy_n(table.begin(), kCubeFaceVertices, vertices_.begin() + FirstVertex(d, false));
    std::copy_n(table.begin() + kCubeReflectionStart, kCubeFaceVertices,
                vertices_.begin() + FirstVertex(d, true));
  }
  for (int i = kPaneVertices; i < kWallVertices; ++i) {
    SceneVertex &v = vertices_[static_cast<std::size_t>(i)];
    v.nx = static_cast<float>(v.color >> 24) / 255.0f;
  }
  buffer_ = device_.CreateVertexBuffer(kWallVertices);
  if (!buffer_) {
    ReportError("Cannot create vertex buffer");
    return false;
  }
  if (!WriteVertices()) {
    ReportError("Cannot lock vertex buffer");
    return false;
  }

  const float elasticity = static_cast<float>(setup_.AnimationElasticity) / 100.0f;
  const auto animation = [&](float start, float target, float damping) {
    return std::make_unique<TAnimation>(world_.Clock(), start, target, 10.0f, damping);
  };
  // The camera starts right in front of the current pane.
  panX_ = animation(0, 0, 0.85f);
  panY_ = animation(0, 0, 0.85f);
  MoveTo(currentDesktop_);
  for (TAnimation *a : {panX_.get(), panY_.get()}) {
    a->SetValue(a->TargetValue);
    a->Value = a->TargetValue;
    a->Damping = elasticity;
  }
  panY_->Stiffness /= 4;
  selectedDesktop_ = currentDesktop_;

  distance_ = animation(kOpeningDistance,
                        kOpeningDistance + static_cast<float>(setup_.ExplorerDistance) / 100.0f,
                        elasticity);
  distance_->Start(setup_.ExplorerDuration);

  CreateLivePreviewIfWanted();

  for (int d = 1; d <= 6; ++d) {
    auto &opacity = opacities_[static_cast<std::size_t>(d - 1)];
    opacity = animation(1.0f, d == selectedDesktop_ ? kSelectedOpacity : kOtherOpacity, elasticity);
    opacity->Stiffness /= 4;
  }
  return true;
}

void T3DDesktopPaneRenderer::DestroyGeometry() {
  ReleaseScene({&buffer_});
}

bool T3DDesktopPaneRenderer::WriteVertices() {
  SceneVertex *target = device_.Lock(buffer_);
  if (!target)
    return false;
  std::copy(vertices_.begin(), vertices_.end(), target);
  device_.Unlock(buffer_);
  return true;
}

void T3DDesktopPaneRenderer::UpdateSelection() {
  selectedDesktop_ = PaneAt(panX_->Value, panY_->Value);
  // Live pictures show a translucent carried window where it would land.
  if (carryingWindow_ && carriedWindow_ && setup_.PerformanceTransparentWindows &&
      world_.TranslucentWindowsAvailable())
    carriedWindow_->SetDesktop(world_.WindowManager().Desktop(selectedDesktop_));
}

void T3DDesktopPaneRenderer::FollowMouse() {
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
    // The wall follows the hand.
    panX_->TargetValue += static_cast<float>(lastCursor_.x - cursor.x) / kDragPixelsPerUnit;
    panY_->TargetValue += static_cast<float>(cursor.y - lastCursor_.y) / kDragPixelsPerUnit;
  }
  lastCursor_ = cursor;
  dragging_ = true;
}

void T3DDesktopPaneRenderer::SetCamera() {
  const float x = panX_->Value, y = panY_->Value;
  device_.SetTransform(TransformKind::View,
                       MatrixLookAtLH({x, y, -distance_->Value}, {x, y, 0}, {0, 1, 0}));
  device_.SetTransform(TransformKind::Projection,
                       MatrixPerspectiveFovLH(kPi / 4, 1.0f, 1.0f, 100.0f));
}

bool T3DDesktopPaneRenderer::SetOpacities() {
  bool changed = false;
  for (int d = 1; d <= 6; ++d) {
    const float opacity =
        std::clamp(opacities_[static_cast<std::size_t>(d - 1)]->Value, 0.0f, 1.0f);
    for (bool reflection : {false, true}) {
      for (int i = 0; i < kCubeFaceVertices; ++i) {
        SceneVertex &v = vertices_[static_cast<std::size_t>(FirstVertex(d, reflection) + i)];
        const double fraction = reflection ? v.nx : 1.0;
        const std::uint32_t colour = WhiteWithAlpha(static_cast<double>(opacity) * 255 * fraction);
        changed |= v.color != colour;
        v.color = colour;
      }
    }
  }
  // Only changed colours are written: locking a buffer the device still
  // draws from makes the frame wait for the previous one. A failed lock
  // keeps the opacities drawn last.
  return !changed || WriteVertices();
}

void T3DDesktopPaneRenderer::DrawPanes() {
  const HostTextures &textures = world_.Textures();
  for (int d = 1; d <= 6; ++d) {
    device_.SetTexture(ShowsProtectedPicture(d) ? textures.ProtectedDesktop
                                                : textures_[static_cast<std::size_t>(d - 1)]);
    const PanePoint pane = PaneCentre(d);
    SetWorld({pane.x, pane.y, 0}, {0, 0, 0}, {1, 1, 1});
    device_.DrawStrip(buffer_, FirstVertex(d, false), 4);
    const PanePoint image = PaneReflectionCentre(d);
    SetWorld({image.x, image.y, 0}, {0, 0, 0}, {1, 1, 1});
    device_.DrawStrip(buffer_, FirstVertex(d, true), 4);
  }
}

void T3DDesktopPaneRenderer::RenderScene() {
  UpdateSelection();
  FollowMouse();
  if (finished_)
    return;
  // Kept on the wall every frame, whether the mouse, a key or a trigger moved them.
  panX_->TargetValue = std::clamp(panX_->TargetValue, kWallLeft, -kWallLeft);
  panY_->TargetValue = std::clamp(panY_->TargetValue, -kWallTop, kWallTop);

  device_.SetCommonStates(setup_.PerformanceAntialiasing);
  ClearBackground();
  device_.BeginScene();
  DrawBackgroundQuad();
  device_.SetLighting(nullptr);
  KeepDistance(kFullScreenDistance);
  SetCamera();
  DrawSkyBox();

  device_.SetDepth(true, true);
  device_.SetAlphaBlending(true);
  for (int d = 1; d <= 6; ++d)
    opacities_[static_cast<std::size_t>(d - 1)]->TargetValue =
        d == selectedDesktop_ ? kSelectedOpacity : kOtherOpacity;
  SetOpacities();
  DrawPanes();
  for (auto &opacity : opacities_)
    opacity->Update();

  DrawButtons(selectedDesktop_);
  device_.EndScene();

  RefreshLivePreview(livePreview_.get(), textures_, *distance_);
  if (paused_)
    return;
  panX_->Update();
  panY_->Update();
  distance_->Update();
  KeepDistance(kFullScreenDistance);
  if (closing_ && distance_->Ended())
    Finish();
}

void T3DDesktopPaneRenderer::MoveTo(int desktop) {
  // No timed glide: the camera follows by its spring.
  const PanePoint centre = PaneCentre(desktop);
  panX_->TargetValue = centre.x;
  panY_->TargetValue = centre.y;
}

void T3DDesktopPaneRenderer::Choose(bool ask) {
  interactive_ = false;
  if (ask) {
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

  // The camera glides to the chosen pane's centre while it flies in, so that
  // the flight ends on that pane filling the screen rather than wherever a
  // drag had left it.
  MoveTo(selectedDesktop_);
  distance_->TargetValue = kFullScreenDistance;
  distance_->Damping = panX_->Damping = panY_->Damping = 0.5f;
  distance_->Start(setup_.ExplorerDuration);
}

void T3DDesktopPaneRenderer::Cancel() {
  MoveTo(currentDesktop_);
  selectedDesktop_ = currentDesktop_;
  Choose(false);
}

void T3DDesktopPaneRenderer::HandleTrigger(std::uint32_t code) {
  if (TriggerEndsEffect(code))
    return;
  if (!setup_.ExplorerEdgeMovement)
    return;
  const int s = selectedDesktop_;
  switch (code) {
  case 8: // left edge
    if (Column(s) > 0)
      MoveTo(s - 1);
    break;
  case 4: // right edge
    if (Column(s) < 2)
      MoveTo(s + 1);
    break;
  case 2: // top edge
    if (Row(s) > 0)
      MoveTo(s - 3);
    break;
  case 6: // bottom edge
    if (Row(s) == 0)
      MoveTo(s + 3);
    break;
  case kChooseTrigger:
    Choose(true);
    break;
  default:
    break;
  }
}

void T3DDesktopPaneRenderer::StepDesktop(int direction) {
  MoveTo(direction < 0 ? (selectedDesktop_ + 4) % 6 + 1 // 1 is preceded by 6
                       : selectedDesktop_ % 6 + 1);     // 6 is followed by 1
}

} // namespace qv
