#pragma once
#include <windows.h>

#include <string>

namespace qv {

// Desktop composition and glowing theme text, looked up at run time because
// not every system has them. Where composition is off (or missing, as under
// Wine) the settings window's header is drawn plainly instead.
class Glass {
public:
  static const Glass &Get();

  // Composition is on and glowing text can be drawn.
  bool Available() const;
  // Makes the top `height` client pixels of the window a sheet of glass.
  void ExtendIntoClient(HWND window, int height) const;
  // Draws one line of text centred in `area` as glowing theme text: into a
  // 32-bit top-down DIB section covering the area, then copied to `dc`.
  void DrawText(HWND window, HDC dc, const RECT &area, const std::wstring &text, HFONT font,
                COLORREF colour, int glowSize) const;

private:
  Glass();

  struct Functions;
  HMODULE dwm_ = nullptr;
  HMODULE theme_ = nullptr;
  void *isCompositionEnabled_ = nullptr;
  void *extendFrame_ = nullptr;
  void *openThemeData_ = nullptr;
  void *closeThemeData_ = nullptr;
  void *drawThemeTextEx_ = nullptr;
};

} // namespace qv
