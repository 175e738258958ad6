// What the hook thread makes of raw input: held modifier combinations, middle clicks
// over the desktop and mouse gestures.
#include "triggers/key_combination.h"

#include "triggers/gesture_recognizer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
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

using Path = std::vector<std::pair<int, int>>;

// Begins at the path's first point and moves along it in small steps, as a mouse reports it.
void Drag(qv::GestureRecognizer &gesture, const Path &path) {
  gesture.Begin(path[0].first, path[0].second);
  for (std::size_t k = 1; k < path.size(); ++k) {
    const auto [fromX, fromY] = path[k - 1];
    const auto [x, y] = path[k];
    for (int i = 1; i <= 20; ++i)
      gesture.Move(fromX + (x - fromX) * i / 20, fromY + (y - fromY) * i / 20);
  }
}

TEST(GestureRecognizer, EachStrokeGivesOneLetterJitterNoneAndTheTextStopsAtTheCapacity) {
  const struct {
    Path path;
    const char *letters;
  } cases[] = {
      {{{500, 500}, {500, 800}}, "D"},
      {{{500, 500}, {500, 200}}, "U"},
      {{{500, 500}, {800, 500}}, "R"},
      {{{500, 500}, {200, 500}}, "L"},
      {{{500, 500}, {529, 520}, {471, 475}, {529, 520}, {471, 475}, {500, 529}}, ""},
      // A wobbly hand: mostly down drifting right, then mostly left drifting down.
      {{{600, 300}, {615, 420}, {590, 520}, {450, 535}, {330, 528}}, "DL"},
      {{{100, 100}, {300, 100}, {300, 300}, {500, 300}}, "RDR"}, // repeated after a turn
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.letters);
    qv::GestureRecognizer gesture(30);
    Drag(gesture, c.path);
    EXPECT_EQ(gesture.Letters(), c.letters);
    EXPECT_TRUE(gesture.Active());
    EXPECT_EQ(gesture.End(), c.letters);
    EXPECT_FALSE(gesture.Active());
    gesture.Move(900, 900); // not tracking: ignored
    EXPECT_EQ(gesture.Letters(), "");
  }

  Path staircase = {{0, 0}};
  for (int i = 0; i < 400; ++i)
    staircase.emplace_back(staircase.back().first + (i % 2 ? 0 : 20),
                           staircase.back().second + (i % 2 ? 20 : 0));
  qv::GestureRecognizer gesture(10);
  Drag(gesture, staircase);
  EXPECT_EQ(gesture.End().size(), qv::GestureRecognizer::kMaxLetters);
}

} // namespace
