#include "triggers/hot_zones.h"

#include <gtest/gtest.h>

#include <vector>

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
    EXPECT_EQ(qv::ZoneAt(qv::ComputeHotZones(1280, 1024, p.thickness), p.x, p.y), p.zone);
  }

  const qv::HotZones zones = qv::ComputeHotZones(1280, 1024, 1);
  qv::ZoneEntryTracker tracker;
  std::vector<int> entered;
  for (int x = 0; x <= 640; ++x) // along the top edge
    if (const int zone = tracker.Update(qv::ZoneAt(zones, x, 0)); zone != 0)
      entered.push_back(zone);
  for (const int zone : {0, 2, 3})
    entered.push_back(tracker.Update(zone));
  EXPECT_EQ(entered, (std::vector<int>{1, 2, 0, 2, 3}));
}

} // namespace
