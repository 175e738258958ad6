#include "capture/fast_bitmap_win32.h"

#include "shell/window_dc_win32.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/jpeg_encoder.h"
#include "tests/support/message_loop_win32.h"
#include "tests/support/painted_window_win32.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr COLORREF kCrimson = RGB(200, 30, 60);
constexpr COLORREF kTeal = RGB(20, 140, 150);
constexpr COLORREF kMarker = RGB(1, 2, 3);

void ExpectColour(COLORREF actual, COLORREF expected, int tolerance = 0) {
  EXPECT_NEAR(GetRValue(actual), GetRValue(expected), tolerance);
  EXPECT_NEAR(GetGValue(actual), GetGValue(expected), tolerance);
  EXPECT_NEAR(GetBValue(actual), GetBValue(expected), tolerance);
}

using test::PixelAt;

void Fill(TFastBitmap &bitmap, COLORREF colour) {
  const BitmapDc dc(bitmap.Handle());
  const HBRUSH brush = CreateSolidBrush(colour);
  const RECT all = {0, 0, bitmap.Width(), bitmap.Height()};
  FillRect(dc.Get(), &all, brush);
  DeleteObject(brush);
}

// A borderless top-most window filled with one colour, on the screen.
class PaintedWindow {
public:
  PaintedWindow(RECT rect, COLORREF colour)
      : handle_(test::OpenPaintedWindow(rect, colour, WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) {
    // Wine maps a window asynchronously: give it time to reach the screen.
    for (int round = 0; round < 20; ++round) {
      test::PumpMessages();
      Sleep(25);
    }
  }
  ~PaintedWindow() { DestroyWindow(handle_); }
  PaintedWindow(const PaintedWindow &) = delete;
  PaintedWindow &operator=(const PaintedWindow &) = delete;
  HWND Handle() const { return handle_; }

private:
  HWND handle_ = nullptr;
};

// Left half `left`, right half `right`, as a JPEG file of the usual kind.
Bytes EncodeJpeg(int width, int height, COLORREF left, COLORREF right) {
  Bytes pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF colour = x < width / 2 ? left : right;
      pixels.insert(pixels.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour)});
    }
  }
  return test::EncodeJpeg(width, height, JCS_RGB, 3, pixels, false);
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

void WriteFile(const std::filesystem::path &path, const Bytes &bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char *>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(FastBitmap, HasTheSizeOfTheWindowItCaptures) {
  const PaintedWindow window({100, 100, 220, 180}, kCrimson);
  TFastBitmap bitmap(window.Handle());
  EXPECT_EQ(bitmap.Width(), 120);
  EXPECT_EQ(bitmap.Height(), 80);
  Fill(bitmap, kMarker);
  bitmap.CaptureWindow(window.Handle());
  ExpectColour(PixelAt(bitmap, 0, 0), kCrimson);
  ExpectColour(PixelAt(bitmap, 119, 79), kCrimson);
}

TEST(FastBitmap, CapturesTheScreenWholeOrReduced) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const PaintedWindow window({200, 200, 400, 400}, kTeal);

  TFastBitmap whole(screenWidth, screenHeight);
  whole.CaptureScreen(screenWidth, screenHeight, 1);
  ExpectColour(PixelAt(whole, 300, 300), kTeal);

  TFastBitmap reduced(screenWidth, screenHeight);
  Fill(reduced, kMarker);
  reduced.CaptureScreen(screenWidth, screenHeight, 2);
  ExpectColour(PixelAt(reduced, 150, 150), kTeal, 2);
  // Only the top-left quarter is written.
  ExpectColour(PixelAt(reduced, screenWidth / 2 + 1, 10), kMarker);
  ExpectColour(PixelAt(reduced, 10, screenHeight / 2 + 1), kMarker);
}

TEST(FastBitmap, DrawsUnscaledOrStretched) {
  TFastBitmap source(8, 8);
  Fill(source, kTeal);
  TFastBitmap target(32, 32);
  Fill(target, kMarker);

  {
    const BitmapDc dc(target.Handle());
    source.DrawTo(dc.Get(), 2, 2, 4, 4);
    source.StretchTo(dc.Get(), 16, 16, 16, 16);
  }

  ExpectColour(PixelAt(target, 1, 1), kMarker);
  ExpectColour(PixelAt(target, 2, 2), kTeal);
  ExpectColour(PixelAt(target, 5, 5), kTeal);
  ExpectColour(PixelAt(target, 6, 6), kMarker);
  ExpectColour(PixelAt(target, 15, 15), kMarker);
  ExpectColour(PixelAt(target, 16, 16), kTeal, 2);
  ExpectColour(PixelAt(target, 31, 31), kTeal, 2);
}

TEST(FastBitmap, LoadsJpegOrBitmapFilesStretchedAndLeavesOthersAlone) {
  const test::TempDir folder;
  TFastBitmap bitmap(64, 32);
  Fill(bitmap, kMarker);
  // Names in capitals still count; only the given area is drawn.
  const auto jpeg = folder.path() / "WALLPAPER.JPG";
  WriteFile(jpeg, EncodeJpeg(16, 8, kCrimson, kTeal));
  EXPECT_TRUE(bitmap.LoadFromFile(jpeg, 32, 16));
  ExpectColour(PixelAt(bitmap, 4, 4), kCrimson, 8);
  ExpectColour(PixelAt(bitmap, 28, 12), kTeal, 8);
  ExpectColour(PixelAt(bitmap, 40, 20), kMarker);

  // Other or unreadable files leave the bitmap unchanged.
  Fill(bitmap, kMarker);
  const auto png = folder.path() / "picture.png";
  WriteFile(png, EncodeJpeg(16, 8, kCrimson, kCrimson));
  EXPECT_FALSE(bitmap.LoadFromFile(png, 64, 32));
  const auto corrupt = folder.path() / "broken.jpeg";
  WriteFile(corrupt, {0x00, 0x01, 0x02});
  EXPECT_FALSE(bitmap.LoadFromFile(corrupt, 64, 32));
  EXPECT_FALSE(bitmap.LoadFromFile(folder.path() / "missing.bmp", 64, 32));
  ExpectColour(PixelAt(bitmap, 10, 10), kMarker);

  // The last extension decides.
  const auto bmp = folder.path() / "picture.jpg.bmp";
  WriteFile(bmp, EncodeBmp(10, 6, kTeal, kCrimson));
  EXPECT_TRUE(bitmap.LoadFromFile(bmp, 64, 32));
  ExpectColour(PixelAt(bitmap, 4, 4), kTeal, 2);
  ExpectColour(PixelAt(bitmap, 60, 28), kCrimson, 2);
}

} // namespace
} // namespace qv
