#pragma once
// Windows of the test's own process filled with one colour, and the colour
// of a pixel of a bitmap: what the capture tests take pictures of and read.
#include "capture/fast_bitmap_win32.h"

#include <windows.h>

namespace qv::test {

// Fills the client area with the colour kept as the window's user data, on
// the screen and in a print of the window alike.
inline LRESULT CALLBACK PaintedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto paint = [window](HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    HBRUSH brush =
        CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA)));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
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

inline COLORREF PixelAt(const TFastBitmap &picture, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, picture.Handle());
  const COLORREF pixel = GetPixel(dc, x, y);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return pixel;
}

} // namespace qv::test
