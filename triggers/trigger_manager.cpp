#include "triggers/trigger_manager.h"

#include "shell/log.h"
#include "triggers/hot_zones.h"

namespace qv {

const std::array<TriggerCommand, kTriggerCommandCount> kTriggerCommands = {{
    {Action::Desktop1, &TSetup::Desktop1HotKey, &TSetup::Desktop1Gesture},
    {Action::Desktop2, &TSetup::Desktop2HotKey, &TSetup::Desktop2Gesture},
    {Action::Desktop3, &TSetup::Desktop3HotKey, &TSetup::Desktop3Gesture},
    {Action::Desktop4, &TSetup::Desktop4HotKey, &TSetup::Desktop4Gesture},
    {Action::Desktop5, &TSetup::Desktop5HotKey, &TSetup::Desktop5Gesture},
    {Action::Desktop6, &TSetup::Desktop6HotKey, &TSetup::Desktop6Gesture},
    {Action::NextDesktop, &TSetup::NextDesktopHotKey, &TSetup::NextDesktopGesture},
    {Action::PrevDesktop, &TSetup::PrevDesktopHotKey, &TSetup::PrevDesktopGesture},
    {Action::Cube, &TSetup::CubeHotKey, &TSetup::CubeGesture},
    {Action::Explorer, &TSetup::ExplorerHotKey, &TSetup::ExplorerGesture},
    {Action::Exposer, &TSetup::ExposerHotKey, &TSetup::ExposerGesture},
    {Action::Flip, &TSetup::FlipHotKey, &TSetup::FlipGesture},
    {Action::Carousel, &TSetup::CarouselHotKey, &TSetup::CarouselGesture},
}};

namespace {

constexpr std::uint32_t kChooseCode = 31; // tells a running effect to end on the front desktop

// The press code's effect (30 → 1 ... 70 → 5), 0 for other codes.
int PressedEffect(std::uint32_t event) {
  return event >= 30 && event <= 70 && event % 10 == 0 ? static_cast<int>(event / 10 - 2) : 0;
}

// Holds a flag set for as long as it lives.
class FlagHolder {
public:
  explicit FlagHolder(bool &flag) : flag_(flag) { flag_ = true; }
  ~FlagHolder() { flag_ = false; }
  FlagHolder(const FlagHolder &) = delete;
  FlagHolder &operator=(const FlagHolder &) = delete;

private:
  bool &flag_;
};

bool IsEffectRelease(std::uint32_t event) {
  // The exposer's release (41) is not passed on: the exposer stays open.
  return event == 31 || event == 51 || event == 61 || event == 71;
}

} // namespace

TTriggerManager::TTriggerManager(TriggerTargets &targets, const TSetup &setup, TLog &log)
    : targets_(targets), setup_(setup), log_(log) {
  PrepareHookSharedData(targets_.SharedData());
}

void TTriggerManager::Enable(std::uint32_t notifyWindow) {
  enabled_ = true;
  THookSharedData &data = targets_.SharedData();
  // The library follows the right button only while gestures are wanted, so that
  // right clicks are left alone otherwise.
  data.LibraryFlagA = setup_.GeneralEnableGestures ? 1 : 0;
  data.NotifyWindow = notifyWindow;
}

void TTriggerManager::HandleHotKey(std::uint32_t identifier) {
  log_.Add(std::to_string(identifier));
  for (int i = 0; i < kTriggerCommandCount; ++i)
    if (hotKeyAtoms_[i] == identifier) {
      Dispatch(static_cast<int>(kTriggerCommands[i].action));
      return;
    }
}

void TTriggerManager::HandleNotification(std::uint32_t request, std::uint32_t window) {
  if (!enabled_)
    return; // the library's event stays pending
  if (request >= kLibraryMoveToDesktop1 && request <= kLibraryMoveToDesktop6) {
    const int desktop = static_cast<int>(request - kLibraryMoveToDesktop1) + 1;
    log_.Add("Move window " + std::to_string(window) + " to desktop " + std::to_string(desktop));
    targets_.MoveWindowToDesktop(window, desktop);
  }
  THookSharedData &data = targets_.SharedData();
  HandleLibraryEvent(TakeLibraryEvent(data), data);
  HandleHookThreadEvent(targets_.TakePendingEvent());
}

void TTriggerManager::HandleLibraryEvent(std::uint32_t code, const THookSharedData &data) {
  // Gestures are ignored while they are switched off in the settings; the library may
  // still report them.
  if (code == kLibraryGesture && setup_.GeneralEnableGestures) {
    const std::string gesture = GestureTextOf(data);
    for (const TriggerCommand &command : kTriggerCommands)
      if (setup_.*command.gesture == gesture)
        Dispatch(static_cast<int>(command.action));
  }
}

void TTriggerManager::HandleHookThreadEvent(std::uint32_t event) {
  if (event >= 1 && event <= 8) {
    // Hot zones switched off in the settings: the thread still reports entries (it
    // watches the special keys too) and they are dropped here.
    if (setup_.GeneralEnableHotZones)
      HandleZone(static_cast<int>(event));
  } else if (const int effect = PressedEffect(event); effect != 0) {
    if (!targets_.EffectRunning())
      Dispatch(static_cast<int>(EffectAction(static_cast<Effect>(effect))));
  } else if (IsEffectRelease(event)) {
    if (targets_.EffectRunning())
      targets_.PassToRenderer(kChooseCode);
  }
}

void TTriggerManager::HandleZone(int zone) {
  if (targets_.EffectRunning()) {
    // Edges steer the running effect; corners mean nothing to it.
    if (IsEdgeZone(zone))
      targets_.PassToRenderer(static_cast<std::uint32_t>(zone));
    return;
  }
  // Carrying a window into an edge brings up the cube to drop it on another desktop.
  if (IsEdgeZone(zone) && targets_.DraggedWindowExists())
    Dispatch(static_cast<int>(Action::Cube));
  else
    Dispatch(setup_.HotCornerAction(zone));
}

void TTriggerManager::Dispatch(int action) {
  if (dispatching_) {
    log_.Add("Trigger event during another action ignored.");
    return;
  }
  const FlagHolder dispatching(dispatching_);
  if (!targets_.DeviceCooperating()) {
    log_.Add("Trigger event with device not cooperating.");
    return;
  }
  targets_.HideOsd();
  targets_.CloseTrayPreview();
  if (action >= 1 && action <= kDesktopCount) {
    SwitchToDesktop(action, true, false);
    return;
  }
  switch (static_cast<Action>(action)) {
  case Action::NextDesktop:
    SwitchToDesktop(targets_.CurrentDesktop() % kDesktopCount + 1, true, false);
    break;
  case Action::PrevDesktop:
    SwitchToDesktop((targets_.CurrentDesktop() + kDesktopCount - 2) % kDesktopCount + 1, true,
                    false);
    break;
  case Action::Cube:
  case Action::Explorer:
  case Action::Flip:
  case Action::Carousel:
    StartEffect(static_cast<Action>(action));
    break;
  case Action::Exposer:
    ToggleExposer();
    break;
  default:
    break;
  }
}

void TTriggerManager::SwitchToDesktop(int desktop, bool showOsd, bool force) {
  if (switching_ || (!switchingAllowed_ && !force))
    return;
  const FlagHolder switching(switching_);
  const int current = targets_.CurrentDesktop();
  if (desktop == current)
    return;
  if (!targets_.RequestAccess(desktop, current))
    return;
  // The program may have begun to shut down while the password was asked for.
  if (!switchingAllowed_ && !force)
    return;
  targets_.UpdateThumbnailAndTaskbar(); // the desktop leaves a fresh picture behind
  targets_.SetCurrentDesktop(desktop);
  // Shown once the windows have moved: painting it first would hold them up.
  if (showOsd)
    targets_.ShowOsd("Switched to desktop " + std::to_string(desktop));
  targets_.UpdateDesktopTrayIcons();
}

void TTriggerManager::StartEffect(Action kind) {
  if (targets_.EffectRunning() || !effectReady_)
    return;
  if (!targets_.MakeDeviceUsable())
    return;
  ClearEffectReady(); // set again by the render host when the effect ends
  if (!targets_.StartEffect(kind))
    SetEffectReady(); // nothing runs that could set it again
}

void TTriggerManager::ToggleExposer() {
  if (targets_.ExposerOpen()) {
    targets_.CloseExposer();
    return;
  }
  if (!effectReady_)
    return;
  ClearEffectReady(); // set again by the exposer when it closes
  targets_.OpenExposer();
}

} // namespace qv
