#include "triggers/cursor_poll.h"

#include <gtest/gtest.h>

#include <limits>

namespace qv {
namespace {

const HotZones kZones = ComputeHotZones(1280, 1024, 2);

// Looks at a cursor resting at (x, y) for a while; the last interval.
int Rest(CursorPoll &poll, std::int32_t x, std::int32_t y, bool keyHeld = false) {
  int interval = 0;
  for (int elapsed = 0; elapsed < 1000; elapsed += interval)
    interval = poll.NextInterval(x, y, keyHeld, kZones);
  return interval;
}

TEST(CursorPoll, OnlyACursorRestingFarFromEveryZoneIsLookedAtLessOftenByItsDistance) {
  CursorPoll poll;
  EXPECT_EQ(poll.NextInterval(640, 512, false, kZones), CursorPoll::kFastMilliseconds);
  EXPECT_EQ(Rest(poll, 640, 512), CursorPoll::kSlowMilliseconds) << "the middle of the screen";
  EXPECT_EQ(poll.NextInterval(641, 512, false, kZones), CursorPoll::kFastMilliseconds)
      << "moving again";
  EXPECT_EQ(Rest(poll, 640, 512, true), CursorPoll::kFastMilliseconds) << "a key held";
  EXPECT_EQ(Rest(poll, 640, 1000), CursorPoll::kFastMilliseconds) << "near the bottom edge";
  EXPECT_EQ(Rest(poll, 1270, 1010), CursorPoll::kFastMilliseconds) << "near a corner";
  EXPECT_EQ(Rest(poll, 0, 0), CursorPoll::kFastMilliseconds) << "inside one";

  EXPECT_EQ(DistanceToNearestZone(1, 1, kZones), 0);
  EXPECT_EQ(DistanceToNearestZone(5, 0, kZones), 4) << "from the top-left corner's last pixel";
  EXPECT_EQ(DistanceToNearestZone(640, 512, kZones), 510) << "the top and bottom edges";
  EXPECT_EQ(DistanceToNearestZone(640, 512, HotZones{}), std::numeric_limits<std::int64_t>::max());
}

} // namespace
} // namespace qv
