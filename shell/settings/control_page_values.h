#pragma once
#include "shell/setup_enums.h"

#include <array>
#include <string>

namespace qv {

class TSetup;

// The captions (text identifiers) of the fourteen actions in value order,
// as the hot-zone combo boxes offer them.
const std::array<std::string, kActionCount> &ActionCaptions();
// The captions of the six effects in value order.
const std::array<std::string, kEffectCount> &EffectCaptions();

inline constexpr int kMaxSensibility = 32;

// What the hot-corner page edits. Zones are numbered 1 to 8 (index 0 unused).
struct HotZonePageValues {
  bool enabled = false;
  std::array<int, kHotZoneCount + 1> actions{};
  int sensibility = 0;

  static HotZonePageValues Read(const TSetup &setup);
  void Write(TSetup &setup) const;
};

// What the special-controls page edits: the middle-click effect, the
// effects of the three modifier combinations and the mouse wheel's job.
struct SpecialControlValues {
  std::array<int, 4> effects{}; // middle click, then combinations 1 to 3
  int wheelAction = 0;

  static SpecialControlValues Read(const TSetup &setup);
  void Write(TSetup &setup) const;
};

} // namespace qv
