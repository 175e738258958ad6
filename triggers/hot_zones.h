#pragma once
#include <array>
#include <cstdint>

namespace qv {

// One hot zone: left <= x < right and top <= y < bottom.
struct ZoneRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool Contains(std::int32_t x, std::int32_t y) const {
    return left <= x && x < right && top <= y && y < bottom;
  }
  friend bool operator==(const ZoneRect &, const ZoneRect &) = default;
};

// Zones 1 to 8 at indexes 0 to 7: odd numbers are the corners clockwise from the
// top-left one, even numbers the middle two thirds of the edges between them.
using HotZones = std::array<ZoneRect, 8>;

// The rectangle from an origin and a signed extent, with its sides put in order.
ZoneRect RectFromExtent(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

// The zones of an area of width x height pixels, each `thickness` pixels deep.
HotZones ComputeHotZones(std::int32_t width, std::int32_t height, std::int32_t thickness);

// The number of the first zone holding the point, 0 when none does.
int ZoneAt(const HotZones &zones, std::int32_t x, std::int32_t y);

inline bool IsCornerZone(int zone) {
  return zone >= 1 && zone <= 8 && zone % 2 == 1;
}
inline bool IsEdgeZone(int zone) {
  return zone >= 1 && zone <= 8 && zone % 2 == 0;
}

// Turns the zone under the cursor, sampled over and over, into one event per entry.
class ZoneEntryTracker {
public:
  // The zone just entered, or 0 when the cursor stays where it was or left every zone.
  int Update(int zone) {
    const int entered = zone != lastZone_ ? zone : 0;
    lastZone_ = zone;
    return entered;
  }

private:
  int lastZone_ = 0;
};

} // namespace qv
