#pragma once
// The triggers as the running program has them: the trigger manager with
// its hotkeys, the hook thread and the hook library's record, acting on the
// window manager, the desktops' privacy, the desktop pictures, the on-screen
// display, the main form's tray icons and the render host of the effects.
// The hook library is loaded from beside the executable; without it the
// manager works on a record of its own and hears of no gestures or
// "Send to" choices.
#include "overlays/exposer_win32.h"
#include "triggers/hook_library_win32.h"
#include "triggers/hook_shared_data.h"
#include "triggers/hook_thread_win32.h"
#include "triggers/hotkeys_win32.h"
#include "triggers/trigger_manager.h"
#include "triggers/trigger_targets.h"

#include <memory>

namespace qv {

class ProgramDesktops;
class ProgramEffects;
class TDesktopProperties;
class TSettings;

class ProgramTriggers : public TriggerTargets {
public:
  ProgramTriggers(const TSetup &setup, TLog &log);
  ~ProgramTriggers() override;

  // The parts the triggers act on, once they exist.
  void Connect(ProgramDesktops *desktops, TSettings *mainForm, const TDesktopProperties *shell);
  void ConnectEffects(ProgramEffects *effects) { effects_ = effects; }

  TTriggerManager &Manager() { return manager_; }
  // The hotkeys of the settings on the main form's window.
  void RegisterHotKeys();
  // The hotkey of the current desktop's exposer, which the trigger manager
  // does not know: runs it and answers true for its identifier.
  bool HandleOwnHotKey(unsigned identifier);
  // A new hook thread for the current screen and hot-zone settings.
  void RestartHookThread();
  // Tells the hook thread whether the screen's edges steer an effect now.
  void EffectRunningChanged(bool running);
  void StopHookThread();
  // Hot zones over the top `height` pixels of the screen (the work area while
  // an effect carries a window, the whole screen otherwise).
  void UseZoneHeight(int height);

  // TriggerTargets
  int CurrentDesktop() override;
  void SetCurrentDesktop(int desktop) override;
  void MoveWindowToDesktop(std::uint32_t window, int desktop) override;
  bool DraggedWindowExists() override;
  bool RequestAccess(int target, int current) override;
  void UpdateThumbnailAndTaskbar() override;
  void UpdateDesktopTrayIcons() override;
  void ShowOsd(const std::string &text) override;
  void HideOsd() override;
  void CloseTrayPreview() override;
  bool DeviceCooperating() override;
  bool EffectRunning() override;
  bool MakeDeviceUsable() override;
  bool StartEffect(Action kind) override;
  void PassToRenderer(std::uint32_t code) override;
  bool ExposerOpen() override;
  void OpenExposer() override;
  void CloseExposer() override;
  THookSharedData &SharedData() override { return *sharedData_; }
  std::uint32_t TakePendingEvent() override;

private:
  void ActivatePickedWindow(HWND window);

  const TSetup &setup_;
  TLog &log_;
  ProgramDesktops *desktops_ = nullptr;
  ProgramEffects *effects_ = nullptr;
  TSettings *mainForm_ = nullptr;
  const TDesktopProperties *shell_ = nullptr;
  THookLibrary hookLibrary_;
  // Without the hook library the record lives here, so that the manager's
  // handling of library events works the same either way.
  std::unique_ptr<THookSharedData> ownSharedData_;
  THookSharedData *sharedData_ = nullptr;
  THotKeys hotKeys_;
  std::unique_ptr<THookThread> hookThread_;
  TTriggerManager manager_;
  // The last overview, kept until the next one opens: it closes from inside
  // its own window's messages.
  std::unique_ptr<TExpose> exposer_;
  // The current desktop's exposer hotkey: its identifier, and set while its
  // request runs.
  std::uint32_t exposerCurrentAtom_ = 0;
  bool exposerCurrentOnly_ = false;
};

} // namespace qv
