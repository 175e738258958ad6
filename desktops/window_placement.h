#pragma once
#include "desktops/window_system.h"

#include <cstdint>

namespace qv {

// A hidden window sits 25000 pixels above its place on the screen; any top
// above -5000 counts as off the screen.
inline constexpr std::int32_t kHideDistance = 25000;
inline constexpr std::int32_t kHiddenTopLimit = -5000;

struct WindowPosition {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  bool Move = false; // false: the window stays where it is
  friend bool operator==(const WindowPosition &, const WindowPosition &) = default;
};

// Where hiding puts a window. Windows far off the screen already (a
// minimised one parked at -32000, one at 20000 or more) are not moved.
WindowPosition HiddenPosition(const WindowRect &rect);
// Where showing puts a window that may have been hidden.
WindowPosition ShownPosition(const WindowRect &rect);
// The rectangle a window has on the screen once shown: the given one, or
// 25000 pixels lower when its top says it is hidden.
WindowRect OnScreenRect(const WindowRect &rect);

} // namespace qv
