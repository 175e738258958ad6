#include "desktops/picture_limits.h"

namespace qv {
namespace {

std::uint32_t Big16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 8) | bytes[at + 1];
}

std::uint32_t Little32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8) |
         (std::uint32_t{bytes[at + 2]} << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}

// The frame header (a start-of-frame marker other than DHT, JPG and DAC)
// holds the height and width.
std::optional<PictureSize> JpegSize(std::span<const std::uint8_t> bytes) {
  std::size_t at = 2;
  while (at + 4 <= bytes.size()) {
    if (bytes[at] != 0xFF)
      return std::nullopt;
    const std::uint8_t marker = bytes[at + 1];
    if (marker == 0xFF) { // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += 2;
      continue;
    }
    const std::uint32_t length = Big16(bytes, at + 2);
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > bytes.size())
        return std::nullopt;
      return PictureSize{Big16(bytes, at + 7), Big16(bytes, at + 5), 1024};
    }
    if (marker == 0xD9 || marker == 0xDA || length < 2)
      return std::nullopt; // image data or the end before any frame header
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<PictureSize> BitmapSize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 26)
    return std::nullopt;
  const std::uint32_t headerSize = Little32(bytes, 14);
  if (headerSize == 12) // the old OS/2 header: 16-bit sizes, never compressed
    return PictureSize{std::uint32_t{bytes[18]} | (std::uint32_t{bytes[19]} << 8),
                       std::uint32_t{bytes[20]} | (std::uint32_t{bytes[21]} << 8), 8};
  if (bytes.size() < 34)
    return std::nullopt;
  const auto width = static_cast<std::int32_t>(Little32(bytes, 18));
  const auto height = static_cast<std::int32_t>(Little32(bytes, 22));
  const auto magnitude = [](std::int32_t v) {
    return v < 0 ? static_cast<std::uint32_t>(-(std::int64_t{v})) : static_cast<std::uint32_t>(v);
  };
  const std::uint32_t compression = Little32(bytes, 30);
  const bool runLength = compression == 1 || compression == 2;
  const bool embedded = compression == 4 || compression == 5; // JPEG or PNG inside
  return PictureSize{magnitude(width), magnitude(height),
                     runLength ? 256u : (embedded ? 1024u : 8u)};
}

} // namespace

std::optional<PictureSize> ReadPictureSize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
    return JpegSize(bytes);
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
    return BitmapSize(bytes);
  return std::nullopt;
}

bool WithinDecodeLimit(PictureSize size, std::uint64_t fileBytes) {
  const std::uint64_t pixels = std::uint64_t{size.width} * size.height;
  return pixels > 0 && fileBytes <= kMaxWallpaperFileBytes && pixels <= kMaxWallpaperPixels &&
         pixels <= fileBytes * size.pixelsPerByte;
}

} // namespace qv
