#include "shell/entry/program_effects_win32.h"

#include "capture/desktop_composer_win32.h"
#include "desktops/desktop.h"
#include "desktops/window_manager.h"
#include "overlays/osd_win32.h"
#include "render/carousel_renderer.h"
#include "render/cube_renderer.h"
#include "render/flip_renderer.h"
#include "render/pane_renderer.h"
#include "shell/composition_win32.h"
#include "shell/entry/program_desktops_win32.h"
#include "shell/entry/program_triggers_win32.h"
#include "shell/global_lock_win32.h"
#include "shell/globals_win32.h"
#include "shell/language.h"
#include "shell/log.h"
#include "shell/main_form_win32.h"
#include "shell/system_properties_win32.h"
#include "triggers/desktop_properties_win32.h"

namespace qv {
namespace {

// The six composers of an effect's live preview, desktops 1 to 6.
class ComposerPreview : public LivePreview {
public:
  ComposerPreview(DesktopPictures &pictures, TWindowManager &windows, const TSetup &setup) {
    for (int d = 1; d <= 6; ++d)
      composers_[static_cast<std::size_t>(d - 1)] =
          std::make_unique<TDesktopComposer>(pictures, *windows.Desktop(d), setup);
  }
  bool Suspended() const override { return composers_[0]->Suspended(); }
  void ResumeAll() override {
    for (auto &composer : composers_)
      composer->Resume();
  }
  bool Done(int desktop) const override { return Of(desktop).Done(); }
  void ClearDone(int desktop) override { Of(desktop).ClearDone(); }
  void StopAll() override {
    for (auto &composer : composers_)
      composer->RequestStop();
  }

private:
  TDesktopComposer &Of(int desktop) const {
    return *composers_[static_cast<std::size_t>(desktop - 1)];
  }

  std::array<std::unique_ptr<TDesktopComposer>, 6> composers_;
};

} // namespace

ProgramEffects::ProgramEffects(const TSetup &setup, TLog &log, const TDesktopProperties &shell,
                               int imageScale)
    : setup_(setup), log_(log), shell_(shell), imageScale_(imageScale < 1 ? 1 : imageScale) {}

ProgramEffects::~ProgramEffects() = default;

void ProgramEffects::Connect(ProgramDesktops *desktops, ProgramTriggers *triggers,
                             TSettings *mainForm) {
  desktops_ = desktops;
  triggers_ = triggers;
  mainForm_ = mainForm;
}

bool ProgramEffects::CreateHost(std::string &error) {
  TRendererForm::Callbacks callbacks;
  callbacks.effectEnded = [this] {
    if (triggers_) {
      triggers_->Manager().SetEffectReady();
      triggers_->EffectRunningChanged(false);
    }
  };
  callbacks.compositionEnabled = [] { return CompositionEnabled(); };
  host_ = std::make_unique<TRendererForm>(setup_, log_, shell_.ScreenWidth, shell_.ScreenHeight,
                                          ExecutableFolder() / "SkyBoxes", std::move(callbacks));
  host_->Device().SetPictureSource([this](int desktop) -> const TFastBitmap * {
    return desktops_ ? desktops_->Pictures().Thumbnail(desktop) : nullptr;
  });
  return host_->Show(error);
}

void ProgramEffects::DestroyHost() {
  host_.reset();
}

bool ProgramEffects::StartEffect(Action kind) {
  if (!host_ || !desktops_ ||
      (kind != Action::Cube && kind != Action::Flip && kind != Action::Carousel &&
       kind != Action::Explorer))
    return false;
  TWindowManager &windows = desktops_->WindowManager();
  Mutex->WaitFor();
  for (TDesktop *desktop : windows.Desktops())
    desktop->SortByZOrder();
  Mutex->Release();
  const int current = desktops_->CurrentNumber();
  desktops_->Pictures().CaptureTaskbar(*windows.Desktop(current));
  desktops_->Pictures().UpdateThumbnail(current);
  desktops_->Wallpapers().Wallpapers().PrepareForEffect(current);
  host_->EnsureDevice();
  std::unique_ptr<TGeneric3DRenderer> renderer;
  if (kind == Action::Flip)
    renderer = std::make_unique<T3DDesktopFlipRenderer>(host_->Device(), *this);
  else if (kind == Action::Carousel)
    renderer = std::make_unique<T3DDesktopCarouselRenderer>(host_->Device(), *this);
  else if (kind == Action::Explorer)
    renderer = std::make_unique<T3DDesktopPaneRenderer>(host_->Device(), *this);
  else
    renderer = std::make_unique<T3DCubeRenderer>(host_->Device(), *this);
  renderer->Initialise();
  host_->SetRenderer(std::move(renderer));
  if (triggers_)
    triggers_->EffectRunningChanged(true);
  return true;
}

int ProgramEffects::ScreenWidth() const {
  return shell_.ScreenWidth;
}
int ProgramEffects::ScreenHeight() const {
  return shell_.ScreenHeight;
}

const HostTextures &ProgramEffects::Textures() const {
  return host_ ? host_->Textures() : noTextures_;
}

TWindowManager &ProgramEffects::WindowManager() {
  return desktops_->WindowManager();
}

bool ProgramEffects::TranslucentWindowsAvailable() const {
  return CompositionEnabled();
}

void ProgramEffects::SetTopmost(WindowHandle window, bool topmost) {
  SetWindowPos(reinterpret_cast<HWND>(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ProgramEffects::MakeOpaque(WindowHandle window) {
  const auto handle = reinterpret_cast<HWND>(window);
  SetLayeredWindowAttributes(handle, 0, 255, LWA_ALPHA);
  // Cleared rather than toggled, so that a window that lost the style
  // meanwhile does not get it back.
  SetWindowLongPtrW(handle, GWL_EXSTYLE, GetWindowLongPtrW(handle, GWL_EXSTYLE) & ~WS_EX_LAYERED);
}

void ProgramEffects::UseWorkHeight() {
  if (triggers_)
    triggers_->UseZoneHeight(shell_.WorkHeight);
}

void ProgramEffects::UseFullHeight() {
  if (triggers_)
    triggers_->UseZoneHeight(shell_.ScreenHeight);
}

std::string ProgramEffects::Translate(const std::string &identifier) {
  return LanguageController ? LanguageController->Translate(identifier) : identifier;
}

void ProgramEffects::ShowOsd(const std::string &text) {
  if (OSD)
    OSD->ShowText(text);
}

void ProgramEffects::UpdateDesktopTrayIcons() {
  if (mainForm_)
    mainForm_->UpdateDesktopTrayIcons();
}

void ProgramEffects::ParkHost() {
  if (host_)
    host_->Park();
}

ScreenPoint ProgramEffects::CursorPos() {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

bool ProgramEffects::LeftButtonDown() {
  return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

void ProgramEffects::ShowError(const std::string &text) {
  log_.Add(text);
  MessageBoxA(host_ ? host_->Handle() : nullptr, text.c_str(), "Quadrivista",
              MB_OK | MB_ICONERROR | MB_TOPMOST);
}

void ProgramEffects::Log(const std::string &line) {
  log_.Add(line);
}

std::unique_ptr<LivePreview> ProgramEffects::CreateLivePreview() {
  if (!desktops_)
    return nullptr;
  return std::make_unique<ComposerPreview>(desktops_->Pictures(), desktops_->WindowManager(),
                                           setup_);
}

} // namespace qv
