#include "triggers/hot_zones.h"

#include <utility>

namespace qv {

ZoneRect RectFromExtent(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  ZoneRect rect{x, y, x + width, y + height};
  if (rect.left > rect.right)
    std::swap(rect.left, rect.right);
  if (rect.top > rect.bottom)
    std::swap(rect.top, rect.bottom);
  return rect;
}

HotZones ComputeHotZones(std::int32_t width, std::int32_t height, std::int32_t thickness) {
  const std::int32_t t = thickness;
  const std::int32_t edgeWidth = 2 * width / 3;
  const std::int32_t edgeHeight = 2 * height / 3;
  const std::int32_t offsetX = (width - edgeWidth) / 2;
  const std::int32_t offsetY = (height - edgeHeight) / 2;
  return {
      RectFromExtent(0, 0, t, t),                     // 1 top-left
      RectFromExtent(offsetX, 0, edgeWidth, t),       // 2 top
      RectFromExtent(width, 0, -t, t),                // 3 top-right
      RectFromExtent(width, offsetY, -t, edgeHeight), // 4 right
      RectFromExtent(width, height, -t, -t),          // 5 bottom-right
      RectFromExtent(offsetX, height, edgeWidth, -t), // 6 bottom
      RectFromExtent(0, height, t, -t),               // 7 bottom-left
      RectFromExtent(0, offsetY, t, edgeHeight),      // 8 left
  };
}

int ZoneAt(const HotZones &zones, std::int32_t x, std::int32_t y) {
  for (std::size_t i = 0; i < zones.size(); ++i)
    if (zones[i].Contains(x, y))
      return static_cast<int>(i) + 1;
  return 0;
}

} // namespace qv
