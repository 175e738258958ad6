#include "triggers/key_combination.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using qv::ModifierKeys;

constexpr ModifierKeys kNone{};
constexpr ModifierKeys kCtrl{true, false, false};
constexpr ModifierKeys kCtrlShift{true, true, false};
constexpr ModifierKeys kCtrlAlt{true, false, true};
constexpr ModifierKeys kAll{true, true, true};

// The events of a sequence of samples, with the effects fixed.
std::vector<std::uint32_t> Events(const std::vector<ModifierKeys> &samples,
                                  const std::array<int, 3> &effects) {
  qv::KeyCombinationWatcher watcher;
  std::vector<std::uint32_t> events;
  for (const ModifierKeys &keys : samples)
    if (const std::uint32_t event = watcher.Update(keys, effects); event != 0)
      events.push_back(event);
  return events;
}

TEST(KeyCombinationTest, CtrlThenShiftThenReleaseGivesOnePressAndOneRelease) {
  EXPECT_EQ(Events({kCtrl, kCtrlShift, kCtrlShift, kCtrl, kNone}, {1, 0, 0}),
            (std::vector<std::uint32_t>{30, 31}));
  EXPECT_EQ(Events({kCtrlShift, kNone}, {4, 0, 0}), (std::vector<std::uint32_t>{60, 61}));
}

TEST(KeyCombinationTest, AddingAltIsSilentAndTheReleaseUsesTheLastCombination) {
  EXPECT_EQ(Events({kCtrlShift, kAll, kNone}, {1, 0, 5}), (std::vector<std::uint32_t>{30, 71}));
}

TEST(KeyCombinationTest, AnEffectOfZeroGivesNoEvents) {
  EXPECT_TRUE(Events({kCtrlAlt, kNone}, {1, 0, 3}).empty());
  // Releasing combination 3 after entering through combination 1 reports nothing when
  // combination 3 has no effect.
  EXPECT_EQ(Events({kCtrlShift, kAll, kNone}, {2, 0, 0}), (std::vector<std::uint32_t>{40}));
}

TEST(KeyCombinationTest, EffectsAreReadAtEachSample) {
  qv::KeyCombinationWatcher watcher;
  EXPECT_EQ(watcher.Update(kCtrlShift, {1, 0, 0}), 30u);
  EXPECT_EQ(watcher.Update(kNone, {3, 0, 0}), 51u);
}

TEST(MiddleClickTest, PressAndReleaseOverTheDesktopIconsReportsTheWheelEffect) {
  qv::MiddleClickWatcher watcher;
  EXPECT_EQ(watcher.Update(true, true, 2), 0u);
  EXPECT_EQ(watcher.Update(true, true, 2), 0u);
  EXPECT_EQ(watcher.Update(false, true, 2), 40u);
  EXPECT_EQ(watcher.Update(false, true, 2), 0u); // once per click
}

TEST(MiddleClickTest, APressThatStartsElsewhereReportsNothing) {
  qv::MiddleClickWatcher watcher;
  EXPECT_EQ(watcher.Update(true, false, 1), 0u);
  EXPECT_EQ(watcher.Update(false, true, 1), 0u);
}

TEST(MiddleClickTest, AReleaseAwayFromTheIconsReportsNothing) {
  qv::MiddleClickWatcher watcher;
  EXPECT_EQ(watcher.Update(true, true, 1), 0u);
  EXPECT_EQ(watcher.Update(false, false, 1), 0u);
  EXPECT_EQ(watcher.Update(false, true, 1), 0u);
}

TEST(MiddleClickTest, NothingIsWatchedWhileTheEffectIsZero) {
  qv::MiddleClickWatcher watcher;
  EXPECT_EQ(watcher.Update(true, true, 0), 0u);
  EXPECT_EQ(watcher.Update(false, true, 0), 0u);
  EXPECT_EQ(watcher.Update(false, true, 5), 0u);
}

} // namespace
