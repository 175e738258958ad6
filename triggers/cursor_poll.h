#pragma once
// How often the hook thread looks at the cursor. Each look is a round trip to
// the window server, a hundred times a second, for as long as the program
// runs; but only a cursor that is moving, near a hot zone or with a watched
// key held can need an answer within 10 ms. A cursor resting far from every
// zone cannot reach one before a slower look, at the speed of a hand.
#include "triggers/hot_zones.h"

#include <cstdint>

namespace qv {

class CursorPoll {
public:
  static constexpr int kFastMilliseconds = 10;
  static constexpr int kSlowMilliseconds = 40;
  // Far also from every zone that does something right now: under Wine each
  // look at a resting cursor also asks the X server where it is.
  static constexpr int kRestMilliseconds = 80;
  // A brisk movement of the hand: across a large screen in about a quarter second.
  static constexpr int kPixelsPerMillisecond = 6;
  // Looks at the cursor stay fast this long after it last moved.
  static constexpr int kSettleMilliseconds = 250;

  // The milliseconds to wait before the next look, given this look's cursor
  // position and whether a watched key or button is held. `actingZones` are
  // those of `zones` that would do something if entered now (the others
  // empty); a zone that would not is still entered within the slow look.
  int NextInterval(std::int32_t x, std::int32_t y, bool keyHeld, const HotZones &zones,
                   const HotZones &actingZones);

private:
  std::int32_t lastX_ = 0, lastY_ = 0;
  int stillMilliseconds_ = 0;
  bool first_ = true;
};

// Pixels from the point to the nearest non-empty zone, 0 inside one; a large
// number when there is none.
std::int64_t DistanceToNearestZone(std::int32_t x, std::int32_t y, const HotZones &zones);

} // namespace qv
