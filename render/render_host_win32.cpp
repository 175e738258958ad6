#include "render/render_host_win32.h"

#include "render/device_warm_up.h"
#include "render/gradient_bands.h"
#include "shell/log.h"
#include "shell/setup.h"

#include <chrono>
#include <exception>

namespace qv {
namespace {

constexpr wchar_t kFormClass[] = L"TRendererForm";
constexpr UINT_PTR kCooperativeTimer = 1;
constexpr UINT kCooperativeInterval = 500;
// Enough bands that the gradients' curves show no steps.
constexpr int kGradientSamples = 65;

void RegisterHostClass(const wchar_t *name, WNDPROC procedure, const wchar_t *cursor) {
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &windowClass))
    return;
  windowClass.style = CS_DBLCLKS; // double clicks choose a desktop
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, cursor);
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

struct EffectSettings {
  int Background;
  const std::string *Image;
  const std::string *Theme;
};

EffectSettings SettingsOf(const TSetup &setup, std::size_t effect) {
  switch (effect) {
  case 0:
    return {setup.CubeBackground, &setup.CubeBackgroundImage, &setup.CubeBackgroundTheme};
  case 1:
    return {setup.ExplorerBackground, &setup.ExplorerBackgroundImage,
            &setup.ExplorerBackgroundTheme};
  case 2:
    return {setup.FlipBackground, &setup.FlipBackgroundImage, &setup.FlipBackgroundTheme};
  default:
    return {setup.CarouselBackground, &setup.CarouselBackgroundImage,
            &setup.CarouselBackgroundTheme};
  }
}

} // namespace

TRendererForm::TRendererForm(const TSetup &setup, TLog &log, int screenWidth, int screenHeight,
                             std::filesystem::path themesFolder, Callbacks callbacks)
    : setup_(setup), log_(log), screenWidth_(screenWidth), screenHeight_(screenHeight),
      themesFolder_(std::move(themesFolder)), callbacks_(std::move(callbacks)) {
  // The device draws straight into the form (Wine does not show what a device
  // draws into a child window), which takes the four-way move cursor.
  RegisterHostClass(kFormClass, &TRendererForm::FormProc, IDC_SIZEALL);
  DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  if (callbacks_.compositionEnabled && callbacks_.compositionEnabled())
    exStyle |= WS_EX_COMPOSITED;
  form_.Reset(CreateWindowExW(exStyle, kFormClass, L"Windows Desktop Effect Rendering Engine",
                              WS_POPUP, kParkedLeft, 0, screenWidth_, screenHeight_, nullptr,
                              nullptr, GetModuleHandleW(nullptr), this));
  SetTimer(form_.Get(), kCooperativeTimer, kCooperativeInterval, nullptr);
}

TRendererForm::~TRendererForm() {
  // The effect and the shared textures go before the device, the device
  // before its window.
  renderer_.reset();
  DestroyGeometry();
  for (auto &skyBox : skyBoxes_)
    skyBox.reset();
}

bool TRendererForm::Show(std::string &error) {
  SetWindowPos(form_.Get(), HWND_TOPMOST, kParkedLeft, 0, screenWidth_, screenHeight_,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (!device_.Create(form_.Get(), screenWidth_, screenHeight_, error))
    return false;
  DeviceReset();
  WarmUpDrawing(device_, textures_.RotateNormal);
  device_.Present(); // parked: nobody sees it
  return true;
}

void TRendererForm::DeviceReset() {
  log_.Add("Reset device");
  CreateGeometry();
}

void TRendererForm::DeviceLost() {
  log_.Add("Device lost");
  DestroyGeometry();
}

void TRendererForm::CreateGeometry() {
  DestroyGeometry();
  log_.Add("Create geometry");
  std::string missing;
  const auto picture = [&](const std::string &name) {
    const TextureId texture = device_.LoadResourceTexture(name.c_str());
    if (!texture)
      missing += " " + name;
    return texture;
  };
  if (protectedPictureWanted_)
    textures_.ProtectedDesktop = picture("PROTECTEDDESKTOP");
  const auto gradient = [&](const char *name, std::vector<std::uint32_t> &colours) {
    std::optional<DecodedImage> decoded;
    const TextureId texture = device_.LoadResourceTexture(name, decoded);
    if (!texture)
      missing += std::string(" ") + name;
    colours = decoded ? VerticalGradientColours(*decoded, kGradientSamples)
                      : std::vector<std::uint32_t>{};
    return texture;
  };
  textures_.BlackGradient = gradient("BLACKGRADIENT", textures_.BlackGradientColours);
  textures_.WhiteGradient = gradient("WHITEGRADIENT", textures_.WhiteGradientColours);
  for (std::size_t i = 0; i < skyBoxes_.size(); ++i) {
    if (!skyBoxes_[i])
      skyBoxes_[i] = std::make_unique<T3DSkyBox>(device_);
    textures_.SkyBoxes[i] = skyBoxes_[i].get();
  }
  LoadBackgrounds();
  textures_.RotateNormal = picture("ROTATENORMAL");
  textures_.RotateOver = picture("ROTATEOVER");
  textures_.PointerNormal = picture("POINTERNORMAL");
  textures_.PointerOver = picture("POINTEROVER");
  for (std::size_t d = 0; d < textures_.Buttons.size(); ++d) {
    const std::string name = "BUTTON" + std::to_string(d + 1);
    textures_.Buttons[d][0] = picture(name + "NORMAL");
    textures_.Buttons[d][1] = picture(name + "OVER");
  }
  if (!missing.empty())
    log_.Add("Pictures that could not be loaded:" + missing);
}

void TRendererForm::LoadProtectedPicture() {
  protectedPictureWanted_ = true;
  if (textures_.ProtectedDesktop || !device_.Created())
    return;
  textures_.ProtectedDesktop = device_.LoadResourceTexture("PROTECTEDDESKTOP");
  if (!textures_.ProtectedDesktop)
    log_.Add("Pictures that could not be loaded: PROTECTEDDESKTOP");
}

void TRendererForm::LoadBackgrounds() {
  for (std::size_t effect = 0; effect < textures_.Backgrounds.size(); ++effect) {
    const EffectSettings settings = SettingsOf(setup_, effect);
    if (settings.Background == 4 && !settings.Image->empty())
      textures_.Backgrounds[effect] = device_.LoadTexture(*settings.Image);
    if (settings.Background == 5 && !settings.Theme->empty() && skyBoxes_[effect])
      skyBoxes_[effect]->Load(*settings.Theme, themesFolder_);
  }
}

void TRendererForm::ReleaseBackgrounds() {
  for (TextureId &texture : textures_.Backgrounds) {
    if (texture)
      device_.ReleaseTexture(texture);
    texture = 0;
  }
  for (auto &skyBox : skyBoxes_)
    if (skyBox && skyBox->Loaded())
      skyBox->Unload();
}

void TRendererForm::DestroyGeometry() {
  if (!device_.Created())
    return;
  log_.Add("Destroy geometry");
  ReleaseBackgrounds();
  const auto release = [&](TextureId &texture) {
    if (texture)
      device_.ReleaseTexture(texture);
    texture = 0;
  };
  release(textures_.ProtectedDesktop);
  release(textures_.BlackGradient);
  release(textures_.WhiteGradient);
  release(textures_.RotateNormal);
  release(textures_.RotateOver);
  release(textures_.PointerNormal);
  release(textures_.PointerOver);
  for (auto &pair : textures_.Buttons)
    for (TextureId &texture : pair)
      release(texture);
}

void TRendererForm::ReloadBackgrounds() {
  if (!device_.Created())
    return;
  ReleaseBackgrounds();
  LoadBackgrounds();
}

void TRendererForm::SetRenderer(std::unique_ptr<TGeneric3DRenderer> renderer) {
  renderer_ = std::move(renderer);
  effectStart_ = std::chrono::steady_clock::now();
  // Loaded when first needed: most sessions never show it, and it would hold
  // three megabytes all the while.
  if (renderer_ && renderer_->ShowsAnyProtectedPicture())
    LoadProtectedPicture();
  const std::intptr_t carried = renderer_ ? renderer_->CarriedWindowHandle() : -1;
  log_.Add(carried == -1 ? std::string("Effect started")
                         : "Effect started carrying window " + std::to_string(carried));
}

bool TRendererForm::EnsureDevice() {
  return !device_.Created() ||
         device_.MakeUsable([this] { DeviceLost(); }, [this] { DeviceReset(); });
}

bool TRendererForm::Parked() const {
  RECT rect{};
  GetWindowRect(form_.Get(), &rect);
  return rect.left == kParkedLeft;
}

void TRendererForm::Park() {
  SetWindowPos(form_.Get(), nullptr, kParkedLeft, 0, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TRendererForm::Idle() {
  if (!renderer_)
    return;
  if (renderer_->Finished()) {
    const auto lasted = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - effectStart_);
    log_.Add("Effect ended after " + std::to_string(renderer_->FrameCount()) + " frames in " +
             std::to_string(lasted.count()) + " ms");
    Park();
    renderer_.reset();
    if (callbacks_.effectEnded)
      callbacks_.effectEnded();
    return;
  }
  RenderFrame();
  if (renderer_ && Parked() && renderer_->FrameCount() == 2)
    BringOnScreen();
}

void TRendererForm::RenderFrame() {
  if (!device_.MakeUsable([this] { DeviceLost(); }, [this] { DeviceReset(); })) {
    Sleep(20); // the display belongs to another program for now
    return;
  }
  device_.WaitForLastFrame(std::chrono::milliseconds(250));
  try {
    renderer_->Render();
  } catch (const std::exception &error) {
    log_.Add(error.what());
  }
  device_.Present();
}

void TRendererForm::BringOnScreen() {
  log_.Add("Effect on screen");
  const std::intptr_t carried = renderer_->CarriedWindowHandle();
  if (carried != -1) {
    const auto window = reinterpret_cast<HWND>(carried);
    SetWindowPos(form_.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    if (setup_.PerformanceTransparentWindows && callbacks_.compositionEnabled &&
        callbacks_.compositionEnabled()) {
      SetWindowLongPtrW(window, GWL_EXSTYLE,
                        GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
      SetLayeredWindowAttributes(window, 0, 64, LWA_ALPHA);
    }
    return;
  }
  SetWindowPos(form_.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
  // A click at the pointer makes the effect the active window, so that it
  // receives the keyboard and the wheel.
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  SetForegroundWindow(form_.Get());
}

void TRendererForm::OfferMessage(const MSG &message) {
  if (renderer_)
    renderer_->HandleMessage({message.message, static_cast<std::uintptr_t>(message.wParam),
                              static_cast<std::intptr_t>(message.lParam)});
}

void TRendererForm::CheckCooperation() {
  HWND foreground = GetForegroundWindow();
  bool fullScreenProgram = false;
  if (foreground && foreground != form_.Get() && foreground != GetDesktopWindow() &&
      !IsIconic(foreground)) {
    RECT rect{};
    GetWindowRect(foreground, &rect);
    fullScreenProgram = rect.right - rect.left == GetSystemMetrics(SM_CXSCREEN) &&
                        rect.bottom - rect.top == GetSystemMetrics(SM_CYSCREEN) &&
                        (GetWindowLongPtrW(foreground, GWL_EXSTYLE) & WS_EX_TOPMOST);
  }
  cooperating_ = !(fullScreenProgram && !device_.CooperativeLevelOk());
}

LRESULT CALLBACK TRendererForm::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto *self = reinterpret_cast<TRendererForm *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->OnMessage(window, message, wParam, lParam)
              : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TRendererForm::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_ERASEBKGND:
    return 0; // the device draws every pixel
  case WM_KEYDOWN:
    if (renderer_)
      renderer_->HandleKeyDown(static_cast<int>(wParam));
    return 0;
  case WM_TIMER:
    if (wParam == kCooperativeTimer) {
      CheckCooperation();
      return 0;
    }
    break;
  case WM_QUERYENDSESSION:
    return TRUE; // logging off may go on; the main form ends the program
  default:
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace qv
