#include "render/generic_renderer.h"

#include "desktops/desktop.h"
#include "desktops/managed_window.h"
#include "desktops/window_manager.h"
#include "render/gradient_bands.h"
#include "render/sky_box.h"
#include "shell/setup.h"

#include <algorithm>
#include <numbers>

namespace qv {
namespace {

constexpr int kButtonSize = 64;
constexpr int kButtonAlphaStep = 5;
constexpr int kButtonAlphaLow = 128;
constexpr int kButtonAlphaHigh = 255;
constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFF;
constexpr double kWaterMilliseconds = 2000;
constexpr double kWaterDamping = 0.9;
constexpr int kWaterMaxStepsPerFrame = 8;
// From here the flat surface covers exactly the field of view.
constexpr float kWaterEyeDistance = 3.4133f;

bool Inside(ScreenPoint point, int x, int y) {
  return point.x >= x && point.x < x + kButtonSize && point.y >= y && point.y < y + kButtonSize;
}

} // namespace

TGeneric3DRenderer::TGeneric3DRenderer(EffectDevice &device, EffectWorld &world, EffectKind kind)
    : device_(device), world_(world), setup_(world.Setup()), kind_(kind) {
  TWindowManager &windows = world_.WindowManager();
  carriedWindow_ = windows.DraggedWindow();
  if (carriedWindow_) {
    carriedWindowHandle_ = static_cast<std::intptr_t>(carriedWindow_->Handle);
    carryingWindow_ = true;
    windows.KeepFocus = true;
    world_.UseWorkHeight();
    carriedWindow_->Paintable = setup_.PerformanceTransparentWindows;
  } else {
    world_.UseFullHeight();
  }
  const int current = windows.CurrentDesktop() ? windows.CurrentDesktop()->Number() : 1;
  selectedDesktop_ = currentDesktop_ = targetDesktop_ = current;
}

TGeneric3DRenderer::~TGeneric3DRenderer() {
  DestroyWater();
  // An effect that vanished without finishing leaves nothing held back.
  if (carryingWindow_)
    world_.WindowManager().KeepFocus = false;
}

void TGeneric3DRenderer::Initialise() {
  if (initialised_)
    return;
  const bool created = CreateGeometry();
  if (created && carriedWindowHandle_ != -1 && setup_.PerformanceWaterDrop)
    CreateWater();
  initialised_ = true;
  frameCount_ = 0;
  if (!created)
    RequestFinish();
}

void TGeneric3DRenderer::ReleaseGeometry() {
  if (!initialised_)
    return;
  initialised_ = false;
  DestroyGeometry();
}

void TGeneric3DRenderer::RequestFinish() {
  finishRequested_ = true;
  finished_ = true;
}

bool TGeneric3DRenderer::FollowCarriedWindow(bool buttonDown) {
  if (!carryingWindow_)
    return false;
  if (!buttonDown) { // the window is dropped
    const TDesktop *selected = world_.WindowManager().Desktop(selectedDesktop_);
    if (selected && selected->IsProtected(currentDesktop_, true))
      Cancel();
    else
      Choose(true);
  }
  return true;
}

void TGeneric3DRenderer::Render() {
  if (initialised_ && !finished_ && !paused_) {
    device_.SetDepth(false, true);
    if (finishRequested_) {
      Finish();
      finishRequested_ = false;
    } else if (waterRunning_) {
      RenderWater();
    } else {
      RenderScene();
    }
  }
  ++frameCount_;
}

void TGeneric3DRenderer::Finish() {
  TWindowManager &windows = world_.WindowManager();
  const bool translucent =
      setup_.PerformanceTransparentWindows && world_.TranslucentWindowsAvailable();
  if (carryingWindow_ && carriedWindow_) {
    world_.SetTopmost(carriedWindow_->Handle, true);
    carriedWindow_->Paintable = false;
    if (translucent)
      world_.MakeOpaque(carriedWindow_->Handle);
    carriedWindow_->SetDesktop(windows.Desktop(targetDesktop_));
    carryingWindow_ = false;
  }
  if (waterRequested_) {
    waterRequested_ = false;
    // Without its buffer or a chosen picture there is no ripple to show.
    if (waterAnimation_ && waterTexture_) {
      waterRunning_ = true;
      StartWater();
      return;
    }
  }
  waterRunning_ = false;
  windows.Enabled = false;
  if (desktopChanged_) {
    world_.ShowOsd(world_.Translate("241"));
    if (carriedWindow_)
      world_.SetTopmost(carriedWindow_->Handle, true);
    windows.SetCurrentDesktop(windows.Desktop(targetDesktop_));
    world_.UpdateDesktopTrayIcons();
    desktopChanged_ = false;
  }
  world_.ParkHost();
  if (carriedWindow_) {
    world_.SetTopmost(carriedWindow_->Handle, false);
    carriedWindow_->Paintable = true;
    windows.KeepFocus = false;
  }
  windows.Enabled = true;
  finished_ = true;
}

void TGeneric3DRenderer::CreateWater() {
  waterRequested_ = true;
  DestroyWater();
  waterBuffer_ = device_.CreateVertexBuffer(WaterSurface::kMeshVertices);
  if (!waterBuffer_) {
    ReportError("Cannot create water effect vertex buffer");
    return;
  }
  water_ = std::make_unique<WaterSurface>();
  waterAnimation_ = std::make_unique<TAnimation>(world_.Clock(), 0.0f, 0.0f, 10.0f, 0.85f);
}

void TGeneric3DRenderer::DestroyWater() {
  waterAnimation_.reset();
  if (waterBuffer_)
    device_.ReleaseVertexBuffer(waterBuffer_);
  waterBuffer_ = 0;
}

void TGeneric3DRenderer::StartWater() {
  const WindowRect rect = carriedWindow_ ? carriedWindow_->ScreenRect() : WindowRect{};
  for (const WaterPoint &point : WaterDropPoints(rect))
    water_->AddDrop(point, world_.ScreenWidth(), world_.ScreenHeight());
  waterSteps_ = 0;
  waterStartFrame_ = frameCount_;
  waterAnimation_->Start(kWaterMilliseconds);
  world_.Log("Water drop on desktop " + std::to_string(targetDesktop_));
}

void TGeneric3DRenderer::RenderWater() {
  // The surface moves at a fixed number of steps per second, so the waves
  // travel and calm down alike on slow and fast displays.
  const PerformanceClock &clock = world_.Clock();
  const double elapsed = static_cast<double>(clock.Counter() - waterAnimation_->StartTime) /
                         static_cast<double>(std::max<std::int64_t>(1, clock.Frequency()));
  const int steps = WaterStepsDue(elapsed, waterSteps_, kWaterMaxStepsPerFrame);
  for (int i = 0; i < steps; ++i)
    water_->Step(kWaterDamping);
  waterSteps_ += steps;
  water_->BuildMesh();
  if (SceneVertex *target = device_.Lock(waterBuffer_)) {
    const auto &mesh = water_->Mesh();
    std::copy(mesh.begin(), mesh.end(), target);
    device_.Unlock(waterBuffer_);
  } else {
    ReportError("Cannot lock effect vertex buffer"); // the previous mesh is drawn
  }
  DrawWater();
  waterAnimation_->Update();
  if (waterAnimation_->Ended()) {
    // The ripple's own frame rate, for the benchmark.
    const auto milliseconds = static_cast<long long>(elapsed * 1000);
    world_.Log("Water drop ended after " + std::to_string(frameCount_ - waterStartFrame_) +
               " frames in " + std::to_string(milliseconds) + " ms");
    Finish();
  }
}

void TGeneric3DRenderer::DrawWater() {
  device_.SetCommonStates(setup_.PerformanceAntialiasing);
  device_.SetLighting(nullptr);
  device_.Clear(0x000000);
  device_.BeginScene();
  device_.SetAlphaBlending(false);
  device_.SetDepth(false, false);
  device_.SetTransform(TransformKind::View,
                       MatrixLookAtLH({0, 0, -kWaterEyeDistance}, {0, 0, 0}, {0, 1, 0}));
  device_.SetTransform(TransformKind::Projection,
                       MatrixPerspectiveFovLH(std::numbers::pi_v<float> / 4, 1.0f, 1.0f, 100.0f));
  SetWorld({0, 0, 0}, {0, 0, 0}, {1, 1, 1});
  device_.SetTexture(waterTexture_);
  device_.DrawStrip(waterBuffer_, 0, WaterSurface::kMeshTriangles);
  device_.EndScene();
}

void TGeneric3DRenderer::SetWorld(Vec3 translation, Vec3 rotation, Vec3 scale) {
  device_.SetTransform(TransformKind::World, WorldMatrix(translation, rotation, scale));
}

void TGeneric3DRenderer::DrawScreenQuad(TextureId texture, std::uint32_t colour, float left,
                                        float top, float right, float bottom, float depth) {
  const float rhw = 1.0f / (depth * 990.0f + 10.0f);
  const float x0 = left - 0.5f, x1 = right - 0.5f, y0 = top - 0.5f, y1 = bottom - 0.5f;
  device_.SetTexture(texture);
  device_.DrawScreenQuad({{{x0, y0, depth, rhw, colour, 0, 0},
                           {x1, y0, depth, rhw, colour, 1, 0},
                           {x1, y1, depth, rhw, colour, 1, 1},
                           {x0, y1, depth, rhw, colour, 0, 1}}});
}

bool TGeneric3DRenderer::CopyImageToTexture(TextureId texture, int desktop) {
  const int scale = std::max(1, world_.ImageScale());
  switch (device_.CopyPictureToTexture(texture, desktop, world_.ScreenWidth() / scale,
                                       world_.ScreenHeight() / scale)) {
  case CopyResult::Ok:
    return true;
  case CopyResult::NoSurface:
    ReportError("Cannot get surface for texture");
    return false;
  case CopyResult::NoDeviceContext:
    ReportError("Cannot get device context for texture surface ");
    return false;
  }
  return false;
}

bool TGeneric3DRenderer::CreateDesktopTextures(std::array<TextureId, 6> &textures) {
  const int scale = std::max(1, world_.ImageScale());
  for (int d = 1; d <= 6; ++d) {
    TextureId &texture = textures[static_cast<std::size_t>(d - 1)];
    texture = device_.CreateTexture(world_.ScreenWidth() / scale, world_.ScreenHeight() / scale);
    if (!texture) {
      ReportError("Cannot create texture " + std::to_string(d));
      return false;
    }
    CopyImageToTexture(texture, d);
  }
  return true;
}

void TGeneric3DRenderer::ReleaseDesktopTextures(std::array<TextureId, 6> &textures) {
  for (TextureId &texture : textures) {
    if (texture)
      device_.ReleaseTexture(texture);
    texture = 0;
  }
}

void TGeneric3DRenderer::RefreshLivePreview(LivePreview *preview,
                                            const std::array<TextureId, 6> &textures,
                                            TAnimation &opening) {
  if (!preview)
    return;
  if (preview->Suspended() && opening.Ended())
    preview->ResumeAll();
  if (frameCount_ < 12)
    return;
  for (int d = 1; d <= 6; ++d) {
    if (!preview->Done(d))
      continue;
    if (!CopyImageToTexture(textures[static_cast<std::size_t>(d - 1)], d)) {
      Pause();
      return;
    }
    preview->ClearDone(d);
  }
}

void TGeneric3DRenderer::CreateLivePreviewIfWanted() {
  if (setup_.PerformanceLivePreview)
    livePreview_ = world_.CreateLivePreview();
}

void TGeneric3DRenderer::ReleaseScene(std::initializer_list<BufferId *> buffers) {
  world_.UseFullHeight();
  if (carryingWindow_ && carriedWindow_)
    carriedWindow_->Paintable = true;
  if (livePreview_) {
    livePreview_->StopAll();
    livePreview_.reset(); // waits for the threads: they draw into the pictures
  }
  for (BufferId *buffer : buffers) {
    if (*buffer)
      device_.ReleaseVertexBuffer(*buffer);
    *buffer = 0;
  }
  ReleaseDesktopTextures(textures_);
}

void TGeneric3DRenderer::KeepDistance(float fullScreenDistance) {
  distance_->Value = std::max(distance_->Value, fullScreenDistance);
  distance_->TargetValue = std::max(distance_->TargetValue, fullScreenDistance);
}

void TGeneric3DRenderer::ZoomIn() {
  if (interactive_)
    distance_->TargetValue -= static_cast<float>(setup_.AnimationZoomFactor) / 100.0f;
}

void TGeneric3DRenderer::ZoomOut() {
  if (interactive_)
    distance_->TargetValue += static_cast<float>(setup_.AnimationZoomFactor) / 100.0f;
}

bool TGeneric3DRenderer::TriggerEndsEffect(std::uint32_t code) {
  if (!interactive_ || !distance_) // no geometry: the effect is ending
    return true;
  if (code == kChooseTrigger && initialised_ && frameCount_ == 0) {
    RequestFinish(); // released before the first frame: the effect vanishes
    return true;
  }
  return false;
}

void TGeneric3DRenderer::HandleMessage(const EffectMessage &message) {
  if (!interactive_ || !distance_) // no geometry: the effect is ending
    return;
  if (message.message == kMessageLeftDoubleClick) {
    Choose(true);
  } else if (message.message == kMessageMouseWheel) {
    const auto delta = static_cast<std::int16_t>((message.wParam >> 16) & 0xFFFF);
    if (setup_.ControlMouseWheelAction == 1)
      StepDesktop(delta < 1 ? -1 : 1);
    else
      delta < 1 ? ZoomIn() : ZoomOut();
  }
}

void TGeneric3DRenderer::HandleKeyDown(int key) {
  if (!interactive_ || !distance_)
    return;
  switch (key) {
  case effect_key::kUp:
    ZoomOut();
    break;
  case effect_key::kDown:
    ZoomIn();
    break;
  case effect_key::kLeft:
    StepDesktop(-1);
    break;
  case effect_key::kRight:
    StepDesktop(1);
    break;
  case effect_key::kEnter:
    Choose(true);
    break;
  case effect_key::kEscape:
    Cancel();
    break;
  default:
    break;
  }
}

int TGeneric3DRenderer::BackgroundSetting() const {
  switch (kind_) {
  case EffectKind::Cube:
    return setup_.CubeBackground;
  case EffectKind::Explorer:
    return setup_.ExplorerBackground;
  case EffectKind::Flip:
    return setup_.FlipBackground;
  case EffectKind::Carousel:
    return setup_.CarouselBackground;
  }
  return 1;
}

void TGeneric3DRenderer::ClearBackground() {
  // A gradient or picture then covers every pixel: clearing them first would
  // only write the whole screen once more.
  if (BackgroundCoversScreen())
    device_.ClearDepth();
  else
    device_.Clear(BackgroundSetting() == 0 ? 0xFFFFFF : 0x000000);
}

TGeneric3DRenderer::BackgroundSource TGeneric3DRenderer::Background() const {
  const HostTextures &textures = world_.Textures();
  switch (BackgroundSetting()) {
  case 2:
    return {textures.WhiteGradient, &textures.WhiteGradientColours};
  case 3:
    return {textures.BlackGradient, &textures.BlackGradientColours};
  case 4:
    return {textures.Backgrounds[static_cast<std::size_t>(kind_)], nullptr};
  default:
    return {};
  }
}

bool TGeneric3DRenderer::BackgroundCoversScreen() const {
  const BackgroundSource background = Background();
  return background.HasColours() || background.texture != 0;
}

void TGeneric3DRenderer::DrawBackgroundQuad() {
  // Behind everything and opaque: testing depth or blending would only make
  // every pixel of the screen read what lies under it first.
  device_.SetAlphaBlending(false);
  device_.SetDepth(false, false);
  const float width = static_cast<float>(world_.ScreenWidth()),
              height = static_cast<float>(world_.ScreenHeight());
  const BackgroundSource background = Background();
  if (background.HasColours()) {
    // The same picture, drawn from its colours: far cheaper on every frame.
    if (gradientBands_.empty() || gradientSource_ != background.colours)
      gradientBands_ = GradientBands(*background.colours, width, height, 0.99f);
    gradientSource_ = background.colours;
    device_.DrawScreenTriangles(gradientBands_);
    return;
  }
  if (!background.texture)
    return; // none, or a picture that could not be loaded: the plain colour
  DrawScreenQuad(background.texture, kOpaqueWhite, 0, 0, width, height, 0.99f);
}

void TGeneric3DRenderer::DrawSkyBox() {
  T3DSkyBox *skyBox = world_.Textures().SkyBoxes[static_cast<std::size_t>(kind_)];
  if (BackgroundSetting() != 5 || !skyBox || !skyBox->Loaded())
    return;
  SetWorld({0, 0, 0}, {0, 0, 0}, {20, 20, 20});
  skyBox->Render();
}

void TGeneric3DRenderer::DrawButtons(int highlighted) {
  if (!setup_.GeneralShowControls)
    return;
  const ScreenPoint cursor = world_.CursorPos();
  const HostTextures &textures = world_.Textures();
  device_.SetDepth(false, false); // over everything
  device_.SetTextureAlpha(true);
  device_.SetAlphaBlending(true);
  const auto draw = [&](int index, int x, int y, TextureId normal, TextureId over, bool isOver) {
    const bool pointed = Inside(cursor, x, y);
    int &alpha = buttonAlpha_[static_cast<std::size_t>(index)];
    const TextureId texture = isOver ? over : normal;
    if (!texture)
      return; // no picture: no square of plain colour either
    const auto colour = (static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24) | 0xFFFFFFu;
    DrawScreenQuad(texture, colour, static_cast<float>(x), static_cast<float>(y),
                   static_cast<float>(x + kButtonSize - 1), static_cast<float>(y + kButtonSize - 1),
                   0);
    alpha = std::clamp(alpha + (pointed ? kButtonAlphaStep : -kButtonAlphaStep), kButtonAlphaLow,
                       kButtonAlphaHigh);
  };
  draw(1, 32, 32, textures.RotateNormal, textures.RotateOver, true);
  draw(2, 104, 32, textures.PointerNormal, textures.PointerOver, Inside(cursor, 104, 32));
  for (int d = 1; d <= 6; ++d) {
    const int x = world_.ScreenWidth() - (7 - d) * 72;
    const auto &pair = textures.Buttons[static_cast<std::size_t>(d - 1)];
    draw(2 + d, x, 32, pair[0], pair[1], d == highlighted || Inside(cursor, x, 32));
  }
  device_.SetTextureAlpha(false);
}

void TGeneric3DRenderer::ReportError(const std::string &text) {
  if (reported_.insert(text).second)
    world_.ShowError(text);
}

bool TGeneric3DRenderer::ShowsAnyProtectedPicture() const {
  for (int desktop = 1; desktop <= 6; ++desktop)
    if (ShowsProtectedPicture(desktop))
      return true;
  return false;
}

bool TGeneric3DRenderer::ShowsProtectedPicture(int desktop) const {
  const TDesktop *target = world_.WindowManager().Desktop(desktop);
  return target && target->IsProtected(currentDesktop_, false) &&
         !unlocked_[static_cast<std::size_t>(desktop)];
}

} // namespace qv
