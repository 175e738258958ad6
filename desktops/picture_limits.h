#pragma once
// How large a wallpaper picture may decode. A damaged header can claim any
// size, so besides a fixed ceiling the pixels a file may claim grow with its
// length: a few bytes never buy gigabytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace qv {

struct PictureSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  // The most pixels one byte of this kind of file can hold: even a flat
  // colour stays above one byte of JPEG per 1024 pixels; an uncompressed
  // bitmap holds at most 8 (one bit each), a run-length coded one 256.
  std::uint32_t pixelsPerByte = 1024;
};

// The size a JPEG or Windows bitmap file's header states; nullopt when the
// bytes are neither or the header is cut short.
std::optional<PictureSize> ReadPictureSize(std::span<const std::uint8_t> bytes);

// 8K by 4K, twice over: more than any screen shows.
inline constexpr std::uint64_t kMaxWallpaperPixels = std::uint64_t{1} << 26;
// Files longer than this are not read at all.
inline constexpr std::uint64_t kMaxWallpaperFileBytes = std::uint64_t{64} << 20;

bool WithinDecodeLimit(PictureSize size, std::uint64_t fileBytes);

} // namespace qv
