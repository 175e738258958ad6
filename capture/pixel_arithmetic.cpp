#include "capture/pixel_arithmetic.h"

#include <algorithm>
#include <vector>

namespace qv {
namespace {

// The first source index of each target index, and one past the last: a
// range of at least one.
std::vector<int> Spans(int sourceLength, int targetLength) {
  std::vector<int> starts(static_cast<std::size_t>(targetLength) + 1);
  for (int i = 0; i <= targetLength; ++i)
    starts[static_cast<std::size_t>(i)] =
        static_cast<int>(static_cast<std::int64_t>(i) * sourceLength / targetLength);
  return starts;
}

int SpanEnd(const std::vector<int> &starts, int i, int sourceLength) {
  const int start = starts[static_cast<std::size_t>(i)];
  const int end = starts[static_cast<std::size_t>(i) + 1];
  return end > start ? end : (start < sourceLength ? start + 1 : start);
}

} // namespace

void ResamplePixels(const std::uint32_t *source, int sourceWidth, int sourceHeight,
                    std::uint32_t *target, int targetWidth, int targetHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0)
    return;
  const std::vector<int> columns = Spans(sourceWidth, targetWidth);
  const std::vector<int> rows = Spans(sourceHeight, targetHeight);
  // Multiplications by reciprocals: a division per channel and pixel costs
  // more than all the additions.
  std::vector<double> columnReciprocals(static_cast<std::size_t>(targetWidth));
  for (int x = 0; x < targetWidth; ++x)
    columnReciprocals[static_cast<std::size_t>(x)] =
        1.0 / (SpanEnd(columns, x, sourceWidth) - columns[static_cast<std::size_t>(x)]);
  // Channel sums of one target row, gathered source row by source row.
  std::vector<std::uint64_t> sums(static_cast<std::size_t>(targetWidth) * 4);
  for (int y = 0; y < targetHeight; ++y) {
    const int top = rows[static_cast<std::size_t>(y)];
    const int bottom = SpanEnd(rows, y, sourceHeight);
    std::fill(sums.begin(), sums.end(), 0);
    for (int sy = top; sy < bottom; ++sy) {
      const std::uint32_t *line = source + static_cast<std::size_t>(sy) * sourceWidth;
      for (int x = 0; x < targetWidth; ++x) {
        std::uint64_t *sum = &sums[static_cast<std::size_t>(x) * 4];
        const int right = SpanEnd(columns, x, sourceWidth);
        for (int sx = columns[static_cast<std::size_t>(x)]; sx < right; ++sx) {
          const std::uint32_t pixel = line[sx];
          sum[0] += pixel & 0xFF;
          sum[1] += (pixel >> 8) & 0xFF;
          sum[2] += (pixel >> 16) & 0xFF;
          sum[3] += pixel >> 24;
        }
      }
    }
    std::uint32_t *out = target + static_cast<std::size_t>(y) * targetWidth;
    const double rowReciprocal = 1.0 / (bottom - top);
    for (int x = 0; x < targetWidth; ++x) {
      const double reciprocal = columnReciprocals[static_cast<std::size_t>(x)] * rowReciprocal;
      const std::uint64_t *sum = &sums[static_cast<std::size_t>(x) * 4];
      std::uint32_t pixel = 0;
      // Halves round up; the small addition keeps an exact half from
      // falling just short of it.
      for (int channel = 3; channel >= 0; --channel)
        pixel = (pixel << 8) | static_cast<std::uint32_t>(
                                   static_cast<double>(sum[channel]) * reciprocal + 0.5 + 1e-9);
      out[x] = pixel;
    }
  }
}

void DarkenPixels(std::uint32_t *pixels, std::size_t count, std::uint8_t alpha) {
  const std::uint32_t keep = 255u - alpha;
  std::uint32_t darker[256];
  for (std::uint32_t value = 0; value < 256; ++value)
    darker[value] = (value * keep + 127) / 255;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t pixel = pixels[i];
    pixels[i] = (pixel & 0xFF000000u) | darker[pixel & 0xFF] | darker[(pixel >> 8) & 0xFF] << 8 |
                darker[(pixel >> 16) & 0xFF] << 16;
  }
}

} // namespace qv
