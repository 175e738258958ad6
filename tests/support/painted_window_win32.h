#pragma once
// Windows of the test's own process filled with one colour, and the colour
// of a pixel of a bitmap: what the capture tests take pictures of and read.
#include "capture/fast_bitmap_win32.h"
#include "shell/window_dc_win32.h"
#include "tests/support/message_loop_win32.h"

#include <windows.h>

#include <cstdlib>

namespace qv::test {

// Fills the client area with the colour kept as the window's user data, and
// its right half with the one of the property "QvRightHalf" where it has one,
// on the screen and in a print of the window alike.
inline LRESULT CALLBACK PaintedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto paint = [window](HDC dc) {
    const auto fill = [dc](const RECT &area, COLORREF colour) {
      const UniqueBrush brush(CreateSolidBrush(colour));
      FillRect(dc, &area, brush.Get());
    };
    RECT client{};
    GetClientRect(window, &client);
    fill(client, static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA)));
    if (const HANDLE right = GetPropW(window, L"QvRightHalf")) {
      client.left = client.right / 2;
      fill(client, static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(right)));
    }
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
  return DefWindowProcW(window, message, wParam, lParam);
}

// A shown window of the class "QvPaintedWindow" filled with `colour`.
inline HWND OpenPaintedWindow(RECT at, COLORREF colour, DWORD style = WS_POPUP,
                              DWORD exStyle = WS_EX_TOPMOST) {
  static const ATOM windowClass = [] {
    WNDCLASSW description{};
    description.lpfnWndProc = PaintedWindowProc;
    description.hInstance = GetModuleHandleW(nullptr);
    description.lpszClassName = L"QvPaintedWindow";
    return RegisterClassW(&description);
  }();
  HWND window = CreateWindowExW(exStyle, MAKEINTATOM(windowClass), L"", style, at.left, at.top,
                                at.right - at.left, at.bottom - at.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  return window;
}

// Paints the right half of a painted window in `colour`, which is not black.
inline void PaintRightHalf(HWND window, COLORREF colour) {
  SetPropW(window, L"QvRightHalf", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(colour)));
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

inline bool ColourNear(COLORREF a, COLORREF b, int tolerance = 0) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Wine maps a window in its own time: waits until the screen shows the
// painted window's top-left pixel.
inline bool ReachesScreen(HWND window) {
  POINT corner{0, 0};
  ClientToScreen(window, &corner);
  const auto colour = static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return PumpMessagesUntil(
      [&] { return GetPixel(WindowDc(nullptr).Get(), corner.x, corner.y) == colour; });
}

inline COLORREF PixelAt(const TFastBitmap &picture, int x, int y) {
  return GetPixel(BitmapDc(picture.Handle()).Get(), x, y);
}

} // namespace qv::test
