#include "capture/remote_window_print_win32.h"

#include "capture/window_print_request.h"
#include "shell/unique_handle_win32.h"

#include <atomic>
#include <cstring>

namespace qv {
namespace {

std::atomic<std::uint32_t> nextRequest{1};

UINT WindowPrintMessage() {
  static const UINT message = RegisterWindowMessageA(kWindowPrintMessageName);
  return message;
}

bool ElevatedToken(HANDLE token) {
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

bool ElevatedProcess(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token))
    return false;
  const UniqueKernelHandle owned(token);
  return ElevatedToken(token);
}

// A program running elevated (or as someone else) neither loads the library
// nor takes messages from a program that is not.
bool Reachable(DWORD processId) {
  static const bool selfElevated = ElevatedProcess(GetCurrentProcess());
  if (selfElevated)
    return true;
  const UniqueKernelHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  HANDLE token = nullptr;
  if (!process || !OpenProcessToken(process.Get(), TOKEN_QUERY, &token))
    return false;
  const UniqueKernelHandle owned(token);
  return !ElevatedToken(token);
}

// One request's shared section, mapped while the object lives.
class RequestSection {
public:
  RequestSection(std::uint32_t number, std::size_t pixelBytes) {
    wchar_t name[kWindowPrintNameLength];
    WindowPrintSectionName(GetCurrentProcessId(), number, name);
    const auto size = static_cast<std::uint64_t>(sizeof(WindowPrintHeader) + pixelBytes);
    section_.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                      static_cast<DWORD>(size >> 32), static_cast<DWORD>(size),
                                      name));
    if (section_ && GetLastError() != ERROR_ALREADY_EXISTS)
      view_ = MapViewOfFile(section_.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
  }
  ~RequestSection() {
    if (view_)
      UnmapViewOfFile(view_);
  }
  RequestSection(const RequestSection &) = delete;
  RequestSection &operator=(const RequestSection &) = delete;

  WindowPrintHeader *Header() const { return static_cast<WindowPrintHeader *>(view_); }

private:
  UniqueKernelHandle section_;
  void *view_ = nullptr;
};

} // namespace

RemoteWindowPrinter::RemoteWindowPrinter(std::chrono::milliseconds timeout) : timeout_(timeout) {}

bool RemoteWindowPrinter::Print(HWND window, int width, int height, std::uint32_t *pixels) const {
  const std::size_t bytes = WindowPrintPixelBytes(width, height);
  DWORD processId = 0;
  if (bytes == 0 || !GetWindowThreadProcessId(window, &processId) ||
      processId == GetCurrentProcessId() || !Reachable(processId))
    return false;
  const std::uint32_t number = nextRequest++;
  const RequestSection section(number, bytes);
  WindowPrintHeader *header = section.Header();
  if (!header)
    return false;
  *header = {kWindowPrintMagic, width, height, kWindowPrintAsked};
  wchar_t doneName[kWindowPrintNameLength];
  WindowPrintDoneEventName(GetCurrentProcessId(), number, doneName);
  const UniqueKernelHandle done(CreateEventW(nullptr, TRUE, FALSE, doneName));
  if (!done || !PostMessageW(window, WindowPrintMessage(), GetCurrentProcessId(), number))
    return false;
  WaitForSingleObject(done.Get(), static_cast<DWORD>(timeout_.count()));
  // The state is the library's last write; an answer after the time-out is ignored.
  const std::uint32_t state = *static_cast<volatile std::uint32_t *>(&header->State);
  std::atomic_thread_fence(std::memory_order_acquire);
  if (state != kWindowPrintPrinted)
    return false;
  std::memcpy(pixels, header + 1, bytes);
  return true;
}

} // namespace qv
