#include "shell/entry/program_triggers_win32.h"

#include "overlays/osd_win32.h"
#include "shell/entry/program_desktops_win32.h"
#include "shell/entry/program_effects_win32.h"
#include "shell/main_form_win32.h"
#include "shell/setup.h"
#include "triggers/desktop_properties_win32.h"

namespace qv {

ProgramTriggers::ProgramTriggers(const TSetup &setup, TLog &log)
    : setup_(setup), hookLibrary_(THookLibrary::DefaultPath()),
      ownSharedData_(hookLibrary_.Loaded() ? nullptr : std::make_unique<THookSharedData>()),
      sharedData_(hookLibrary_.Loaded() ? hookLibrary_.SharedData() : ownSharedData_.get()),
      manager_(*this, setup, log) {
  manager_.SetHotKeyAtoms(hotKeys_.Atoms());
  // The manager has prepared the record; now the library may use it.
  if (hookLibrary_.Loaded()) {
    hookLibrary_.InstallHook();
    if (!hookLibrary_.HelperRunning())
      log.Add("32-bit hook helper not running: \"Send to\" serves 64-bit programs only");
  } else
    log.Add("Hook library not found: no gestures and no \"Send to\" moves");
}

ProgramTriggers::~ProgramTriggers() {
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
  if (mainForm_)
    hotKeys_.RegisterHotKeys(mainForm_->Handle(), setup_);
}

void ProgramTriggers::RestartHookThread() {
  StopHookThread();
  if (!mainForm_ || !shell_)
    return;
  hookThread_ = std::make_unique<THookThread>(mainForm_->Handle(), setup_.HotCornerSensibility + 1,
                                              shell_->ScreenHeight, shell_->ScreenWidth,
                                              shell_->DesktopListView, setup_);
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

// No exposer yet.
bool ProgramTriggers::ExposerOpen() {
  return false;
}
void ProgramTriggers::OpenExposer() {}
void ProgramTriggers::CloseExposer() {}

std::uint32_t ProgramTriggers::TakePendingEvent() {
  return hookThread_ ? hookThread_->TakePendingEvent() : 0;
}

} // namespace qv
