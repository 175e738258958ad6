// The fast bitmap's captures and file loading, and the thumbnails painted
// from a window's capture. Drawing a bitmap at its size or stretched is read
// back by the desktop picture and wallpaper tests.
#include "capture/fast_bitmap_win32.h"
#include "capture/thumbnail_renderer_win32.h"

#include "shell/composition_win32.h"
#include "shell/window_dc_win32.h"

#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/jpeg_encoder.h"
#include "tests/support/painted_window_win32.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ColourNear;
using test::PixelAt;
using test::WriteFile;

constexpr COLORREF kCrimson = RGB(200, 30, 60);
constexpr COLORREF kTeal = RGB(20, 140, 150);
constexpr COLORREF kMarker = RGB(1, 2, 3);

void Fill(TFastBitmap &bitmap, COLORREF colour) {
  const BitmapDc dc(bitmap.Handle());
  const UniqueBrush brush(CreateSolidBrush(colour));
  const RECT all = {0, 0, bitmap.Width(), bitmap.Height()};
  FillRect(dc.Get(), &all, brush.Get());
}

struct Probe {
  int x, y;
  COLORREF expected;
  int tolerance;
};

void ExpectPixels(const TFastBitmap &bitmap, std::initializer_list<Probe> probes) {
  for (const Probe &probe : probes)
    EXPECT_TRUE(ColourNear(PixelAt(bitmap, probe.x, probe.y), probe.expected, probe.tolerance))
        << "at " << probe.x << "," << probe.y << ": " << std::hex
        << PixelAt(bitmap, probe.x, probe.y);
}

// Left half `left`, right half `right`, as a 24-bit bottom-up Windows bitmap.
Bytes EncodeBmp(int width, int height, COLORREF left, COLORREF right) {
  const int rowSize = (width * 3 + 3) / 4 * 4;
  const BITMAPINFOHEADER info{sizeof(info), width, height, 1, 24, BI_RGB};
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(info);
  const BITMAPFILEHEADER header{0x4D42, offset + static_cast<DWORD>(rowSize * height), 0, 0,
                                offset};
  Bytes out(reinterpret_cast<const std::uint8_t *>(&header),
            reinterpret_cast<const std::uint8_t *>(&header + 1));
  out.insert(out.end(), reinterpret_cast<const std::uint8_t *>(&info),
             reinterpret_cast<const std::uint8_t *>(&info + 1));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF colour = x < width / 2 ? left : right;
      out.insert(out.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour)});
    }
    out.resize(out.size() + static_cast<std::size_t>(rowSize - width * 3));
  }
  return out;
}

TEST(FastBitmap, CapturesAWindowAtItsSizeAndTheScreenWholeOrReduced) {
  const UniqueWindow window(test::OpenPaintedWindow({100, 100, 220, 180}, kCrimson, WS_POPUP,
                                                    WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
  ASSERT_TRUE(test::ReachesScreen(window.Get()));
  TFastBitmap bitmap(window.Get());
  EXPECT_EQ(bitmap.Width(), 120);
  EXPECT_EQ(bitmap.Height(), 80);
  Fill(bitmap, kMarker);
  bitmap.CaptureWindow(window.Get());
  ExpectPixels(bitmap, {{0, 0, kCrimson, 0}, {119, 79, kCrimson, 0}});

  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  // A column from the screen's top row to its bottom one: the screen is read
  // in strips, and every row must arrive.
  const UniqueWindow column(test::OpenPaintedWindow({300, 0, 340, screenHeight}, kTeal, WS_POPUP,
                                                    WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
  ASSERT_TRUE(test::ReachesScreen(column.Get()));
  TFastBitmap whole(screenWidth, screenHeight);
  whole.CaptureScreen(screenWidth, screenHeight, 1);
  ExpectPixels(whole, {{160, 140, kCrimson, 0}});
  TFastBitmap reduced(screenWidth, screenHeight);
  Fill(reduced, kMarker);
  reduced.CaptureScreen(screenWidth, screenHeight, 2);
  std::vector<int> rows = {screenHeight - 1};
  for (int y = 0; y < screenHeight; y += 7)
    rows.push_back(y);
  for (const int y : rows) {
    ASSERT_TRUE(ColourNear(PixelAt(whole, 320, y), kTeal, 0)) << "row " << y;
    ASSERT_TRUE(ColourNear(PixelAt(reduced, 160, y / 2), kTeal, 2)) << "row " << y / 2;
  }
  // Only the top-left quarter is written.
  ExpectPixels(reduced, {{80, 70, kCrimson, 2},
                         {screenWidth / 2 + 1, 10, kMarker, 0},
                         {10, screenHeight / 2 + 1, kMarker, 0}});
}

TEST(FastBitmap, LoadsJpegOrBitmapFilesStretchedAndLeavesOthersAlone) {
  const test::TempDir folder;
  TFastBitmap bitmap(64, 32);
  Fill(bitmap, kMarker);
  // Names in capitals still count; only the given area is drawn.
  Bytes pixels;
  for (int i = 0; i < 16 * 8; ++i) {
    const COLORREF colour = i % 16 < 8 ? kCrimson : kTeal;
    pixels.insert(pixels.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour)});
  }
  const Bytes jpeg = test::EncodeJpeg(16, 8, JCS_RGB, 3, pixels, false);
  WriteFile(folder.path() / "WALLPAPER.JPG", jpeg);
  EXPECT_TRUE(bitmap.LoadFromFile(folder.path() / "WALLPAPER.JPG", 32, 16));
  ExpectPixels(bitmap, {{4, 4, kCrimson, 8}, {28, 12, kTeal, 8}, {40, 20, kMarker, 0}});

  // Other or unreadable files leave the bitmap unchanged.
  Fill(bitmap, kMarker);
  WriteFile(folder.path() / "picture.png", jpeg);
  EXPECT_FALSE(bitmap.LoadFromFile(folder.path() / "picture.png", 64, 32));
  WriteFile(folder.path() / "broken.jpeg", {0x00, 0x01, 0x02});
  EXPECT_FALSE(bitmap.LoadFromFile(folder.path() / "broken.jpeg", 64, 32));
  EXPECT_FALSE(bitmap.LoadFromFile(folder.path() / "missing.bmp", 64, 32));
  ExpectPixels(bitmap, {{10, 10, kMarker, 0}});

  // The last extension of the file's own name decides, whatever the rest of
  // the path says.
  WriteFile(folder.path() / "picture.jpg.bmp", EncodeBmp(10, 6, kTeal, kCrimson));
  EXPECT_TRUE(bitmap.LoadFromFile(folder.path() / "picture.jpg.bmp", 64, 32));
  ExpectPixels(bitmap, {{4, 4, kTeal, 2}, {60, 28, kCrimson, 2}});
  std::filesystem::create_directory(folder.path() / "old.bmp pictures");
  WriteFile(folder.path() / "old.bmp pictures" / "wallpaper.jpg", jpeg);
  EXPECT_TRUE(bitmap.LoadFromFile(folder.path() / "old.bmp pictures" / "wallpaper.jpg", 32, 16));
  ExpectPixels(bitmap, {{4, 4, kCrimson, 8}, {28, 12, kTeal, 8}});
}

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
      test::OpenPaintedWindow({100, 100, 500, 300}, kCrimson, WS_POPUP, WS_EX_TOOLWINDOW));
  test::PaintRightHalf(window.Get(), kTeal);
  UniqueWindow cover(test::OpenPaintedWindow({100, 100, 300, 300}, RGB(0, 200, 0), WS_POPUP,
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
  EXPECT_TRUE(ColourNear(PixelAt(*target, 60, 70), kCrimson, 8)) << "the left half, though covered";
  EXPECT_TRUE(ColourNear(PixelAt(*target, 160, 70), kTeal, 8));
  EXPECT_EQ(PixelAt(*target, 5, 70), RGB(0, 0, 0)) << "nothing outside its place";
  EXPECT_EQ(PixelAt(*target, 60, 125), RGB(0, 0, 0));

  thumbnail.Opacity = 128; // half opacity over black halves the colours
  EXPECT_TRUE(ColourNear(PixelAt(*Painted(thumbnail), 160, 70), RGB(10, 70, 75), 6));

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
