#include "shell/entry/program_triggers_win32.h"

#include "desktops/desktop.h"
#include "desktops/managed_window.h"
#include "desktops/window_manager.h"
#include "overlays/osd_win32.h"
#include "shell/entry/program_desktops_win32.h"
#include "shell/entry/program_effects_win32.h"
#include "shell/log.h"
#include "shell/main_form_win32.h"
#include "shell/setup.h"
#include "triggers/desktop_properties_win32.h"

#include <chrono>

namespace qv {

ProgramTriggers::ProgramTriggers(const TSetup &setup, TLog &log)
    : setup_(setup), log_(log), hookLibrary_(THookLibrary::DefaultPath()),
      ownSharedData_(hookLibrary_.Loaded() ? nullptr : std::make_unique<THookSharedData>()),
      sharedData_(hookLibrary_.Loaded() ? hookLibrary_.SharedData() : ownSharedData_.get()),
      manager_(*this, setup, log) {
  manager_.SetHotKeyAtoms(hotKeys_.Atoms());
  exposerCurrentAtom_ = GlobalAddAtomA("QV_ExposerCurrent_HKID");
  // The manager has prepared the record; now the library may use it.
  if (hookLibrary_.Loaded()) {
    hookLibrary_.InstallHook();
    if (!hookLibrary_.HelperRunning())
      log.Add("32-bit hook helper not running: \"Send to\" serves 64-bit programs only");
  } else
    log.Add("Hook library not found: no gestures and no \"Send to\" moves");
}

ProgramTriggers::~ProgramTriggers() {
  exposer_.reset();
  if (mainForm_)
    UnregisterHotKey(mainForm_->Handle(), static_cast<int>(exposerCurrentAtom_));
  GlobalDeleteAtom(static_cast<ATOM>(exposerCurrentAtom_));
  StopHookThread();
  hookLibrary_.UnInstallHook();
}

void ProgramTriggers::Connect(ProgramDesktops *desktops, TSettings *mainForm,
                              const TDesktopProperties *shell) {
  desktops_ = desktops;
  mainForm_ = mainForm;
  shell_ = shell;
}

void ProgramTriggers::RegisterHotKeys() {
  if (!mainForm_)
    return;
  hotKeys_.RegisterHotKeys(mainForm_->Handle(), setup_);
  const HWND window = mainForm_->Handle();
  UnregisterHotKey(window, static_cast<int>(exposerCurrentAtom_));
  const TShortCut shortCut = setup_.ExposerCurrentHotKey;
  if (setup_.GeneralEnableHotKeys && shortCut != 0)
    RegisterHotKey(window, static_cast<int>(exposerCurrentAtom_), HotKeyModifiers(shortCut),
                   shortCut & kShortCutKeyMask);
}

bool ProgramTriggers::HandleOwnHotKey(unsigned identifier) {
  if (exposerCurrentAtom_ == 0 || identifier != exposerCurrentAtom_)
    return false;
  // The exposer's own action, shown for the current desktop only.
  exposerCurrentOnly_ = true;
  manager_.Dispatch(static_cast<int>(Action::Exposer));
  exposerCurrentOnly_ = false;
  return true;
}

void ProgramTriggers::RestartHookThread() {
  StopHookThread();
  if (!mainForm_ || !shell_)
    return;
  hookThread_ = std::make_unique<THookThread>(mainForm_->Handle(), setup_.HotCornerSensibility + 1,
                                              shell_->ScreenHeight, shell_->ScreenWidth,
                                              shell_->DesktopListView, setup_);
  hookThread_->SetEffectRunning(EffectRunning());
}

void ProgramTriggers::EffectRunningChanged(bool running) {
  if (hookThread_)
    hookThread_->SetEffectRunning(running);
}

void ProgramTriggers::StopHookThread() {
  if (hookThread_) {
    hookThread_->Stop();
    hookThread_.reset();
  }
}

void ProgramTriggers::UseZoneHeight(int height) {
  if (!hookThread_)
    return;
  hookThread_->SetZoneAreaHeight(height);
  hookThread_->ComputeZones();
}

int ProgramTriggers::CurrentDesktop() {
  return desktops_ ? desktops_->CurrentNumber() : 1;
}

void ProgramTriggers::SetCurrentDesktop(int desktop) {
  if (desktops_)
    desktops_->WindowManager().SetCurrentDesktop(desktops_->WindowManager().Desktop(desktop));
}

void ProgramTriggers::MoveWindowToDesktop(std::uint32_t window, int desktop) {
  if (!desktops_)
    return;
  // Window handles travel as 32 bits; Windows widens them with their sign.
  const auto handle =
      static_cast<WindowHandle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window)));
  desktops_->WindowManager().MoveWindowToDesktop(handle,
                                                 desktops_->WindowManager().Desktop(desktop));
}

bool ProgramTriggers::DraggedWindowExists() {
  return desktops_ && desktops_->WindowManager().DraggedWindow() != nullptr;
}

bool ProgramTriggers::RequestAccess(int target, int current) {
  if (!desktops_)
    return true;
  TDesktop *desktop = desktops_->WindowManager().Desktop(target);
  return desktop && desktop->RequestAccess(current);
}

void ProgramTriggers::UpdateThumbnailAndTaskbar() {
  if (!desktops_)
    return;
  const int current = desktops_->CurrentNumber();
  desktops_->Pictures().UpdateThumbnail(current);
  desktops_->Pictures().CaptureTaskbar(*desktops_->WindowManager().Desktop(current));
}

void ProgramTriggers::UpdateDesktopTrayIcons() {
  if (mainForm_)
    mainForm_->UpdateDesktopTrayIcons();
}

void ProgramTriggers::ShowOsd(const std::string &text) {
  if (OSD)
    OSD->ShowText(text);
}

void ProgramTriggers::HideOsd() {
  if (OSD)
    OSD->HideNow();
}

void ProgramTriggers::CloseTrayPreview() {
  if (mainForm_)
    mainForm_->CloseDesktopPreview();
}

bool ProgramTriggers::DeviceCooperating() {
  const TRendererForm *host = effects_ ? effects_->Host() : nullptr;
  return !host || host->Cooperating();
}

bool ProgramTriggers::EffectRunning() {
  const TRendererForm *host = effects_ ? effects_->Host() : nullptr;
  return host && host->HasRenderer();
}

bool ProgramTriggers::MakeDeviceUsable() {
  TRendererForm *host = effects_ ? effects_->Host() : nullptr;
  return host && host->EnsureDevice();
}

bool ProgramTriggers::StartEffect(Action kind) {
  return effects_ && effects_->StartEffect(kind);
}

void ProgramTriggers::PassToRenderer(std::uint32_t code) {
  TRendererForm *host = effects_ ? effects_->Host() : nullptr;
  if (host && host->Renderer())
    host->Renderer()->HandleTrigger(code);
}

bool ProgramTriggers::ExposerOpen() {
  return exposer_ && exposer_->IsOpen();
}

void ProgramTriggers::OpenExposer() {
  const auto requestedAt = std::chrono::steady_clock::now();
  if (!desktops_ || !shell_) {
    manager_.SetEffectReady(); // nothing opens that could set it again
    return;
  }
  TWindowManager &windows = desktops_->WindowManager();
  exposer_.reset();
  ExposerContext context{setup_, windows, desktops_->Pictures().Painting()};
  context.ScreenWidth = shell_->ScreenWidth;
  context.ScreenHeight = shell_->ScreenHeight;
  context.ShellDesktop = shell_->DesktopWindow;
  context.RequestedAt = requestedAt;
  // The desktop as it looks now, for the picture it leaves behind should the
  // overview switch desktops, and for the overview's background.
  context.TakeScreenPicture = [this, &windows] {
    UpdateThumbnailAndTaskbar();
    return desktops_->Pictures().Thumbnail(windows.CurrentDesktop()->Number());
  };
  context.Activate = [this](HWND window) { ActivatePickedWindow(window); };
  context.Closed = [this] { manager_.SetEffectReady(); };
  context.Log = [this](const std::string &line) { log_.Add(line); };
  exposer_ = std::make_unique<TExpose>(std::move(context));
  exposer_->Open(*windows.CurrentDesktop(), setup_.ExposerShowAll && !exposerCurrentOnly_);
  if (!exposer_->IsOpen())
    manager_.SetEffectReady();
}

void ProgramTriggers::CloseExposer() {
  if (exposer_)
    exposer_->RequestClose();
}

void ProgramTriggers::ActivatePickedWindow(HWND window) {
  if (!desktops_)
    return;
  TWindowManager &windows = desktops_->WindowManager();
  const auto handle = reinterpret_cast<WindowHandle>(window);
  const TManagedWindow *record = windows.FindWindow(handle, false);
  TDesktop *current = windows.CurrentDesktop();
  if (record && record->Desktop && record->Desktop != current) {
    // Another desktop: a private one asks first, as for any switch. The
    // picture the current desktop leaves behind was taken when the overview
    // opened, before it covered the screen.
    if (!record->Desktop->RequestAccess(current ? current->Number() : 1))
      return;
  }
  windows.ActivateWindow(handle);
  // The foreground alone does not always raise a window of another program
  // (Wine raises it in that program's own time, if at all): raised here too.
  if (!IsIconic(window))
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  UpdateDesktopTrayIcons();
}

std::uint32_t ProgramTriggers::TakePendingEvent() {
  return hookThread_ ? hookThread_->TakePendingEvent() : 0;
}

} // namespace qv
