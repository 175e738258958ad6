#pragma once
#include "shell/unique_handle_win32.h"

namespace qv {

// The object a window belongs to: the CreateWindowEx parameter, kept in the
// window's user data from WM_NCCREATE on. Null before that.
template <typename Owner> Owner *WindowOwner(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<Owner *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The user-interface font, "Segoe UI", `pixelHeight` pixels high.
UniqueFont CreateUiFont(int pixelHeight, int weight = FW_NORMAL);

// Registers a window class of this executable; a class registered before
// stays as it is.
void RegisterWindowClass(const wchar_t *name, WNDPROC procedure, HBRUSH background = nullptr,
                         const wchar_t *cursor = IDC_ARROW);

// `points` of type size in pixels at the window's DPI.
int PointsToPixels(HWND window, int points);
// `pixels` at 96 DPI scaled to the window's DPI.
int ScaleToWindow(HWND window, int pixels);

} // namespace qv
