// Prints a window of the program the library is loaded into, on request of
// Quadrivista, into memory the two share (see capture/window_print_request.h).
// It runs on the window's own thread, inside the window's own process, where
// the window's printing works even where a print from outside draws nothing.
#include "capture/window_print_request.h"
#include "triggers/hooks/hooks_internal_win32.h"

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
    const BOOL printed = PrintWindow(window, dc, 0);
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

void AnswerWindowPrint(const CWPSTRUCT &message) {
  if (message.message != WindowPrintMessage() || !message.hwnd)
    return;
  const SharedPicture picture(static_cast<DWORD>(message.wParam),
                              static_cast<DWORD>(message.lParam));
  if (WindowPrintHeader *header = picture.OpenRequest())
    PrintInto(message.hwnd, *header);
}

} // namespace qv::hooks
