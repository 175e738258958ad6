#include "capture/thumbnail_renderer_win32.h"

#include "capture/fast_bitmap_win32.h"
#include "shell/composition_win32.h"
#include "shell/window_dc_win32.h"
#include "tests/support/message_loop_win32.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace qv {
namespace {

constexpr COLORREF kLeftColour = RGB(200, 30, 60);
constexpr COLORREF kRightColour = RGB(20, 140, 150);

// A window whose left half and right half show two colours, on the screen
// and when asked to print itself; half of it lies under another window.
LRESULT CALLBACK TwoColourProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto paint = [window](HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    RECT left = client, right = client;
    left.right = right.left = client.right / 2;
    const HBRUSH first = CreateSolidBrush(kLeftColour), second = CreateSolidBrush(kRightColour);
    FillRect(dc, &left, first);
    FillRect(dc, &right, second);
    DeleteObject(first);
    DeleteObject(second);
  };
  if (message == WM_PAINT) {
    PAINTSTRUCT ps{};
    paint(BeginPaint(window, &ps));
    EndPaint(window, &ps);
    return 0;
  }
  if (message == WM_PRINTCLIENT) {
    paint(reinterpret_cast<HDC>(wParam));
    return 0;
  }
  if (message == WM_ERASEBKGND)
    return 1;
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateTwoColourWindow(int x, int y, int width, int height) {
  static const ATOM windowClass = [] {
    WNDCLASSW description{};
    description.lpfnWndProc = TwoColourProc;
    description.hInstance = GetModuleHandleW(nullptr);
    description.lpszClassName = L"QvThumbnailTestWindow";
    return RegisterClassW(&description);
  }();
  HWND window =
      CreateWindowExW(WS_EX_TOOLWINDOW, MAKEINTATOM(windowClass), L"", WS_POPUP, x, y, width,
                      height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  for (int round = 0; round < 10; ++round) {
    test::PumpMessages();
    Sleep(20);
  }
  return window;
}

// A picture to paint thumbnails into, black to begin with.
class Target {
public:
  Target(int width, int height) : bitmap_(width, height), dc_(bitmap_.Handle()) {
    PatBlt(dc_.Get(), 0, 0, width, height, BLACKNESS);
  }
  HDC Dc() const { return dc_.Get(); }
  COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }

private:
  TFastBitmap bitmap_;
  BitmapDc dc_;
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(ThumbnailRenderer, PaintsACoveredWindowScaledIntoItsPlaceAtItsOpacity) {
  HWND window = CreateTwoColourWindow(100, 100, 400, 200);
  HWND cover = CreateTwoColourWindow(100, 100, 200, 200); // over the left half
  const WindowPainting painting;
  TThumbnailRenderer thumbnail(nullptr, window, RenderingKind::Default, painting);
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
  Target target(300, 200);
  thumbnail.PaintTo(target.Dc());
  EXPECT_TRUE(Near(target.At(60, 70), kLeftColour, 8)) << "the left half, though covered";
  EXPECT_TRUE(Near(target.At(160, 70), kRightColour, 8));
  EXPECT_EQ(target.At(5, 70), RGB(0, 0, 0)) << "nothing outside its place";
  EXPECT_EQ(target.At(60, 125), RGB(0, 0, 0));

  // Half opacity over black halves the colours.
  thumbnail.Opacity = 128;
  Target blended(300, 200);
  thumbnail.PaintTo(blended.Dc());
  EXPECT_TRUE(Near(blended.At(160, 70), RGB(10, 70, 75), 6));

  EXPECT_TRUE(thumbnail.Contains(210, 120)) << "edges included";
  EXPECT_FALSE(thumbnail.Contains(211, 120));
  DestroyWindow(cover);
  DestroyWindow(window);
  TThumbnailRenderer gone(nullptr, window, RenderingKind::Default, painting);
  EXPECT_FALSE(gone.Capture()) << "a window that no longer exists";
}

} // namespace
} // namespace qv
