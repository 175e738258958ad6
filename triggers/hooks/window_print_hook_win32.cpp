// Prints a window of the program the library is loaded into, on request of
// Quadrivista, into memory the two share (see capture/window_print_request.h).
// It runs on the window's own thread, inside the window's own process, where
// the window's printing works even where a print from outside draws nothing.
#include "capture/window_print_request.h"
#include "triggers/hooks/hooks_internal_win32.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace qv::hooks {
namespace {

UINT WindowPrintMessage() {
  static const UINT message = RegisterWindowMessageA(kWindowPrintMessageName);
  return message;
}

// The requester's section while the object lives.
class SharedPicture {
public:
  SharedPicture(DWORD process, DWORD number) {
    wchar_t name[kWindowPrintNameLength];
    WindowPrintSectionName(process, number, name);
    section_ = OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name);
    if (section_)
      view_ = MapViewOfFile(section_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
  }
  ~SharedPicture() {
    if (view_)
      UnmapViewOfFile(view_);
    if (section_)
      CloseHandle(section_);
  }
  SharedPicture(const SharedPicture &) = delete;
  SharedPicture &operator=(const SharedPicture &) = delete;

  // The header when the section holds an open request with room for its pixels.
  WindowPrintHeader *OpenRequest() const {
    MEMORY_BASIC_INFORMATION region{};
    if (!view_ || VirtualQuery(view_, &region, sizeof region) != sizeof region ||
        region.RegionSize < sizeof(WindowPrintHeader))
      return nullptr;
    auto *header = static_cast<WindowPrintHeader *>(view_);
    const std::size_t bytes = WindowPrintPixelBytes(header->Width, header->Height);
    if (header->Magic != kWindowPrintMagic || header->State != kWindowPrintAsked || bytes == 0 ||
        region.RegionSize - sizeof(WindowPrintHeader) < bytes)
      return nullptr;
    return header;
  }

private:
  HANDLE section_ = nullptr;
  void *view_ = nullptr;
};

bool UnderWine() {
  static const bool wine =
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

// Wine prints only a window's client area, and at the picture's top-left
// corner: there the frame and caption are drawn here, and the client is
// printed at its own place inside them.
BOOL PrintFramed(HWND window, HDC dc, int width, int height) {
  RECT windowRect{}, client{};
  POINT origin{0, 0};
  if (!GetWindowRect(window, &windowRect) || !GetClientRect(window, &client) ||
      !ClientToScreen(window, &origin))
    return FALSE;
  const int clientLeft = origin.x - windowRect.left, clientTop = origin.y - windowRect.top;
  RECT whole{0, 0, width, height};
  FillRect(dc, &whole, GetSysColorBrush(COLOR_3DFACE));
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (style & (WS_BORDER | WS_THICKFRAME | WS_DLGFRAME))
    DrawEdge(dc, &whole, EDGE_RAISED, BF_RECT);
  if ((style & WS_CAPTION) == WS_CAPTION && clientTop > clientLeft) {
    RECT caption{clientLeft, clientLeft, width - clientLeft,
                 std::min<int>(clientTop, clientLeft + GetSystemMetrics(SM_CYCAPTION))};
    const UINT active = GetForegroundWindow() == window ? DC_ACTIVE : 0;
    DrawCaption(window, dc, &caption, DC_TEXT | DC_ICON | DC_GRADIENT | active);
  }
  POINT previous{};
  SetViewportOrgEx(dc, clientLeft, clientTop, &previous);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  const BOOL printed = PrintWindow(window, dc, 0);
  SelectClipRgn(dc, nullptr);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
  return printed;
}

void PrintInto(HWND window, WindowPrintHeader &header) {
  const std::int32_t width = header.Width;
  const std::int32_t height = header.Height;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; // rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  const HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!picture)
    return;
  if (const HDC dc = CreateCompatibleDC(nullptr)) {
    const HGDIOBJ previous = SelectObject(dc, picture);
    const BOOL printed =
        UnderWine() ? PrintFramed(window, dc, width, height) : PrintWindow(window, dc, 0);
    GdiFlush();
    SelectObject(dc, previous);
    DeleteDC(dc);
    if (printed) {
      std::memcpy(&header + 1, bits, WindowPrintPixelBytes(width, height));
      std::atomic_thread_fence(std::memory_order_release); // the pixels before the state
      header.State = kWindowPrintPrinted;
    }
  }
  DeleteObject(picture);
}

} // namespace

bool AnswerWindowPrint(const MSG &message) {
  if (message.message != WindowPrintMessage() || !message.hwnd)
    return false;
  const auto process = static_cast<DWORD>(message.wParam);
  const auto number = static_cast<DWORD>(message.lParam);
  {
    const SharedPicture picture(process, number);
    if (WindowPrintHeader *header = picture.OpenRequest())
      PrintInto(message.hwnd, *header);
  }
  // Done, printed or not: the requester stops waiting.
  wchar_t name[kWindowPrintNameLength];
  WindowPrintDoneEventName(process, number, name);
  if (const HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
    SetEvent(done);
    CloseHandle(done);
  }
  return true;
}

} // namespace qv::hooks
