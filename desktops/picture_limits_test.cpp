#include "desktops/picture_limits.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

// The start of a JPEG: an application segment, then a baseline frame header.
std::vector<std::uint8_t> JpegHead(std::uint16_t width, std::uint16_t height) {
  std::vector<std::uint8_t> head = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x4A,
                                    0x46, 0xFF, 0xC0, 0x00, 0x0B, 0x08};
  for (const std::uint16_t side : {height, width})
    head.insert(head.end(),
                {static_cast<std::uint8_t>(side >> 8), static_cast<std::uint8_t>(side)});
  head.push_back(0x01);
  return head;
}

TEST(PictureLimits, ReadsTheStatedSizeAndASmallFileCannotClaimAHugePicture) {
  const auto jpeg = ReadPictureSize(JpegHead(1920, 1080));
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(std::pair(jpeg->width, jpeg->height), std::pair(1920u, 1080u));

  std::vector<std::uint8_t> bitmap(54, 0);
  bitmap[0] = 'B', bitmap[1] = 'M', bitmap[14] = 40;
  bitmap[18] = 0x80, bitmap[19] = 0x02;                                 // width 640
  bitmap[22] = 0x20, bitmap[23] = 0xFE, bitmap[24] = bitmap[25] = 0xFF; // -480: rows top-down
  const auto size = ReadPictureSize(bitmap);
  ASSERT_TRUE(size);
  EXPECT_EQ(std::pair(size->width, size->height), std::pair(640u, 480u));
  // Uncompressed, 640 x 480 pixels need at least 38400 bytes.
  EXPECT_FALSE(WithinDecodeLimit(*size, 30000));
  EXPECT_TRUE(WithinDecodeLimit(*size, 640 * 480 * 3 + 54));

  EXPECT_FALSE(ReadPictureSize(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xE0, 0x00}));
  EXPECT_FALSE(ReadPictureSize(std::vector<std::uint8_t>{'G', 'I', 'F', '8'}));

  // 200 bytes that claim 60000 x 60000 pixels (14 GB decoded).
  EXPECT_FALSE(WithinDecodeLimit({60000, 60000}, 200));
  EXPECT_TRUE(WithinDecodeLimit({1920, 1080}, 300 * 1024));
  // Past the ceiling however long the file.
  EXPECT_FALSE(WithinDecodeLimit({20000, 20000}, 60u << 20));
  EXPECT_FALSE(WithinDecodeLimit({0, 1080}, 300 * 1024));
}

} // namespace
} // namespace qv
