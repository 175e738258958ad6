#pragma once
#include <windows.h>

#include <string>

namespace qv {

// How a link looks: its text colour, the colour under the mouse (where it
// is also underlined) and what it stands on.
struct LinkStyle {
  COLORREF normal = RGB(0x00, 0x66, 0xCC);
  COLORREF hover = RGB(0x33, 0x99, 0xFF);
  COLORREF background = RGB(0xFF, 0xFF, 0xFF);
  bool onGlass = false; // drawn as glowing text on the glass header
  UINT align = DT_LEFT;
};

// A clickable text with a hand cursor. A click sends the parent WM_COMMAND
// with the link's id and STN_CLICKED. Its text is a caption like any
// label's, so TranslateForm translates it.
HWND CreateLinkLabel(HWND parent, int id, const std::string &text, const LinkStyle &style, int x,
                     int y, int width, int height, HFONT font);

} // namespace qv
