#include "shell/settings/link_label_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/settings/glass_win32.h"
#include "shell/unique_handle_win32.h"

namespace qv {

namespace {

constexpr const wchar_t *kClassName = L"TLinkLabel";

struct Link {
  LinkStyle style;
  HFONT font = nullptr;
  UniqueFont underlined;
  bool hot = false;
};

Link *LinkOf(HWND window) {
  return reinterpret_cast<Link *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void SetFont(Link &link, HFONT font) {
  link.font = font;
  LOGFONTW description{};
  if (font && GetObjectW(font, sizeof(description), &description)) {
    description.lfUnderline = TRUE;
    link.underlined.Reset(CreateFontIndirectW(&description));
  }
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Paint(HWND window, Link &link) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  const std::wstring text = WindowText(window);
  const COLORREF colour = link.hot ? link.style.hover : link.style.normal;
  const HFONT font = link.hot && link.underlined ? link.underlined.Get() : link.font;
  if (link.style.onGlass && Glass::Get().Available()) {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Glass::Get().DrawText(window, dc, client, text, font, colour, 0);
  } else {
    UniqueBrush background(CreateSolidBrush(link.style.background));
    FillRect(dc, &client, background.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    DrawTextW(dc, text.c_str(), -1, &client,
              link.style.align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
  }
  EndPaint(window, &paint);
}

void SetHot(HWND window, Link &link, bool hot) {
  if (link.hot == hot)
    return;
  link.hot = hot;
  if (hot) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
  }
  InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK LinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
    auto *link = new Link;
    link->style = *static_cast<const LinkStyle *>(create->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link));
  }
  Link *link = LinkOf(window);
  if (!link)
    return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
  case WM_NCDESTROY:
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete link;
    break;
  case WM_SETFONT:
    SetFont(*link, reinterpret_cast<HFONT>(wParam));
    if (lParam)
      InvalidateRect(window, nullptr, FALSE);
    return 0;
  case WM_GETFONT:
    return reinterpret_cast<LRESULT>(link->font);
  case WM_SETTEXT: {
    const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
    InvalidateRect(window, nullptr, FALSE);
    return result;
  }
  case WM_PAINT:
    Paint(window, *link);
    return 0;
  case WM_ERASEBKGND:
    return 1;
  case WM_MOUSEMOVE:
    SetHot(window, *link, true);
    return 0;
  case WM_MOUSELEAVE:
    SetHot(window, *link, false);
    return 0;
  case WM_LBUTTONDOWN:
    SetCapture(window);
    return 0;
  case WM_LBUTTONUP: {
    if (GetCapture() != window)
      return 0;
    ReleaseCapture();
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT client{};
    GetClientRect(window, &client);
    if (PtInRect(&client, point))
      SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
                   reinterpret_cast<LPARAM>(window));
    return 0;
  }
  default:
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterLinkClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{sizeof(windowClass)};
    windowClass.lpfnWndProc = LinkProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_HAND);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

} // namespace

HWND CreateLinkLabel(HWND parent, int id, const std::string &text, const LinkStyle &style, int x,
                     int y, int width, int height, HFONT font) {
  RegisterLinkClass();
  HWND link = CreateWindowExW(0, kClassName, AnsiToWide(text).c_str(), WS_CHILD | WS_VISIBLE, x, y,
                              width, height, parent, reinterpret_cast<HMENU>(INT_PTR{id}),
                              GetModuleHandleW(nullptr), const_cast<LinkStyle *>(&style));
  SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return link;
}

} // namespace qv
