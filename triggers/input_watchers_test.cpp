// What the hook thread makes of the cursor, the keys and the mouse: the screen's hot corners and
// edges and how often the cursor is looked at to find them, held modifier combinations, middle
// clicks over the desktop and mouse gestures.
#include "triggers/cursor_poll.h"
#include "triggers/gesture_recognizer.h"
#include "triggers/hot_zones.h"
#include "triggers/key_combination.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace qv {
namespace {

TEST(HotZonesTest, ZonesOneOr33PixelsDeepAreEnteredOnceUntilTheCursorLeaves) {
  struct Probe {
    int thickness, x, y, zone;
  };
  // The edges run over the middle two thirds: x from 213 up to 1066, y from 171 up to 853.
  const Probe probes[] = {
      {1, 0, 0, 1},       {1, 1, 0, 0},       {1, 0, 1, 0},     {1, 212, 0, 0},   {1, 213, 0, 2},
      {1, 1065, 0, 2},    {1, 1066, 0, 0},    {1, 640, 1, 0},   {1, 1279, 0, 3},  {1, 1279, 512, 4},
      {1, 1279, 1023, 5}, {1, 640, 1023, 6},  {1, 0, 1023, 7},  {1, 0, 512, 8},   {1, 640, 512, 0},
      {1, 1280, 0, 0},    {1, 0, 1024, 0},    {33, 32, 32, 1},  {33, 33, 0, 0},   {33, 1247, 32, 3},
      {33, 1246, 0, 0},   {33, 1247, 991, 5}, {33, 32, 991, 7}, {33, 640, 32, 2}, {33, 640, 33, 0},
      {33, 640, 991, 6},  {33, 640, 990, 0}};
  for (const Probe &p : probes) {
    SCOPED_TRACE(testing::Message() << p.thickness << " deep at " << p.x << "," << p.y);
    EXPECT_EQ(ZoneAt(ComputeHotZones(1280, 1024, p.thickness), p.x, p.y), p.zone);
  }

  const HotZones zones = ComputeHotZones(1280, 1024, 1);
  ZoneEntryTracker tracker;
  std::vector<int> entered;
  for (int x = 0; x <= 640; ++x) // along the top edge
    if (const int zone = tracker.Update(ZoneAt(zones, x, 0)); zone != 0)
      entered.push_back(zone);
  for (const int zone : {0, 2, 3})
    entered.push_back(tracker.Update(zone));
  EXPECT_EQ(entered, (std::vector<int>{1, 2, 0, 2, 3}));
}

const HotZones kZones = ComputeHotZones(1280, 1024, 2);

// Looks at a cursor resting at (x, y) for a while, with `acting` the zones
// that would do something; the last interval.
int Rest(CursorPoll &poll, std::int32_t x, std::int32_t y, bool keyHeld = false,
         const HotZones &acting = kZones) {
  int interval = 0;
  for (int elapsed = 0; elapsed < 1000; elapsed += interval)
    interval = poll.NextInterval(x, y, keyHeld, kZones, acting);
  return interval;
}

TEST(CursorPoll, OnlyACursorRestingFarFromEveryZoneIsLookedAtLessOftenByItsDistance) {
  CursorPoll poll;
  EXPECT_EQ(poll.NextInterval(640, 512, false, kZones, kZones), CursorPoll::kFastMilliseconds);
  EXPECT_EQ(Rest(poll, 640, 512), CursorPoll::kRestMilliseconds) << "the middle of the screen";
  EXPECT_EQ(Rest(poll, 900, 700), CursorPoll::kSlowMilliseconds) << "edges within slow reach";
  EXPECT_EQ(poll.NextInterval(641, 512, false, kZones, kZones), CursorPoll::kFastMilliseconds)
      << "moving again";
  EXPECT_EQ(Rest(poll, 640, 512, true), CursorPoll::kFastMilliseconds) << "a key held";
  EXPECT_EQ(Rest(poll, 640, 1000), CursorPoll::kFastMilliseconds) << "near the bottom edge";
  EXPECT_EQ(Rest(poll, 1270, 1010), CursorPoll::kFastMilliseconds) << "near a corner";
  EXPECT_EQ(Rest(poll, 0, 0), CursorPoll::kFastMilliseconds) << "inside one";

  // Only the bottom-right corner does something: a cursor that cannot reach it
  // before an even slower look rests longer, unless an edge is within reach.
  HotZones corner{};
  corner[4] = kZones[4];
  EXPECT_EQ(Rest(poll, 900, 700, false, corner), CursorPoll::kRestMilliseconds);
  EXPECT_EQ(Rest(poll, 1000, 700, false, corner), CursorPoll::kSlowMilliseconds);
  EXPECT_EQ(Rest(poll, 640, 1000, false, corner), CursorPoll::kFastMilliseconds);
  EXPECT_EQ(Rest(poll, 640, 512, false, HotZones{}), CursorPoll::kRestMilliseconds);
  EXPECT_EQ(DistanceToNearestZone(5, 0, kZones), 4) << "from the top-left corner's last pixel";
}

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
} // namespace qv
