// The screen's hot corners and edges, and how often the cursor is looked at to find them.
#include "triggers/hot_zones.h"

#include "triggers/cursor_poll.h"

#include <gtest/gtest.h>

#include <limits>
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

  EXPECT_EQ(DistanceToNearestZone(1, 1, kZones), 0);
  EXPECT_EQ(DistanceToNearestZone(5, 0, kZones), 4) << "from the top-left corner's last pixel";
  EXPECT_EQ(DistanceToNearestZone(640, 512, kZones), 510) << "the top and bottom edges";
  EXPECT_EQ(DistanceToNearestZone(640, 512, HotZones{}), std::numeric_limits<std::int64_t>::max());
}

} // namespace
} // namespace qv
