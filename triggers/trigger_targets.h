#pragma once
// Everything the trigger manager acts on or asks about outside itself: the window
// manager, the desktops, the on-screen display, the render host, the exposer, the tray,
// the hook library's shared record and the hook thread. The program wires these to the
// real objects; tests use a fake.
#include "shell/setup_enums.h"
#include "triggers/hook_shared_data.h"

#include <cstdint>
#include <string>

namespace qv {

class TriggerTargets {
public:
  virtual ~TriggerTargets() = default;

  // Desktops and the window manager (desktop numbers 1 to 6).
  virtual int CurrentDesktop() = 0;
  virtual void SetCurrentDesktop(int desktop) = 0;
  virtual void MoveWindowToDesktop(std::uint32_t window, int desktop) = 0;
  // Whether the user is dragging a managed window by its title bar.
  virtual bool DraggedWindowExists() = 0;
  // The privacy check of the target desktop (may ask for the password); true lets the
  // switch go on.
  virtual bool RequestAccess(int target, int current) = 0;
  // Refreshes the current desktop's picture and then its taskbar snapshot.
  virtual void UpdateThumbnailAndTaskbar() = 0;
  virtual void UpdateDesktopTrayIcons() = 0;

  // On-screen display and tray live preview.
  virtual void ShowOsd(const std::string &text) = 0;
  virtual void HideOsd() = 0;
  virtual void CloseTrayPreview() = 0;

  // Render host. With no host the device counts as cooperating.
  virtual bool DeviceCooperating() = 0;
  // Whether the host has a renderer, i.e. a 3D effect is running.
  virtual bool EffectRunning() = 0;
  // Tests the device's cooperative level and resets it when needed; false when unusable.
  virtual bool MakeDeviceUsable() = 0;
  // Prepares and starts the effect of the action (cube, explorer, flip or carousel);
  // false when no effect was started.
  virtual bool StartEffect(Action kind) = 0;
  // Hands a zone number or the choose code 31 to the running effect.
  virtual void PassToRenderer(std::uint32_t code) = 0;

  // Exposer.
  virtual bool ExposerOpen() = 0;
  virtual void OpenExposer() = 0;
  virtual void CloseExposer() = 0; // asks the open exposer to close

  // The hook library's record and the hook thread's pending event.
  virtual THookSharedData &SharedData() = 0;
  // Reads the pending event and leaves 0 in its place in one step; 0 with no hook thread.
  virtual std::uint32_t TakePendingEvent() = 0;
};

} // namespace qv
