#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace qv {

// A decoded picture: rows top-down, 4 bytes per pixel in the order blue, green,
// red, alpha (straight, not premultiplied), no padding between rows.
struct DecodedImage {
  int width;
  int height;
  std::vector<std::uint8_t> bgra;
};

// Decodes a PNG or JPEG file held in memory, told apart by its signature.
// Every PNG colour type and bit depth comes out as 8-bit BGRA; JPEG pixels
// are opaque. Unknown formats, corrupt or truncated data (any decoder
// warning), and headers claiming far more pixels than the data could hold
// give std::nullopt.
std::optional<DecodedImage> DecodeImage(std::span<const std::uint8_t> bytes);

// Reads the file and decodes it as DecodeImage does; std::nullopt also when
// the file cannot be read, is over 256 MiB, or (with `jpegOnly`) is no JPEG.
// Every picture file the program reads goes through here.
std::optional<DecodedImage> DecodeImageFile(const std::filesystem::path &path,
                                            bool jpegOnly = false);

} // namespace qv
