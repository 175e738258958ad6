#include "capture/thumbnail_renderer_win32.h"

#include "capture/fast_bitmap_win32.h"
#include "shell/composition_win32.h"
#include "tests/support/painted_window_win32.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv {
namespace {

constexpr COLORREF kLeftColour = RGB(200, 30, 60);
constexpr COLORREF kRightColour = RGB(20, 140, 150);
constexpr COLORREF kCoverColour = RGB(0, 200, 0);

// Paints `thumbnail` into a black picture of 300 x 200 and returns it.
std::unique_ptr<TFastBitmap> Painted(TThumbnailRenderer &thumbnail) {
  auto picture = std::make_unique<TFastBitmap>(300, 200);
  const BitmapDc dc(picture->Handle());
  PatBlt(dc.Get(), 0, 0, 300, 200, BLACKNESS);
  thumbnail.PaintTo(dc.Get());
  return picture;
}

TEST(ThumbnailRenderer, PaintsACoveredWindowScaledIntoItsPlaceAtItsOpacity) {
  UniqueWindow window(
      test::OpenPaintedWindow({100, 100, 500, 300}, kLeftColour, WS_POPUP, WS_EX_TOOLWINDOW));
  test::PaintRightHalf(window.Get(), kRightColour);
  UniqueWindow cover(test::OpenPaintedWindow({100, 100, 300, 300}, kCoverColour, WS_POPUP,
                                             WS_EX_TOOLWINDOW)); // over the left half
  ASSERT_TRUE(test::ReachesScreen(cover.Get()));
  const WindowPainting painting;
  TThumbnailRenderer thumbnail(nullptr, window.Get(), RenderingKind::Default, painting);
  if (!CompositionEnabled()) {
    EXPECT_FALSE(thumbnail.Register()) << "no composition: the thumbnail is painted";
    EXPECT_FALSE(thumbnail.Composed());
  }
  EXPECT_FALSE(thumbnail.HasPicture());
  ASSERT_TRUE(thumbnail.Capture());
  thumbnail.Left = 10;
  thumbnail.Top = 20;
  thumbnail.Width = 200;
  thumbnail.Height = 100;
  auto target = Painted(thumbnail);
  EXPECT_TRUE(test::ColourNear(test::PixelAt(*target, 60, 70), kLeftColour, 8))
      << "the left half, though covered";
  EXPECT_TRUE(test::ColourNear(test::PixelAt(*target, 160, 70), kRightColour, 8));
  EXPECT_EQ(test::PixelAt(*target, 5, 70), RGB(0, 0, 0)) << "nothing outside its place";
  EXPECT_EQ(test::PixelAt(*target, 60, 125), RGB(0, 0, 0));

  thumbnail.Opacity = 128; // half opacity over black halves the colours
  EXPECT_TRUE(test::ColourNear(test::PixelAt(*Painted(thumbnail), 160, 70), RGB(10, 70, 75), 6));

  EXPECT_TRUE(thumbnail.Contains(210, 120)) << "edges included";
  EXPECT_FALSE(thumbnail.Contains(211, 120));
  const HWND gone = window.Get();
  cover.Reset();
  window.Reset();
  EXPECT_FALSE(TThumbnailRenderer(nullptr, gone, RenderingKind::Default, painting).Capture())
      << "a window that no longer exists";
}

} // namespace
} // namespace qv
