#include "capture/pixel_arithmetic.h"

namespace qv {
namespace {

// Walks the spans of source pixels that make up each target pixel along one
// side, without a division per step: spans are `quotient` or one more long.
class SpanWalk {
public:
  SpanWalk(int sourceLength, int targetLength)
      : quotient_(sourceLength / targetLength), remainder_(sourceLength % targetLength),
        targetLength_(targetLength), shortInverse_(1.0 / (quotient_ > 0 ? quotient_ : 1)),
        longInverse_(1.0 / (quotient_ + 1)) {
    Advance();
  }
  int Start() const { return start_; }
  // At least one pixel: a target larger than the source repeats pixels.
  int End() const { return end_ > start_ ? end_ : start_ + 1; }
  double Inverse() const { return End() - start_ == quotient_ + 1 ? longInverse_ : shortInverse_; }
  void Next() {
    start_ = end_;
    Advance();
  }

private:
  void Advance() {
    end_ = start_ + quotient_;
    carry_ += remainder_;
    if (carry_ >= targetLength_) {
      carry_ -= targetLength_;
      ++end_;
    }
  }

  int quotient_, remainder_, targetLength_;
  double shortInverse_, longInverse_;
  int start_ = 0, end_ = 0, carry_ = 0;
};

} // namespace

void ResamplePixels(const std::uint32_t *source, int sourceWidth, int sourceHeight,
                    int sourceRowLength, std::uint32_t *target, int targetWidth, int targetHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0 ||
      sourceRowLength < sourceWidth)
    return;
  SpanWalk rows(sourceHeight, targetHeight);
  for (int y = 0; y < targetHeight; ++y, rows.Next()) {
    std::uint32_t *out = target + static_cast<std::size_t>(y) * targetWidth;
    SpanWalk columns(sourceWidth, targetWidth);
    for (int x = 0; x < targetWidth; ++x, columns.Next()) {
      std::uint64_t sum[4] = {0, 0, 0, 0};
      for (int sy = rows.Start(); sy < rows.End(); ++sy) {
        const std::uint32_t *line = source + static_cast<std::size_t>(sy) * sourceRowLength;
        for (int sx = columns.Start(); sx < columns.End(); ++sx) {
          const std::uint32_t pixel = line[sx];
          sum[0] += pixel & 0xFF;
          sum[1] += (pixel >> 8) & 0xFF;
          sum[2] += (pixel >> 16) & 0xFF;
          sum[3] += pixel >> 24;
        }
      }
      const double inverse = rows.Inverse() * columns.Inverse();
      std::uint32_t pixel = 0;
      // Halves round up; the small addition keeps an exact half from
      // falling just short of it.
      for (int channel = 3; channel >= 0; --channel)
        pixel = (pixel << 8) | static_cast<std::uint32_t>(
                                   static_cast<double>(sum[channel]) * inverse + 0.5 + 1e-9);
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
