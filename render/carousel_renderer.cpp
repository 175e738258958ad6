#include "render/carousel_renderer.h"

#include "desktops/desktop.h"
#include "desktops/managed_window.h"
#include "desktops/window_manager.h"
#include "shell/setup.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {
namespace {

// The camera distance at which the front screen, 3 units out from the
// ring's centre, exactly fills the screen.
constexpr float kFullScreenDistance = 5.4133f;
constexpr float kRingRadius = 3.0f;
constexpr float kReflectionDrop = -2.0f;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr double kAngleStep = std::numbers::pi / 3;
constexpr std::uint32_t kReflectionTop = 0x22FFFFFF;
constexpr std::uint32_t kReflectionBottom = 0x00FFFFFF;
constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFF;
// A trigger that sends the carousel back to the desktop it started on.
constexpr std::uint32_t kCancelTrigger = 99;

long long RoundHalfEven(long double value) {
  return static_cast<long long>(std::nearbyint(value));
}

SceneVertex Corner(float x, float y, std::uint32_t colour, float u, float v) {
  return {x, y, 0, 0, 0, 0, colour, u, v};
}

// One screen, 2 x 2 units in the plane z = 0, its picture the right way up.
std::array<SceneVertex, 6> ScreenQuad() {
  return {Corner(-1, 1, kOpaqueWhite, 0, 0),  Corner(1, 1, kOpaqueWhite, 1, 0),
          Corner(-1, -1, kOpaqueWhite, 0, 1), Corner(1, 1, kOpaqueWhite, 1, 0),
          Corner(-1, -1, kOpaqueWhite, 0, 1), Corner(1, -1, kOpaqueWhite, 1, 1)};
}

// The same square with the picture upside down, fading out downwards: placed
// 2 units below a screen it is that screen's image on the floor.
std::array<SceneVertex, 6> ReflectionQuad() {
  return {Corner(-1, 1, kReflectionTop, 0, 1),     Corner(1, 1, kReflectionTop, 1, 1),
          Corner(-1, -1, kReflectionBottom, 0, 0), Corner(1, 1, kReflectionTop, 1, 1),
          Corner(-1, -1, kReflectionBottom, 0, 0), Corner(1, -1, kReflectionBottom, 1, 0)};
}

} // namespace

int CarouselFrontDesktop(long long n) {
  return n <= 0 ? static_cast<int>((-n) % 6) + 1 : 6 - static_cast<int>((n - 1) % 6);
}

CarouselPlace CarouselScreenPlace(int desktop) {
  const auto a = static_cast<float>(-(desktop - 1) * kAngleStep);
  return {{kRingRadius * std::sin(a), 0, kRingRadius * std::cos(a)}, kPi + a};
}

std::array<int, 6> CarouselNearestFirst(Vec3 eye) {
  std::array<float, 7> distance{}; // squared, by desktop number
  for (int d = 1; d <= 6; ++d) {
    const Vec3 c = CarouselScreenPlace(d).centre;
    distance[static_cast<std::size_t>(d)] = (c.x - eye.x) * (c.x - eye.x) +
                                            (c.y - eye.y) * (c.y - eye.y) +
                                            (c.z - eye.z) * (c.z - eye.z);
  }
  std::array<int, 6> order{1, 2, 3, 4, 5, 6};
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return distance[static_cast<std::size_t>(a)] < distance[static_cast<std::size_t>(b)];
  });
  return order;
}

T3DDesktopCarouselRenderer::T3DDesktopCarouselRenderer(EffectDevice &device, EffectWorld &world)
    : TGeneric3DRenderer(device, world, EffectKind::Carousel),
      quarterWidth_(std::max(1, world.ScreenWidth() / 4)),
      quarterHeight_(std::max(1, world.ScreenHeight() / 4)) {}

T3DDesktopCarouselRenderer::~T3DDesktopCarouselRenderer() {
  ReleaseGeometry();
}

bool T3DDesktopCarouselRenderer::CreateGeometry() {
  if (!CreateDesktopTextures(textures_))
    return false;

  screen_ = ScreenQuad();
  const auto fill = [&](BufferId &buffer, const std::array<SceneVertex, 6> &vertices) {
    buffer = device_.CreateVertexBuffer(static_cast<int>(vertices.size()));
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
  if (!fill(screenBuffer_, screen_) || !fill(reflectionBuffer_, ReflectionQuad()))
    return false;

  const float elasticity = static_cast<float>(setup_.AnimationElasticity) / 100.0f;
  const auto animation = [&](float start, float target, float damping) {
    return std::make_unique<TAnimation>(world_.Clock(), start, target, 10.0f, damping);
  };
  const float rotationStart =
      -static_cast<float>((currentDesktop_ - 1) * static_cast<long long>(quarterWidth_));
  rotation_ = animation(rotationStart, rotationStart, elasticity);
  tilt_ = animation(0, 0, elasticity);
  tilt_->Stiffness /= 4;
  distance_ = animation(kFullScreenDistance,
                        kFullScreenDistance + static_cast<float>(setup_.CarouselDistance) / 100.0f,
                        elasticity);
  transparency_ = animation(100, 100, elasticity);
  scale_ = animation(1.0f, 1.5f, 0.85f);
  for (TAnimation *a :
       {rotation_.get(), tilt_.get(), distance_.get(), transparency_.get(), scale_.get()})
    a->Start(setup_.CarouselDuration);

  CreateLivePreviewIfWanted();
  return true;
}

void T3DDesktopCarouselRenderer::DestroyGeometry() {
  ReleaseScene({&screenBuffer_, &reflectionBuffer_});
}

void T3DDesktopCarouselRenderer::UpdateSelection() {
  // From the target, so that a turn selects its desktop as soon as it is asked for.
  selectedDesktop_ = CarouselFrontDesktop(
      RoundHalfEven(static_cast<long double>(rotation_->TargetValue) / quarterWidth_));
}

void T3DDesktopCarouselRenderer::FollowMouse() {
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

void T3DDesktopCarouselRenderer::SetCamera() {
  yaw_ = static_cast<float>(rotation_->Value / quarterWidth_ * kAngleStep);
  // A quarter of the cube's latitude for the same tilt: the ring is only
  // seen a little from above or below.
  float pitch = kPi * 2 * ((tilt_->Value / 4) / static_cast<float>(world_.ScreenHeight()));
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

bool T3DDesktopCarouselRenderer::SetScreenOpacity(float opacity) {
  const auto alpha = static_cast<std::uint32_t>(
      std::clamp<long long>(RoundHalfEven(std::clamp(opacity, 0.0f, 1.0f) * 255.0L), 0, 255));
  const std::uint32_t colour = (alpha << 24) | 0xFFFFFFu;
  if (screen_[0].color == colour)
    return true;
  // Only a changed colour is written: locking a buffer the device still
  // draws from makes the frame wait for the previous one.
  SceneVertex *target = device_.Lock(screenBuffer_);
  if (!target)
    return false; // the screens keep their last opacity this frame
  for (SceneVertex &v : screen_)
    v.color = colour;
  std::copy(screen_.begin(), screen_.end(), target);
  device_.Unlock(screenBuffer_);
  return true;
}

void T3DDesktopCarouselRenderer::DrawScreens(bool reflections) {
  const HostTextures &textures = world_.Textures();
  // The solid screens nearest first; the blended reflections keep one order
  // whatever the turn, so that their look does not jump.
  const std::array<int, 6> order =
      reflections ? std::array<int, 6>{1, 2, 3, 4, 5, 6} : CarouselNearestFirst(eye_);
  for (int d : order) {
    const CarouselPlace place = CarouselScreenPlace(d);
    device_.SetTexture(ShowsProtectedPicture(d) ? textures.ProtectedDesktop
                                                : textures_[static_cast<std::size_t>(d - 1)]);
    SetWorld({place.centre.x, reflections ? kReflectionDrop : 0.0f, place.centre.z},
             {0, place.turn, 0}, {1, 1, 1});
    device_.DrawStrip(reflections ? reflectionBuffer_ : screenBuffer_, 0, 4);
  }
}

void T3DDesktopCarouselRenderer::RenderScene() {
  UpdateSelection();
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
  device_.SetLighting(nullptr);
  KeepDistance(kFullScreenDistance);
  SetCamera();
  DrawSkyBox();

  device_.SetDepth(true, true);
  SetScreenOpacity(transparency_->Value / 100.0f);
  device_.SetAlphaBlending(false);
  DrawScreens(false);
  if (setup_.PerformanceReflection) {
    // Every screen first, then the floor images over them without writing
    // depth: a faint near reflection then never cuts a hole into a screen
    // standing behind it.
    device_.SetAlphaBlending(true);
    device_.SetDepth(true, false);
    DrawScreens(true);
    device_.SetDepth(true, true);
  }
  DrawButtons(selectedDesktop_);
  device_.EndScene();

  RefreshLivePreview(livePreview_.get(), textures_, *distance_);
  if (paused_)
    return;
  UpdateAnimations();
  if (closing_ && distance_->Ended())
    Finish();
}

void T3DDesktopCarouselRenderer::UpdateAnimations() {
  for (TAnimation *a :
       {rotation_.get(), tilt_.get(), distance_.get(), transparency_.get(), scale_.get()})
    a->Update();
  KeepDistance(kFullScreenDistance);
}

void T3DDesktopCarouselRenderer::TurnNext() {
  rotation_->TargetValue = static_cast<float>(
      quarterWidth_ *
          RoundHalfEven(static_cast<long double>(rotation_->TargetValue) / quarterWidth_) -
      quarterWidth_);
}

void T3DDesktopCarouselRenderer::TurnPrevious() {
  rotation_->TargetValue = static_cast<float>(
      quarterWidth_ *
          RoundHalfEven(static_cast<long double>(rotation_->TargetValue) / quarterWidth_) +
      quarterWidth_);
}

void T3DDesktopCarouselRenderer::TurnTo(int desktop) {
  // Step by step, by the difference of the numbers rather than the shorter
  // way round, so that the ring visibly winds back the way it came.
  UpdateSelection();
  for (int i = selectedDesktop_; i < desktop; ++i)
    TurnNext();
  for (int i = desktop; i < selectedDesktop_; ++i)
    TurnPrevious();
}

void T3DDesktopCarouselRenderer::Choose(bool ask) {
  interactive_ = false;
  // Rounds the turn to the nearest screen, which is then the one chosen.
  TurnNext();
  TurnPrevious();
  UpdateSelection();
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

  distance_->TargetValue = kFullScreenDistance;
  distance_->Damping = rotation_->Damping = tilt_->Damping = 0.5f;
  tilt_->TargetValue = 0;
  transparency_->TargetValue = 100;
  scale_->TargetValue = 1.0f;
  for (TAnimation *a :
       {rotation_.get(), tilt_.get(), distance_.get(), transparency_.get(), scale_.get()})
    a->Start(setup_.CarouselDuration);
}

void T3DDesktopCarouselRenderer::Cancel() {
  TurnTo(currentDesktop_);
  selectedDesktop_ = currentDesktop_;
  Choose(false);
}

void T3DDesktopCarouselRenderer::HandleTrigger(std::uint32_t code) {
  if (TriggerEndsEffect(code))
    return;
  if (code == kCancelTrigger) {
    Cancel();
    return;
  }
  if (!setup_.CarouselEdgeMovement)
    return;
  switch (code) {
  case 4:
    TurnNext();
    break;
  case 8:
    TurnPrevious();
    break;
  case kChooseTrigger:
    Choose(true);
    break;
  default:
    break;
  }
}

void T3DDesktopCarouselRenderer::StepDesktop(int direction) {
  direction < 0 ? TurnPrevious() : TurnNext();
}

} // namespace qv
