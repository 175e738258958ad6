#include "triggers/key_combination.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using qv::ModifierKeys;
using Events = std::vector<std::uint32_t>;

constexpr ModifierKeys kNone{};
constexpr ModifierKeys kCtrl{true, false, false};
constexpr ModifierKeys kCtrlShift{true, true, false};
constexpr ModifierKeys kCtrlAlt{true, false, true};
constexpr ModifierKeys kAll{true, true, true};

TEST(KeyCombinationTest, EachCombinationReportsItsEffectsPressAndRelease) {
  struct Case {
    const char *what;
    std::vector<ModifierKeys> samples;
    std::array<int, 3> effects;
    Events events;
  };
  const Case cases[] = {
      {"ctrl, then shift, then release",
       {kCtrl, kCtrlShift, kCtrlShift, kCtrl, kNone},
       {1, 0, 0},
       {30, 31}},
      {"another effect", {kCtrlShift, kNone}, {4, 0, 0}, {60, 61}},
      {"adding alt is silent; the release is the last combination's",
       {kCtrlShift, kAll, kNone},
       {1, 0, 5},
       {30, 71}},
      {"an effect of zero", {kCtrlAlt, kNone}, {1, 0, 3}, {}},
      {"released through a combination of no effect", {kCtrlShift, kAll, kNone}, {2, 0, 0}, {40}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    qv::KeyCombinationWatcher watcher;
    Events events;
    for (const ModifierKeys &keys : c.samples)
      if (const std::uint32_t event = watcher.Update(keys, c.effects); event != 0)
        events.push_back(event);
    EXPECT_EQ(events, c.events);
  }
  // The effects are read at each sample.
  qv::KeyCombinationWatcher watcher;
  EXPECT_EQ(watcher.Update(kCtrlShift, {1, 0, 0}), 30u);
  EXPECT_EQ(watcher.Update(kNone, {3, 0, 0}), 51u);
}

TEST(MiddleClickTest, OnlyAClickOverTheDesktopIconsReportsTheWheelEffectOnce) {
  struct Sample {
    bool down, overIcons;
    int effect;
    std::uint32_t event;
  };
  const std::vector<std::vector<Sample>> clicks = {
      {{true, true, 2, 0}, {true, true, 2, 0}, {false, true, 2, 40}, {false, true, 2, 0}},
      {{true, false, 1, 0}, {false, true, 1, 0}},                      // pressed elsewhere
      {{true, true, 1, 0}, {false, false, 1, 0}, {false, true, 1, 0}}, // released elsewhere
      {{true, true, 0, 0}, {false, true, 0, 0}, {false, true, 5, 0}}}; // not watched at zero
  for (std::size_t click = 0; click < clicks.size(); ++click) {
    qv::MiddleClickWatcher watcher;
    for (std::size_t sample = 0; sample < clicks[click].size(); ++sample) {
      const Sample &s = clicks[click][sample];
      EXPECT_EQ(watcher.Update(s.down, s.overIcons, s.effect), s.event)
          << "click " << click << ", sample " << sample;
    }
  }
}

} // namespace
