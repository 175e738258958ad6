#include "capture/window_print_request.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace qv
