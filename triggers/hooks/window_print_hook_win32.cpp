// Prints windows of the program the library is loaded into, on request of
// Quadrivista, into memory the two share (see capture/window_print_request.h).
// It runs on the windows' own thread, inside their own process, where a
// window's printing works even where a print from outside draws nothing.
#include "capture/pixel_arithmetic.h"
#include "capture/pixel_picture_win32.h"
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

// The header of a request's section when the section holds a request whose
// entries it holds; the section's size in `bytes` and the entries' number,
// read once, in `count`.
WindowPrintHeader *OpenRequest(const OpenedSection &section, std::uint64_t &bytes,
                               std::uint32_t &count) {
  bytes = section.Bytes();
  auto *header = static_cast<WindowPrintHeader *>(section.View());
  if (!header || bytes < sizeof(WindowPrintHeader) || header->Magic != kWindowPrintMagic)
    return nullptr;
  count = *static_cast<volatile std::uint32_t *>(&header->Count);
  return WindowPrintCountFits(count, bytes) ? header : nullptr;
}

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

// A picture the window prints into, kept for the next entry of the request
// and made bigger only when an entry needs more.
class PrintPicture {
public:
  // The device context to print into, at least width x height; null when
  // none could be made.
  HDC Ready(std::int32_t width, std::int32_t height) {
    if (picture_.Valid() && width <= picture_.Width() && height <= picture_.Height())
      return picture_.Dc();
    // Grown to hold both, unless that would be too big; then just this one.
    std::int32_t wantWidth = width > picture_.Width() ? width : picture_.Width();
    std::int32_t wantHeight = height > picture_.Height() ? height : picture_.Height();
    if (WindowPrintPixelBytes(wantWidth, wantHeight) == 0) {
      wantWidth = width;
      wantHeight = height;
    }
    picture_ = PixelPicture(wantWidth, wantHeight);
    return picture_.Valid() ? picture_.Dc() : nullptr;
  }
  const std::uint32_t *Pixels() const { return picture_.Pixels(); }
  std::int32_t RowLength() const { return picture_.Width(); }

private:
  PixelPicture picture_;
};

// Prints the entry's window and writes it at the picture's size into
// `pixels`; false when it could not.
bool PrintInto(HWND window, const WindowPrintEntry &entry, PrintPicture &picture,
               std::uint32_t *pixels) {
  const HDC dc = picture.Ready(entry.Width, entry.Height);
  if (!dc)
    return false;
  const BOOL printed =
      UnderWine() ? PrintFramed(window, dc, entry.Width, entry.Height) : PrintWindow(window, dc, 0);
  GdiFlush();
  if (!printed)
    return false;
  ResamplePixels(picture.Pixels(), entry.Width, entry.Height, picture.RowLength(), pixels,
                 entry.PictureWidth, entry.PictureHeight);
  return true;
}

// Only this thread's windows: printing another thread's window would wait
// on that thread.
bool OnThisThread(HWND window) {
  return IsWindow(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

} // namespace

bool AnswerWindowPrint(const MSG &message) {
  if (message.message != WindowPrintMessage() || !message.hwnd)
    return false;
  const auto process = static_cast<DWORD>(message.wParam);
  const auto number = static_cast<DWORD>(message.lParam);
  wchar_t name[kWindowPrintNameLength];
  WindowPrintDoneEventName(process, number, name);
  const HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE, name);
  WindowPrintSectionName(process, number, name);
  const OpenedSection picture(name);
  std::uint64_t bytes = 0;
  std::uint32_t count = 0;
  if (WindowPrintHeader *header = OpenRequest(picture, bytes, count)) {
    PrintPicture printed;
    auto *entries = reinterpret_cast<WindowPrintEntry *>(header + 1);
    for (std::uint32_t i = 0; i < count; ++i) {
      // A copy: the requester could change the shared one while it is used.
      WindowPrintEntry entry;
      std::memcpy(&entry, &entries[i], sizeof entry);
      if (entry.State != kWindowPrintAsked)
        continue;
      const auto window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(entry.Window));
      const bool answered = WindowPrintEntryFits(entry, count, bytes) && OnThisThread(window) &&
                            PrintInto(window, entry, printed,
                                      reinterpret_cast<std::uint32_t *>(
                                          static_cast<char *>(static_cast<void *>(header)) +
                                          static_cast<std::size_t>(entry.Offset)));
      std::atomic_thread_fence(std::memory_order_release); // the pixels before the state
      entries[i].State = answered ? kWindowPrintPrinted : kWindowPrintFailed;
      if (done)
        SetEvent(done);
    }
  }
  // Done, printed or not: the requester stops waiting.
  if (done) {
    SetEvent(done);
    CloseHandle(done);
  }
  return true;
}

} // namespace qv::hooks
