#include "triggers/trigger_manager.h"

#include "shell/log.h"

#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// Records every call as a line of text and answers from its fields.
class FakeTargets : public qv::TriggerTargets {
public:
  int CurrentDesktop() override { return current; }
  void SetCurrentDesktop(int desktop) override {
    calls.push_back("switch " + std::to_string(desktop));
    current = desktop;
  }
  void MoveWindowToDesktop(std::uint32_t window, int desktop) override {
    calls.push_back("move " + std::to_string(window) + " " + std::to_string(desktop));
  }
  bool DraggedWindowExists() override { return dragging; }
  bool RequestAccess(int target, int from) override {
    calls.push_back("access " + std::to_string(target) + " from " + std::to_string(from));
    if (whileAsking)
      std::exchange(whileAsking, nullptr)();
    return accessGranted;
  }
  void UpdateThumbnailAndTaskbar() override { calls.push_back("capture"); }
  void UpdateDesktopTrayIcons() override { calls.push_back("tray icons"); }
  void ShowOsd(const std::string &text) override { calls.push_back("osd " + text); }
  void HideOsd() override { calls.push_back("hide osd"); }
  void CloseTrayPreview() override { calls.push_back("close preview"); }
  bool DeviceCooperating() override { return cooperating; }
  bool EffectRunning() override { return effectRunning; }
  bool MakeDeviceUsable() override { return deviceUsable; }
  bool StartEffect(qv::Action kind) override {
    calls.push_back("effect " + std::to_string(static_cast<int>(kind)));
    return effectStarts;
  }
  void PassToRenderer(std::uint32_t code) override {
    calls.push_back("renderer " + std::to_string(code));
  }
  bool ExposerOpen() override { return exposerOpen; }
  void OpenExposer() override { calls.push_back("open exposer"); }
  void CloseExposer() override { calls.push_back("close exposer"); }
  qv::THookSharedData &SharedData() override { return shared; }
  std::uint32_t TakePendingEvent() override { return std::exchange(pending, 0u); }

  // The calls other than the ones every dispatch makes.
  std::vector<std::string> Effects() const {
    std::vector<std::string> result;
    for (const std::string &call : calls)
      if (call != "hide osd" && call != "close preview")
        result.push_back(call);
    return result;
  }

  int current = 1;
  bool dragging = false, effectRunning = false, exposerOpen = false;
  bool accessGranted = true, cooperating = true, effectStarts = true, deviceUsable = true;
  qv::THookSharedData shared{};
  std::uint32_t pending = 0;
  std::vector<std::string> calls;
  // Runs once inside the next RequestAccess, as messages do while the password screen waits.
  std::function<void()> whileAsking;
};

using Calls = std::vector<std::string>;

class TriggerManagerTest : public testing::Test {
protected:
  TriggerManagerTest() {
    manager.Enable(0x1234);
    manager.SetEffectReady();
    manager.AllowSwitching();
    std::array<std::uint32_t, qv::kTriggerCommandCount> atoms{};
    for (std::size_t i = 0; i < atoms.size(); ++i)
      atoms[i] = 0xC000 + static_cast<std::uint32_t>(i);
    manager.SetHotKeyAtoms(atoms);
  }

  void Notify(std::uint32_t pendingEvent, std::uint32_t libraryEvent = 0) {
    targets.pending = pendingEvent;
    targets.shared.EventCode = libraryEvent;
    manager.HandleNotification();
  }
  void Gesture(const char *text) {
    std::strcpy(targets.shared.GestureText, text);
    Notify(0, qv::kLibraryGesture);
  }

  qv::test::MemorySettingsStore store;
  qv::TSetup setup{store};
  qv::TLog log;
  FakeTargets targets;
  qv::TTriggerManager manager{targets, setup, log};
};

// (Whether the library follows the right button is the gestures' end-to-end case.)
TEST_F(TriggerManagerTest, TheLibraryRecordIsPreparedLeavingTheLibrarysOwnBytes) {
  FakeTargets fresh;
  std::memset(&fresh.shared, 0xAB, sizeof fresh.shared);
  qv::TTriggerManager created(fresh, setup, log);
  EXPECT_EQ(+fresh.shared.NotifyWindow, 0u);
  EXPECT_EQ(fresh.shared.LibraryReservedA[0], 0xAB);
}

TEST_F(TriggerManagerTest, ASwitchCapturesShowsTheOsdSwitchesAndUpdatesTheTrayUnlessRefused) {
  manager.Dispatch(3);
  EXPECT_EQ(targets.calls, (Calls{"hide osd", "close preview", "access 3 from 1", "capture",
                                  "switch 3", "osd Switched to desktop 3", "tray icons"}));
  targets.current = 6; // next and previous wrap around
  for (const auto &[action, expected] : {std::pair{7, 1}, {8, 6}, {8, 5}}) {
    manager.Dispatch(action);
    EXPECT_EQ(targets.current, expected);
  }

  targets.calls.clear();
  manager.Dispatch(5);
  EXPECT_EQ(targets.Effects(), Calls{}) << "already current: no OSD, no capture";
  targets.accessGranted = false;
  manager.Dispatch(4);
  EXPECT_EQ(targets.Effects(), (Calls{"access 4 from 5"}));
  targets.accessGranted = true;
  targets.calls.clear();
  manager.ForbidSwitching();
  manager.Dispatch(4);
  EXPECT_EQ(targets.Effects(), Calls{});
  manager.SwitchToDesktop(4, false, true);
  EXPECT_EQ(targets.Effects(), (Calls{"access 4 from 5", "capture", "switch 4", "tray icons"}));
}

TEST_F(TriggerManagerTest, RequestsArrivingWhileThePasswordIsAskedForAreDropped) {
  targets.whileAsking = [&] {
    manager.HandleHotKey(0xC000 + 1); // desktop 2
    manager.HandleHotKey(0xC000 + 8); // cube
    manager.Dispatch(10);             // exposer
    manager.SwitchToDesktop(4, true, true);
  };
  manager.Dispatch(5);
  EXPECT_EQ(targets.Effects(), (Calls{"access 5 from 1", "capture", "switch 5",
                                      "osd Switched to desktop 5", "tray icons"}));
  EXPECT_TRUE(manager.EffectReady());

  manager.Dispatch(2); // and the next request after it is served again
  EXPECT_EQ(targets.current, 2);

  targets.calls.clear();
  targets.whileAsking = [&] { manager.ForbidSwitching(); };
  manager.Dispatch(5);
  EXPECT_EQ(targets.Effects(), (Calls{"access 5 from 2"}));
  EXPECT_EQ(targets.current, 2) << "a shutdown beginning meanwhile cancels the switch";
}

TEST_F(TriggerManagerTest, EffectsAndTheExposer) {
  manager.Dispatch(12);
  EXPECT_EQ(targets.Effects(), (Calls{"effect 12"}));
  EXPECT_FALSE(manager.EffectReady());
  manager.Dispatch(9);
  EXPECT_EQ(targets.Effects(), (Calls{"effect 12"})) << "not ready until the effect ends";

  manager.SetEffectReady();
  targets.deviceUsable = false;
  manager.Dispatch(13);
  EXPECT_TRUE(manager.EffectReady());

  targets.deviceUsable = true;
  targets.effectStarts = false;
  manager.Dispatch(9);
  EXPECT_TRUE(manager.EffectReady()) << "an effect that did not start leaves effects ready";

  targets.calls.clear();
  manager.Dispatch(10);
  EXPECT_FALSE(manager.EffectReady());
  targets.exposerOpen = true;
  manager.Dispatch(10);
  manager.Dispatch(0);
  manager.Dispatch(14);
  EXPECT_EQ(targets.Effects(), (Calls{"open exposer", "close exposer"}));
}

TEST_F(TriggerManagerTest, HotKeysAndZonesRunTheirActionsAndAnEdgeCarriesAWindowInTheCube) {
  manager.HandleHotKey(0xC000 + 1);  // desktop 2
  manager.HandleHotKey(0xC000 + 99); // nobody's
  manager.HandleHotKey(0xC000 + 9);  // explorer
  setup.HotCornerAction(3) = static_cast<int>(qv::Action::Flip);
  manager.SetEffectReady();
  Notify(3);
  Notify(4); // an edge of no action
  manager.SetEffectReady();
  targets.dragging = true;
  Notify(8);
  manager.SetEffectReady();
  Notify(7); // a corner keeps its own action
  EXPECT_EQ(targets.Effects(),
            (Calls{"access 2 from 1", "capture", "switch 2", "osd Switched to desktop 2",
                   "tray icons", "effect 11", "effect 12", "effect 9"}));

  // During an effect edges go to the renderer and corners do nothing.
  targets.calls.clear();
  targets.effectRunning = true;
  for (std::uint32_t zone = 1; zone <= 8; ++zone)
    Notify(zone);
  EXPECT_EQ(targets.calls, (Calls{"renderer 2", "renderer 4", "renderer 6", "renderer 8"}));
}

TEST_F(TriggerManagerTest, SpecialKeysStartAnEffectAndTheReleaseChoosesTheDesktop) {
  Notify(30);
  EXPECT_EQ(targets.Effects(), (Calls{"effect 9"}));
  targets.effectRunning = true;
  Notify(30); // a press during an effect is ignored
  Notify(31);
  EXPECT_EQ(targets.Effects(), (Calls{"effect 9", "renderer 31"}));

  // The exposer stays open after its special key is released.
  targets.calls.clear();
  targets.effectRunning = false;
  manager.SetEffectReady();
  Notify(40);
  targets.exposerOpen = true;
  targets.effectRunning = true;
  Notify(41);
  targets.effectRunning = false;
  Notify(31); // a release with no effect running is ignored
  EXPECT_EQ(targets.Effects(), (Calls{"open exposer"}));
}

TEST_F(TriggerManagerTest, GesturesRunEveryMatchingSettingInOrderAndEachMoveActsOnItsOwnWindow) {
  setup.CubeGesture = "D";
  setup.Desktop2Gesture = "D";
  Gesture("D");
  EXPECT_EQ(targets.Effects(), (Calls{"access 2 from 1", "capture", "switch 2",
                                      "osd Switched to desktop 2", "tray icons", "effect 9"}));
  EXPECT_EQ(+targets.shared.EventCode, 0u);

  targets.calls.clear();
  Gesture("d"); // case matters
  setup.GeneralEnableGestures = false;
  Gesture("D");
  EXPECT_EQ(targets.calls, Calls{});

  // Before the first was handled, a shared record would have held only the last.
  manager.HandleNotification(26, 0xFFFFFFF0u);
  manager.HandleNotification(22, 0x1234u);
  EXPECT_EQ(targets.calls, (Calls{"move 4294967280 6", "move 4660 2"}));

  targets.calls.clear();
  for (std::uint32_t code : {1u, 9u, 11u, 20u, 26u, 27u, 1000u}) {
    Notify(0, code);
    EXPECT_EQ(+targets.shared.EventCode, 0u) << code;
  }
  EXPECT_EQ(targets.calls, Calls{}) << "codes in the record other than a gesture do nothing";
}

TEST_F(TriggerManagerTest, NothingHappensWhileDisabledOrTheDeviceIsLostAndZonesWhileOff) {
  targets.cooperating = false;
  manager.Dispatch(9);
  manager.Dispatch(2);
  EXPECT_EQ(targets.calls, Calls{});
  targets.cooperating = true;

  manager.Disable();
  Notify(5, 23);
  EXPECT_EQ(+targets.shared.EventCode, 23u);
  EXPECT_EQ(targets.pending, 5u);
  EXPECT_EQ(targets.calls, Calls{});

  manager.Enable(0x1234);
  setup.GeneralEnableHotZones = false;
  Notify(1);
  Notify(5);
  EXPECT_EQ(targets.calls, Calls{});
  EXPECT_EQ(targets.pending, 0u);
}

} // namespace
