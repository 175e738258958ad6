#include "capture/window_print_request.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(WindowPrintRequestTest, RefusesEmptyAndHugeWindows) {
  EXPECT_EQ(WindowPrintPixelBytes(400, 300), 400u * 300u * 4u);
  EXPECT_EQ(WindowPrintPixelBytes(0, 300), 0u);
  EXPECT_EQ(WindowPrintPixelBytes(400, -1), 0u);
  EXPECT_EQ(WindowPrintPixelBytes(8193, 10), 0u) << "too wide";
  EXPECT_EQ(WindowPrintPixelBytes(4096, 4096), 0u) << "too many pixels";
  EXPECT_NE(WindowPrintPixelBytes(3840, 2160), 0u) << "a 4K screen fits";
}

} // namespace
} // namespace qv
