#include "overlays/desktop_preview_win32.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(DesktopPreview, SitsAboveTheTaskbarAtTheBottomRightAtItsScale) {
  EXPECT_EQ(PreviewClientSize(1280, 1024, 0.25), (LayoutRect{920, 704, 352, 288}));
  const LayoutRect large = PreviewClientSize(1280, 1024, 0.9);
  EXPECT_EQ(large.Right(), 1280 - 8);
  EXPECT_EQ(large.Bottom(), 1024 - 32);
}

} // namespace
} // namespace qv
