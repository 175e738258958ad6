#include "capture/image_file.h"

#include <array>
#include <chrono>
#include <cstdio>

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include "tests/support/jpeg_encoder.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::EncodeJpeg;
using Bgra = std::array<int, 4>;

Bgra PixelAt(const DecodedImage &image, int x, int y) {
  const auto *pixel = &image.bgra[(static_cast<std::size_t>(y) * image.width + x) * 4];
  return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

void ExpectNear(const Bgra &actual, const Bgra &expected, int tolerance) {
  for (std::size_t channel = 0; channel < 4; ++channel)
    EXPECT_NEAR(actual[channel], expected[channel], tolerance) << "channel " << channel;
}

// --- Encoder (the inputs are fixed, so the library's errors abort the test) ---

struct PngPicture {
  int width;
  int height;
  int colorType;
  int bitDepth;
  Bytes rows; // packed as stored in the file, 16-bit samples big-endian
  std::vector<png_color> palette = {};
  Bytes paletteAlpha = {};
  bool interlaced = false;
};

void AppendToBytes(png_structp png, png_bytep data, std::size_t length) {
  auto *out = static_cast<Bytes *>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

Bytes EncodePng(const PngPicture &picture) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendToBytes, nullptr);
  png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!picture.palette.empty())
    png_set_PLTE(png, info, picture.palette.data(), static_cast<int>(picture.palette.size()));
  if (!picture.paletteAlpha.empty())
    png_set_tRNS(png, info, picture.paletteAlpha.data(),
                 static_cast<int>(picture.paletteAlpha.size()), nullptr);
  png_write_info(png, info);
  Bytes rows = picture.rows;
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < picture.height; ++y)
    rowPointers.push_back(rows.data() + y * (rows.size() / picture.height));
  png_write_image(png, rowPointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// A square RGB gradient: enough compressed data to cut in the middle.
Bytes GradientRgb(int size) {
  Bytes pixels;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      pixels.insert(pixels.end(), {std::uint8_t(x * 7), std::uint8_t(y * 5), std::uint8_t(x ^ y)});
  return pixels;
}

// --- PNG ---------------------------------------------------------------------

TEST(DecodePng, EveryColourTypeDepthAndInterlacingBecomesStraightBgra) {
  const PngPicture rgba{3, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8, {10,  20,  30,  255, 40, 50, 60, 128,
                                                            0,   0,   0,   0,   70, 80, 90, 1,
                                                            200, 150, 100, 255, 1,  2,  3,  64}};
  const PngPicture rgba16{1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {64, 64, 32, 32, 16, 16, 128, 128}};
  PngPicture palette{3, 1, PNG_COLOR_TYPE_PALETTE, 4, {0x01, 0x20}};
  palette.palette = {{255, 0, 0}, {0, 128, 255}, {9, 8, 7}};
  palette.paletteAlpha = {0, 200}; // entries past the list stay opaque
  const struct {
    int x, y;
    Bgra expected;
    PngPicture picture;
  } cases[] = {
      {1, 0, {60, 50, 40, 128}, rgba},
      {2, 1, {3, 2, 1, 64}, rgba}, // rows in order
      // 16-bit samples are scaled, not gamma converted.
      {0, 0, {0, 128, 255, 255}, {1, 1, PNG_COLOR_TYPE_RGB, 16, {255, 255, 128, 128, 0, 0}}},
      {0, 0, {16, 32, 64, 128}, rgba16},
      {1, 0, {0xF0, 0xF0, 0xF0, 255}, {2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x33, 0xF0}}},
      // 2-bit grey 0b10 scaled to the full range.
      {0, 0, {0xAA, 0xAA, 0xAA, 255}, {2, 1, PNG_COLOR_TYPE_GRAY, 2, {0b10'01'0000}}},
      {0, 0, {0x80, 0x80, 0x80, 0x40}, {1, 2, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {128, 64, 16, 255}}},
      {0, 0, {0, 0, 255, 0}, palette},
      {1, 0, {255, 128, 0, 200}, palette},
      {2, 0, {7, 8, 9, 255}, palette}, // past the transparency list
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const auto image = DecodeImage(EncodePng(c.picture));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bgra.size(), static_cast<std::size_t>(c.picture.width) * c.picture.height * 4);
    EXPECT_EQ(PixelAt(*image, c.x, c.y), c.expected);
  }

  PngPicture picture{32, 32, PNG_COLOR_TYPE_RGB, 8, GradientRgb(32)};
  const auto plain = DecodeImage(EncodePng(picture));
  picture.interlaced = true;
  const auto interlaced = DecodeImage(EncodePng(picture));
  ASSERT_TRUE(plain && interlaced);
  EXPECT_EQ(PixelAt(*plain, 5, 9), (Bgra{5 ^ 9, 45, 35, 255}));
  EXPECT_EQ(interlaced->bgra, plain->bgra);
}

// --- JPEG --------------------------------------------------------------------

TEST(DecodeJpeg, ColourGreyAndAdobeCmykComeOutOpaqueBgra) {
  // 24x18: the odd size leaves partial blocks; quadrant edges sit on block edges.
  const Bgra quadrants[2][2] = {{{200, 30, 20, 255}, {20, 200, 40, 255}},
                                {{40, 60, 220, 255}, {128, 128, 128, 255}}};
  Bytes pixels;
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 24; ++x)
      for (const int channel : {2, 1, 0})
        pixels.push_back(static_cast<std::uint8_t>(quadrants[y >= 8][x >= 16][channel]));
  const auto image = DecodeImage(EncodeJpeg(24, 18, JCS_RGB, 3, pixels));
  ASSERT_TRUE(image);
  EXPECT_EQ(std::pair(image->width, image->height), std::pair(24, 18));
  for (const int y : {3, 16})
    for (const int x : {3, 20})
      ExpectNear(PixelAt(*image, x, y), quadrants[y >= 8][x >= 16], 6);

  const auto grey = DecodeImage(EncodeJpeg(8, 8, JCS_GRAYSCALE, 1, Bytes(64, 90)));
  ASSERT_TRUE(grey);
  ExpectNear(PixelAt(*grey, 4, 4), {90, 90, 90, 255}, 2);

  // Inverted ink as Adobe stores it: no cyan, full magenta and yellow, no black.
  Bytes red;
  for (int i = 0; i < 64; ++i)
    red.insert(red.end(), {255, 0, 0, 255});
  const auto cmyk = DecodeImage(EncodeJpeg(8, 8, JCS_CMYK, 4, red));
  ASSERT_TRUE(cmyk);
  ExpectNear(PixelAt(*cmyk, 4, 4), {0, 0, 255, 255}, 4);
}

TEST(DecodeImage, DamagedFilesGiveNothing) {
  const Bytes png = EncodePng({32, 32, PNG_COLOR_TYPE_RGB, 8, GradientRgb(32)});
  const Bytes jpeg = EncodeJpeg(64, 64, JCS_RGB, 3, GradientRgb(64));
  ASSERT_TRUE(DecodeImage(png) && DecodeImage(jpeg));
  // In the header, in the middle of the pixel data, and just before the end.
  for (const std::size_t length :
       {std::size_t{8}, std::size_t{20}, std::size_t{40}, png.size() / 2})
    EXPECT_FALSE(DecodeImage(std::span(png).first(length))) << "PNG cut at " << length;
  for (const std::size_t length :
       {std::size_t{3}, std::size_t{30}, jpeg.size() - 500, jpeg.size() - 2})
    EXPECT_FALSE(DecodeImage(std::span(jpeg).first(length))) << "JPEG cut at " << length;
  Bytes flipped = png;
  flipped[png.size() / 2] ^= 0x5A; // inside the image data: its checksum fails
  EXPECT_FALSE(DecodeImage(flipped));
  // Cut short but closed with an end-of-image marker: libjpeg only warns.
  Bytes closed(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2));
  closed.insert(closed.end(), {0xFF, 0xD9});
  EXPECT_FALSE(DecodeImage(closed));
  Bytes garbage = {0xFF, 0xD8, 0xFF};
  for (int i = 0; i < 200; ++i)
    garbage.push_back(static_cast<std::uint8_t>(i * 37 + 11));
  EXPECT_FALSE(DecodeImage(garbage));
}

// --- Format detection and files -----------------------------------------------

// A few hundred bytes must not buy a gigabyte: a small file whose header
// claims 16384 x 16384 pixels is refused at once.
TEST(DecodeImage, ASmallFileClaimingAHugePictureIsRefusedQuickly) {
  Bytes jpeg = EncodeJpeg(8, 8, JCS_GRAYSCALE, 1, Bytes(64, 90));
  for (std::size_t i = 0; i + 9 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      for (std::size_t at : {i + 5, i + 7}) { // height, then width
        jpeg[at] = 0x40;
        jpeg[at + 1] = 0x00;
      }
      break;
    }
  Bytes png = EncodePng({1, 1, PNG_COLOR_TYPE_GRAY, 8, {7}});
  for (std::size_t at : {16u, 20u}) { // IHDR width and height
    png[at] = 0;
    png[at + 1] = 0;
    png[at + 2] = 0x40;
    png[at + 3] = 0;
  }
  const uLong crc = crc32(0, png.data() + 12, 17); // "IHDR" and its data
  for (int i = 0; i < 4; ++i)
    png[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));

  for (const Bytes *file : {&jpeg, &png}) {
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(DecodeImage(*file));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(300));
  }
}

TEST(DecodeImage, ReadsAFileAndGivesNothingForUnknownEmptyOrMissingInput) {
  EXPECT_FALSE(DecodeImage({}));
  const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
  EXPECT_FALSE(DecodeImage(gif));

  test::TempDir dir;
  const Bytes png = EncodePng({1, 1, PNG_COLOR_TYPE_GRAY, 8, {7}});
  test::WriteFile(dir.path() / "one.png", png);

  const auto image = DecodeImageFile(dir.path() / "one.png");
  ASSERT_TRUE(image);
  EXPECT_EQ(PixelAt(*image, 0, 0), (Bgra{7, 7, 7, 255}));
  EXPECT_FALSE(DecodeImageFile(dir.path() / "missing.png"));
  EXPECT_FALSE(DecodeImageFile(dir.path())); // a folder
}

} // namespace
} // namespace qv
