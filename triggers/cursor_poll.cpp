#include "triggers/cursor_poll.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {

std::int64_t DistanceToNearestZone(std::int32_t x, std::int32_t y, const HotZones &zones) {
  std::int64_t nearest = std::numeric_limits<std::int64_t>::max();
  for (const ZoneRect &zone : zones) {
    if (zone.right <= zone.left || zone.bottom <= zone.top)
      continue;
    // Distances outside the rectangle along each axis; the last pixel inside is right - 1.
    const std::int64_t dx = std::max<std::int64_t>(
        {std::int64_t{zone.left} - x, 0, std::int64_t{x} - (zone.right - 1)});
    const std::int64_t dy = std::max<std::int64_t>(
        {std::int64_t{zone.top} - y, 0, std::int64_t{y} - (zone.bottom - 1)});
    nearest = std::min(nearest, static_cast<std::int64_t>(std::ceil(std::hypot(dx, dy))));
  }
  return nearest;
}

int CursorPoll::NextInterval(std::int32_t x, std::int32_t y, bool keyHeld, const HotZones &zones,
                             const HotZones &actingZones) {
  const bool moved = first_ || x != lastX_ || y != lastY_;
  first_ = false;
  lastX_ = x;
  lastY_ = y;
  if (moved || keyHeld) {
    stillMilliseconds_ = 0;
    return kFastMilliseconds;
  }
  if (stillMilliseconds_ < kSettleMilliseconds) {
    stillMilliseconds_ += kFastMilliseconds;
    return kFastMilliseconds;
  }
  const auto reach = [](int milliseconds) {
    return std::int64_t{kPixelsPerMillisecond} * milliseconds;
  };
  if (DistanceToNearestZone(x, y, zones) <= reach(kSlowMilliseconds))
    return kFastMilliseconds;
  return DistanceToNearestZone(x, y, actingZones) > reach(kRestMilliseconds) ? kRestMilliseconds
                                                                             : kSlowMilliseconds;
}

} // namespace qv
