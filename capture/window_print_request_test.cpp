// Window prints: the shared section's entries the hook library writes through, and the
// pixel arithmetic that shrinks prints and thumbnails and darkens the exposer's background.
#include "capture/window_print_request.h"

#include "capture/pixel_arithmetic.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

// The library writes pixels wherever an entry says, for any process that
// asks: no entry may point it outside the section or over the entries.
TEST(WindowPrintRequestTest, RefusesHugeWindowsAndEntriesPointingOutsideTheSectionBehindThem) {
  const std::uint32_t count = 2;
  const std::uint64_t first = WindowPrintEntriesEnd(count);
  const std::uint64_t bytes = 10 * 10 * 4;
  const std::uint64_t section = first + 2 * bytes;
  // A 40 x 30 window shrunk to 10 x 10.
  const auto entry = [](std::uint64_t offset, std::int32_t width = 10, std::int32_t height = 10) {
    return WindowPrintEntry{1, 40, 30, width, height, offset, kWindowPrintAsked, 0};
  };
  EXPECT_TRUE(WindowPrintEntryFits(entry(first), count, section));
  EXPECT_TRUE(WindowPrintEntryFits(entry(first + bytes), count, section)) << "ends at the end";
  EXPECT_FALSE(WindowPrintEntryFits(entry(first + bytes + 4), count, section)) << "one row past";
  EXPECT_FALSE(WindowPrintEntryFits(entry(first - 4), count, section)) << "over an entry";
  EXPECT_FALSE(WindowPrintEntryFits(entry(first + 2), count, section)) << "unaligned";
  EXPECT_FALSE(WindowPrintEntryFits(entry(~std::uint64_t{0} - 3), count, section)) << "wraps";
  EXPECT_FALSE(WindowPrintEntryFits(entry(first, 0, 10), count, section)) << "empty";
  WindowPrintEntry huge = entry(first);
  huge.Width = kWindowPrintMaxSide + 1;
  EXPECT_FALSE(WindowPrintEntryFits(huge, count, section)) << "a window too big to print";
  EXPECT_FALSE(WindowPrintEntryFits(entry(first), count, first - 1)) << "entries cut off";
  EXPECT_FALSE(WindowPrintEntryFits(entry(first), kWindowPrintMaxCount + 1, ~std::uint64_t{0}));
  EXPECT_FALSE(WindowPrintCountFits(0, section));

  EXPECT_EQ(WindowPrintPixelBytes(400, 300), 400u * 300u * 4u);
  EXPECT_EQ(WindowPrintPixelBytes(0, 300), 0u);
  EXPECT_EQ(WindowPrintPixelBytes(400, -1), 0u);
  EXPECT_EQ(WindowPrintPixelBytes(8193, 10), 0u) << "too wide";
  EXPECT_EQ(WindowPrintPixelBytes(4096, 4096), 0u) << "too many pixels";
  EXPECT_NE(WindowPrintPixelBytes(3840, 2160), 0u) << "a 4K screen fits";
}

TEST(PixelArithmetic, ShrinkingAveragesEachChannelAndDarkeningScalesTheColoursOnly) {
  // 4 x 2 into 2 x 1: each target pixel covers a 2 x 2 block.
  const std::vector<std::uint32_t> source{0x00000000, 0x04080C10, 0xFF000000, 0xFF0000FF,
                                          0x0C080400, 0x00000000, 0xFF000000, 0xFF0000FF};
  std::vector<std::uint32_t> target(2, 0xDEADBEEF);
  ResamplePixels(source.data(), 4, 2, 4, target.data(), 2, 1);
  EXPECT_EQ(target[0], 0x04040404u);
  EXPECT_EQ(target[1], 0xFF000080u); // 127.5 rounds up

  std::vector<std::uint32_t> pixels{0xFFFFFFFF, 0x00804020, 0x12000000};
  DarkenPixels(pixels.data(), pixels.size(), 200);
  // 255 * 55 / 255 = 55 (0x37); 128 -> 27.6 -> 28; 64 -> 13.8 -> 14; 32 -> 6.9 -> 7.
  EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0xFF373737, 0x001C0E07, 0x12000000}));
}

TEST(PixelArithmetic, UnevenRatiosCoverEverySourcePixelOnceAndEnlargingRepeatsThem) {
  // 5 wide into 2: spans of 2 and 3 pixels, none left out or read twice;
  // the rows are 6 pixels apart, and the sixth is never read.
  const std::vector<std::uint32_t> rows{10, 20, 30, 60, 90, 255, 10, 20, 30, 60, 90, 255};
  std::vector<std::uint32_t> shrunk(2);
  ResamplePixels(rows.data(), 5, 2, 6, shrunk.data(), 2, 1);
  EXPECT_EQ(shrunk, (std::vector<std::uint32_t>{15, 60}));

  const std::vector<std::uint32_t> pair{1, 2};
  std::vector<std::uint32_t> enlarged(3 * 2);
  ResamplePixels(pair.data(), 2, 1, 2, enlarged.data(), 3, 2);
  EXPECT_EQ(enlarged, (std::vector<std::uint32_t>{1, 1, 2, 1, 1, 2}));

  std::vector<std::uint32_t> untouched{7};
  ResamplePixels(pair.data(), 2, 1, 2, untouched.data(), 0, 1);
  ResamplePixels(pair.data(), 0, 1, 0, untouched.data(), 1, 1);
  ResamplePixels(pair.data(), 2, 1, 1, untouched.data(), 1, 1);
  EXPECT_EQ(untouched[0], 7u);
}

} // namespace
} // namespace qv
