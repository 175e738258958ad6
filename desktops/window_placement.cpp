#include "desktops/window_placement.h"

namespace qv {
namespace {
// The position Windows parks minimised windows at.
constexpr std::int32_t kMinimisedPosition = -32000;
// Some programs park windows here; hidden they go to -55000 and come back.
constexpr std::int32_t kParkedTop = -30000;
constexpr std::int32_t kFarBelowTop = 20000;
} // namespace

WindowPosition HiddenPosition(const WindowRect &rect) {
  const bool onScreen = rect.top > kHiddenTopLimit && rect.top < kFarBelowTop;
  if (onScreen || rect.top == kParkedTop)
    return {rect.left, rect.top - kHideDistance, true};
  return {rect.left, rect.top, false};
}

WindowPosition ShownPosition(const WindowRect &rect) {
  if (rect.top >= kHiddenTopLimit)
    return {rect.left, rect.top, false};
  const std::int32_t top = rect.top + kHideDistance;
  if (rect.left == kMinimisedPosition && top == kMinimisedPosition)
    return {rect.left, rect.top, false};
  return {rect.left, top, true};
}

WindowRect OnScreenRect(const WindowRect &rect) {
  WindowRect result = rect;
  if (rect.top > kParkedTop && rect.top < kHiddenTopLimit) {
    result.top += kHideDistance;
    result.bottom += kHideDistance;
  }
  return result;
}

} // namespace qv
