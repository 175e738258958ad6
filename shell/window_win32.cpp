#include "shell/window_win32.h"

namespace qv {

UniqueFont CreateUiFont(int pixelHeight, int weight) {
  return UniqueFont(CreateFontW(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                DEFAULT_PITCH, L"Segoe UI"));
}

int PointsToPixels(HWND window, int points) {
  return MulDiv(points, static_cast<int>(GetDpiForWindow(window)), 72);
}

void RegisterWindowClass(const wchar_t *name, WNDPROC procedure, HBRUSH background,
                         const wchar_t *cursor) {
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, cursor);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

int ScaleToWindow(HWND window, int pixels) {
  return MulDiv(pixels, static_cast<int>(GetDpiForWindow(window)), 96);
}

} // namespace qv
