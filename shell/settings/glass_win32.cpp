#include "shell/settings/glass_win32.h"

#include <uxtheme.h>

namespace qv {

namespace {

using IsCompositionEnabledFunction = HRESULT(WINAPI *)(BOOL *);
using ExtendFrameFunction = HRESULT(WINAPI *)(HWND, const MARGINS *);
using OpenThemeDataFunction = HTHEME(WINAPI *)(HWND, LPCWSTR);
using CloseThemeDataFunction = HRESULT(WINAPI *)(HTHEME);
using DrawThemeTextExFunction = HRESULT(WINAPI *)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD,
                                                  LPRECT, const DTTOPTS *);

// Text colour, glow size and composited drawing (DTT_TEXTCOLOR |
// DTT_GLOWSIZE | DTT_COMPOSITED).
constexpr DWORD kGlowTextFlags = 0x2801;

void *Function(HMODULE module, const char *name) {
  return module ? reinterpret_cast<void *>(GetProcAddress(module, name)) : nullptr;
}

template <typename Type> Type As(void *function) {
  return reinterpret_cast<Type>(function);
}

} // namespace

const Glass &Glass::Get() {
  static const Glass glass;
  return glass;
}

Glass::Glass()
    : dwm_(LoadLibraryW(L"dwmapi.dll")), theme_(LoadLibraryW(L"uxtheme.dll")),
      isCompositionEnabled_(Function(dwm_, "DwmIsCompositionEnabled")),
      extendFrame_(Function(dwm_, "DwmExtendFrameIntoClientArea")),
      openThemeData_(Function(theme_, "OpenThemeData")),
      closeThemeData_(Function(theme_, "CloseThemeData")),
      drawThemeTextEx_(Function(theme_, "DrawThemeTextEx")) {}

bool Glass::Available() const {
  if (!isCompositionEnabled_ || !extendFrame_ || !openThemeData_ || !closeThemeData_ ||
      !drawThemeTextEx_)
    return false;
  BOOL enabled = FALSE;
  return SUCCEEDED(As<IsCompositionEnabledFunction>(isCompositionEnabled_)(&enabled)) && enabled;
}

void Glass::ExtendIntoClient(HWND window, int height) const {
  if (!extendFrame_)
    return;
  const MARGINS margins{0, 0, height, 0};
  As<ExtendFrameFunction>(extendFrame_)(window, &margins);
}

void Glass::DrawText(HWND window, HDC dc, const RECT &area, const std::wstring &text, HFONT font,
                     COLORREF colour, int glowSize) const {
  if (!openThemeData_ || !drawThemeTextEx_)
    return;
  const HTHEME theme = As<OpenThemeDataFunction>(openThemeData_)(window, L"Window");
  if (!theme)
    return;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC memory = CreateCompatibleDC(dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory && bitmap) {
    const HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    const HGDIOBJ oldFont = SelectObject(memory, font);
    DTTOPTS options{};
    options.dwSize = sizeof(options);
    options.dwFlags = kGlowTextFlags;
    options.crText = colour;
    options.iGlowSize = glowSize;
    RECT textArea{0, 0, width, height};
    As<DrawThemeTextExFunction>(drawThemeTextEx_)(
        theme, memory, 0, 0, text.c_str(), -1, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX,
        &textArea, &options);
    BitBlt(dc, area.left, area.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
  }
  if (bitmap)
    DeleteObject(bitmap);
  if (memory)
    DeleteDC(memory);
  As<CloseThemeDataFunction>(closeThemeData_)(theme);
}

} // namespace qv
