#pragma once
#include "shell/setup.h"
#include "shell/setup_enums.h"
#include "triggers/trigger_targets.h"

#include <array>
#include <cstdint>
#include <string>

namespace qv {

class TLog;

// The thirteen commands that have both a hotkey and a gesture, in the order of their
// hotkey identifiers: desktops 1 to 6, next, previous, cube, explorer, exposer, flip,
// carousel.
struct TriggerCommand {
  Action action;
  TShortCut TSetup::*hotKey;
  std::string TSetup::*gesture;
};
inline constexpr int kTriggerCommandCount = 13;
extern const std::array<TriggerCommand, kTriggerCommandCount> kTriggerCommands;

// Turns hotkeys, hot zones, special keys, middle clicks, gestures, window-move requests
// and tray commands into actions and carries them out. Runs on the main thread only.
class TTriggerManager {
public:
  // Prepares the hook library's record for installation. All three flags start clear.
  TTriggerManager(TriggerTargets &targets, const TSetup &setup, TLog &log);

  bool Enabled() const { return enabled_; }
  bool EffectReady() const { return effectReady_; }
  bool SwitchingAllowed() const { return switchingAllowed_; }

  // Notifications are handled only while enabled. Enabling also tells the hook library
  // where to post; disabling leaves that, so its notifications arrive and are ignored.
  void Enable(std::uint32_t notifyWindow);
  void Disable() { enabled_ = false; }
  void AllowSwitching() { switchingAllowed_ = true; }
  void ForbidSwitching() { switchingAllowed_ = false; }
  // Set when no effect or exposer runs or is being prepared.
  void SetEffectReady() { effectReady_ = true; }
  void ClearEffectReady() { effectReady_ = false; }

  // The identifiers the hotkeys are registered with, in the order of kTriggerCommands.
  void SetHotKeyAtoms(const std::array<std::uint32_t, kTriggerCommandCount> &atoms) {
    hotKeyAtoms_ = atoms;
  }

  // A WM_HOTKEY identifier.
  void HandleHotKey(std::uint32_t identifier);
  // The trigger notification: the move request it carries (wParam 21 to 26,
  // the window in lParam; 0 for none), the library's event, then the hook thread's.
  void HandleNotification(std::uint32_t request = 0, std::uint32_t window = 0);
  // Performs an action (0 to 13; anything else does nothing). The password screen keeps
  // messages flowing while it waits; an action requested meanwhile is dropped, so that
  // actions never run inside one another.
  void Dispatch(int action);

  // A switch requested while another waits for the password is dropped too.
  void SwitchToDesktop(int desktop, bool showOsd, bool force);
  void StartEffect(Action kind);
  void ToggleExposer();

private:
  void HandleLibraryEvent(std::uint32_t code, const THookSharedData &data);
  void HandleHookThreadEvent(std::uint32_t event);
  void HandleZone(int zone);

  TriggerTargets &targets_;
  const TSetup &setup_;
  TLog &log_;
  bool enabled_ = false;
  bool effectReady_ = false;
  bool switchingAllowed_ = false;
  bool dispatching_ = false;
  bool switching_ = false;
  std::array<std::uint32_t, kTriggerCommandCount> hotKeyAtoms_{};
};

} // namespace qv
