#include "triggers/cursor_poll.h"

#include <gtest/gtest.h>

#include <limits>

namespace qv {
namespace {

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
