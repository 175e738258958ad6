#include "capture/image_file.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <new>
#include <system_error>

#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

namespace qv {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::array<std::uint8_t, 3> kJpegSignature{0xFF, 0xD8, 0xFF};

// A damaged header must not make us allocate gigabytes: 2^28 pixels (1 GiB of
// BGRA) is far beyond any wallpaper spanning several monitors.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;
// Neither format packs more than a few thousand pixels into one byte (deflate
// at best about 1000 to 1, eight one-bit pixels per byte; a JPEG block costs
// bits even when flat), so a small file claiming a huge picture is damaged.
// Up to 2^24 pixels (64 MiB of BGRA) are let through whatever the size.
constexpr std::uint64_t kPixelsPerFileByte = 8192;
constexpr std::uint64_t kPixelsForAnySize = std::uint64_t{1} << 24;
// What libjpeg may allocate for its own work.
constexpr long kJpegMemoryLimit = 256L * 1024 * 1024;
// Larger files are not read at all.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{256} * 1024 * 1024;

bool StartsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

bool PlausibleSize(std::uint64_t width, std::uint64_t height, std::size_t fileBytes) {
  const std::uint64_t pixels = width * height;
  return width != 0 && height != 0 && pixels <= kMaxPixels &&
         pixels <= std::max(kPixelsForAnySize, fileBytes * kPixelsPerFileByte);
}

std::optional<DecodedImage> AllocateImage(std::uint64_t width, std::uint64_t height,
                                          std::size_t fileBytes) {
  if (!PlausibleSize(width, height, fileBytes)) {
    return std::nullopt;
  }
  return DecodedImage{static_cast<int>(width), static_cast<int>(height),
                      std::vector<std::uint8_t>(width * height * 4)};
}

// --- PNG -------------------------------------------------------------------

// Releases libpng's state on every path; png_image_free may run twice.
struct PngImage {
  png_image image{};
  PngImage() { image.version = PNG_IMAGE_VERSION; }
  ~PngImage() { png_image_free(&image); }
  PngImage(const PngImage &) = delete;
  PngImage &operator=(const PngImage &) = delete;
};

// libpng's simplified API runs each step under its own setjmp and reports
// errors by its return value, so no longjmp ever crosses these C++ frames. It
// also does every conversion: palette and transparency chunks, grey, low and
// 16-bit depths, interlacing.
std::optional<DecodedImage> DecodePng(std::span<const std::uint8_t> bytes) {
  PngImage png;
  if (!png_image_begin_read_from_memory(&png.image, bytes.data(), bytes.size())) {
    return std::nullopt;
  }
  png.image.format = PNG_FORMAT_BGRA;
  // Without a gAMA chunk, 16-bit samples are as sRGB-encoded as 8-bit ones:
  // scale them rather than treat them as linear light.
  png.image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  auto decoded = AllocateImage(png.image.width, png.image.height, bytes.size());
  if (!decoded || !png_image_finish_read(&png.image, nullptr, decoded->bgra.data(), 0, nullptr)) {
    return std::nullopt;
  }
  return decoded;
}

// --- JPEG ------------------------------------------------------------------

struct JpegErrors {
  jpeg_error_mgr manager; // first member: libjpeg hands back a pointer to it
  std::jmp_buf jump;
  bool damaged;
};

// libjpeg's own handler ends the process; this one jumps back to the setjmp
// of the C-style step below that called into the library.
[[noreturn]] void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors *>(info->err)->jump, 1);
}

// libjpeg shrugs off damaged data with a warning and pads what it could not
// read with grey, even when the file still ends with an end-of-image marker:
// any warning refuses the picture.
void JpegMessage(j_common_ptr info, int level) {
  if (level < 0) {
    reinterpret_cast<JpegErrors *>(info->err)->damaged = true;
  }
}

struct JpegReader {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  JpegReader() {
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JpegErrorExit;
    errors.manager.emit_message = JpegMessage;
  }
  ~JpegReader() { jpeg_destroy_decompress(&info); } // harmless before creation
  JpegReader(const JpegReader &) = delete;
  JpegReader &operator=(const JpegReader &) = delete;
};

// The two C-style steps each arm setjmp themselves and hold no object with a
// destructor, so a longjmp out of libjpeg skips no C++ cleanup.
bool StartJpeg(JpegReader *reader, const std::uint8_t *data, std::size_t size) {
  if (setjmp(reader->errors.jump)) {
    return false;
  }
  jpeg_create_decompress(&reader->info);
  jpeg_mem_src(&reader->info, data, static_cast<unsigned long>(size));
  reader->info.mem->max_memory_to_use = kJpegMemoryLimit;
  jpeg_read_header(&reader->info, TRUE);
  if (reader->errors.damaged ||
      !PlausibleSize(reader->info.image_width, reader->info.image_height, size)) {
    return false;
  }
  // Ink-based pictures cannot be converted to RGB by libjpeg; see CmykToBgra.
  const bool ink =
      reader->info.jpeg_color_space == JCS_CMYK || reader->info.jpeg_color_space == JCS_YCCK;
  reader->info.out_color_space = ink ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&reader->info);
  return true;
}

bool ReadJpegRows(JpegReader *reader, std::uint8_t *pixels, std::size_t stride) {
  if (setjmp(reader->errors.jump)) {
    return false;
  }
  while (reader->info.output_scanline < reader->info.output_height) {
    JSAMPROW row = pixels + reader->info.output_scanline * stride;
    jpeg_read_scanlines(&reader->info, &row, 1);
    if (reader->errors.damaged) {
      return false; // no use decoding the rest
    }
  }
  jpeg_finish_decompress(&reader->info);
  return !reader->errors.damaged;
}

// Ink amounts become the light each ink lets through, multiplied per channel.
// Photoshop, the main source of such files (marked by an Adobe segment),
// stores them inverted: 255 means no ink.
void CmykToBgra(std::span<std::uint8_t> pixels, bool inverted) {
  for (std::size_t i = 0; i + 4 <= pixels.size(); i += 4) {
    unsigned light[4];
    for (std::size_t channel = 0; channel < 4; ++channel) {
      const unsigned stored = pixels[i + channel];
      light[channel] = inverted ? stored : 255 - stored;
    }
    const unsigned black = light[3];
    pixels[i + 0] = static_cast<std::uint8_t>(light[2] * black / 255);
    pixels[i + 1] = static_cast<std::uint8_t>(light[1] * black / 255);
    pixels[i + 2] = static_cast<std::uint8_t>(light[0] * black / 255);
    pixels[i + 3] = 255;
  }
}

std::optional<DecodedImage> DecodeJpeg(std::span<const std::uint8_t> bytes) {
  JpegReader reader;
  if (!StartJpeg(&reader, bytes.data(), bytes.size())) {
    return std::nullopt;
  }
  auto decoded = AllocateImage(reader.info.output_width, reader.info.output_height, bytes.size());
  if (!decoded || reader.info.output_components != 4 ||
      !ReadJpegRows(&reader, decoded->bgra.data(), std::size_t{reader.info.output_width} * 4)) {
    return std::nullopt;
  }
  if (reader.info.out_color_space == JCS_CMYK) {
    CmykToBgra(decoded->bgra, reader.info.saw_Adobe_marker);
  }
  return decoded;
}

} // namespace

std::optional<DecodedImage> DecodeImage(std::span<const std::uint8_t> bytes) {
  try {
    if (StartsWith(bytes, kPngSignature)) {
      return DecodePng(bytes);
    }
    if (StartsWith(bytes, kJpegSignature)) {
      return DecodeJpeg(bytes);
    }
  } catch (const std::bad_alloc &) {
    // A picture too large for the memory left is as unusable as a corrupt one.
  }
  return std::nullopt;
}

std::optional<DecodedImage> DecodeImageFile(const std::filesystem::path &path, bool jpegOnly) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size > kMaxFileBytes) {
    return std::nullopt;
  }
  try {
    std::vector<std::uint8_t> bytes(size);
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(size))) {
      return std::nullopt;
    }
    if (jpegOnly && !StartsWith(bytes, kJpegSignature)) {
      return std::nullopt;
    }
    return DecodeImage(bytes);
  } catch (const std::bad_alloc &) {
    return std::nullopt;
  }
}

} // namespace qv
