#include "triggers/hot_zones.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(HotZonesTest, OnePixelZonesOfA1280x1024Screen) {
  const qv::HotZones zones = qv::ComputeHotZones(1280, 1024, 1);
  EXPECT_EQ(qv::ZoneAt(zones, 0, 0), 1);
  EXPECT_EQ(qv::ZoneAt(zones, 1, 0), 0);
  EXPECT_EQ(qv::ZoneAt(zones, 0, 1), 0);

  // The top edge is the middle two thirds of row 0: x from 213 up to 1066.
  EXPECT_EQ(qv::ZoneAt(zones, 212, 0), 0);
  EXPECT_EQ(qv::ZoneAt(zones, 213, 0), 2);
  EXPECT_EQ(qv::ZoneAt(zones, 1065, 0), 2);
  EXPECT_EQ(qv::ZoneAt(zones, 1066, 0), 0);
  EXPECT_EQ(qv::ZoneAt(zones, 640, 1), 0);

  EXPECT_EQ(zones[2], (qv::ZoneRect{1279, 0, 1280, 1}));
  EXPECT_EQ(zones[4], (qv::ZoneRect{1279, 1023, 1280, 1024}));
  EXPECT_EQ(qv::ZoneAt(zones, 1279, 0), 3);
  EXPECT_EQ(qv::ZoneAt(zones, 1279, 1023), 5);
  EXPECT_EQ(qv::ZoneAt(zones, 0, 1023), 7);
  EXPECT_EQ(qv::ZoneAt(zones, 1279, 512), 4);
  EXPECT_EQ(qv::ZoneAt(zones, 640, 1023), 6);
  EXPECT_EQ(qv::ZoneAt(zones, 0, 512), 8);
  EXPECT_EQ(qv::ZoneAt(zones, 640, 512), 0);
  // Outside the area nothing is a zone.
  EXPECT_EQ(qv::ZoneAt(zones, 1280, 0), 0);
  EXPECT_EQ(qv::ZoneAt(zones, 0, 1024), 0);
}

TEST(HotZonesTest, ThickZonesReach33PixelsIn) {
  const qv::HotZones zones = qv::ComputeHotZones(1280, 1024, 33);
  EXPECT_EQ(qv::ZoneAt(zones, 32, 32), 1);
  EXPECT_EQ(qv::ZoneAt(zones, 33, 0), 0);
  EXPECT_EQ(qv::ZoneAt(zones, 1247, 32), 3);
  EXPECT_EQ(qv::ZoneAt(zones, 1246, 0), 0);
  EXPECT_EQ(qv::ZoneAt(zones, 1247, 991), 5);
  EXPECT_EQ(qv::ZoneAt(zones, 32, 991), 7);
  EXPECT_EQ(qv::ZoneAt(zones, 640, 32), 2);
  EXPECT_EQ(qv::ZoneAt(zones, 640, 33), 0);
  EXPECT_EQ(qv::ZoneAt(zones, 640, 991), 6);
  EXPECT_EQ(qv::ZoneAt(zones, 640, 990), 0);
  // The side edges run over the middle two thirds of the height: 171 to 853.
  EXPECT_EQ(zones[3], (qv::ZoneRect{1247, 171, 1280, 853}));
  EXPECT_EQ(zones[7], (qv::ZoneRect{0, 171, 33, 853}));
}

TEST(HotZonesTest, WalkingTheTopEdgeEntersTheCornerAndThenTheEdgeOnce) {
  const qv::HotZones zones = qv::ComputeHotZones(1280, 1024, 1);
  qv::ZoneEntryTracker tracker;
  std::vector<int> entered;
  for (int x = 0; x <= 640; ++x)
    if (const int zone = tracker.Update(qv::ZoneAt(zones, x, 0)); zone != 0)
      entered.push_back(zone);
  EXPECT_EQ(entered, (std::vector<int>{1, 2}));
}

TEST(HotZonesTest, LeavingAndComingBackEntersAgain) {
  qv::ZoneEntryTracker tracker;
  EXPECT_EQ(tracker.Update(3), 3);
  EXPECT_EQ(tracker.Update(3), 0);
  EXPECT_EQ(tracker.Update(0), 0);
  EXPECT_EQ(tracker.Update(3), 3);
  EXPECT_EQ(tracker.Update(4), 4);
}

} // namespace
