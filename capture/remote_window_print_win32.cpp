#include "capture/remote_window_print_win32.h"

#include "capture/window_print_request.h"
#include "shell/unique_handle_win32.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

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
  RequestSection(std::uint32_t number, std::uint64_t size) {
    wchar_t name[kWindowPrintNameLength];
    WindowPrintSectionName(GetCurrentProcessId(), number, name);
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

  char *View() const { return static_cast<char *>(view_); }

private:
  UniqueKernelHandle section_;
  void *view_ = nullptr;
};

// The windows of one thread, asked in one request.
struct Request {
  DWORD Thread = 0;
  std::vector<std::size_t> Prints;    // indexes into the caller's prints
  std::vector<std::uint64_t> Offsets; // of each one's pixels in the section
  std::uint64_t PixelCount = 0;
  std::unique_ptr<RequestSection> Section;
  UniqueKernelHandle Done;
  std::vector<char> Taken; // per window: its answer has been taken

  WindowPrintEntry *Entries() const {
    return reinterpret_cast<WindowPrintEntry *>(Section->View() + sizeof(WindowPrintHeader));
  }
  bool Finished() const {
    return std::all_of(Taken.begin(), Taken.end(), [](char taken) { return taken != 0; });
  }
};

std::uint64_t AlignedTo16(std::uint64_t value) {
  return (value + 15) & ~std::uint64_t{15};
}

// Lays the request out in a fresh section and posts it; false when it
// could not be asked.
bool Post(Request &request, std::span<RemotePrint> prints) {
  const auto count = static_cast<std::uint32_t>(request.Prints.size());
  std::uint64_t size = AlignedTo16(WindowPrintEntriesEnd(count));
  for (std::size_t index : request.Prints) {
    request.Offsets.push_back(size);
    size +=
        AlignedTo16(WindowPrintPixelBytes(prints[index].PictureWidth, prints[index].PictureHeight));
  }
  request.Taken.assign(count, 0);
  const std::uint32_t number = nextRequest++;
  request.Section = std::make_unique<RequestSection>(number, size);
  if (!request.Section->View())
    return false;
  auto *header = reinterpret_cast<WindowPrintHeader *>(request.Section->View());
  *header = {kWindowPrintMagic, count, {0, 0}};
  for (std::uint32_t i = 0; i < count; ++i) {
    const RemotePrint &print = prints[request.Prints[i]];
    request.Entries()[i] =
        WindowPrintEntry{static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(print.Window)),
                         print.Width,
                         print.Height,
                         print.PictureWidth,
                         print.PictureHeight,
                         request.Offsets[i],
                         kWindowPrintAsked,
                         0};
  }
  wchar_t doneName[kWindowPrintNameLength];
  WindowPrintDoneEventName(GetCurrentProcessId(), number, doneName);
  request.Done.Reset(CreateEventW(nullptr, FALSE, FALSE, doneName));
  return request.Done && PostMessageW(prints[request.Prints.front()].Window, WindowPrintMessage(),
                                      GetCurrentProcessId(), number);
}

// Takes the pictures the library has finished since the last look; whether
// there were any.
bool TakeAnswers(Request &request, std::span<RemotePrint> prints,
                 const std::function<void(std::size_t, const std::uint32_t *)> &arrived) {
  WindowPrintEntry *entries = request.Entries();
  bool any = false;
  for (std::size_t i = 0; i < request.Prints.size(); ++i) {
    const std::uint32_t state = *static_cast<volatile std::uint32_t *>(&entries[i].State);
    if (request.Taken[i] || state == kWindowPrintAsked)
      continue;
    std::atomic_thread_fence(std::memory_order_acquire); // the state before the pixels
    RemotePrint &print = prints[request.Prints[i]];
    if (state == kWindowPrintPrinted) {
      // Our own offset: anyone who finds the section could change its copy.
      const auto *picture =
          reinterpret_cast<const std::uint32_t *>(request.Section->View() + request.Offsets[i]);
      if (print.Pixels)
        std::memcpy(print.Pixels, picture,
                    WindowPrintPixelBytes(print.PictureWidth, print.PictureHeight));
      print.Printed = true;
      if (arrived)
        arrived(request.Prints[i], picture);
    }
    request.Taken[i] = 1;
    any = true;
  }
  return any;
}

} // namespace

RemoteWindowPrinter::RemoteWindowPrinter(std::chrono::milliseconds timeout) : timeout_(timeout) {}

void RemoteWindowPrinter::PrintAll(
    std::span<RemotePrint> prints,
    const std::function<void(std::size_t, const std::uint32_t *)> &arrived) const {
  // One request per thread, split where it would grow too big.
  std::vector<Request> requests;
  std::map<DWORD, bool> reachable;
  for (std::size_t i = 0; i < prints.size(); ++i) {
    const RemotePrint &print = prints[i];
    const std::size_t bytes = WindowPrintPixelBytes(print.PictureWidth, print.PictureHeight);
    DWORD processId = 0;
    const DWORD thread = GetWindowThreadProcessId(print.Window, &processId);
    if (bytes == 0 || WindowPrintPixelBytes(print.Width, print.Height) == 0 || thread == 0 ||
        processId == GetCurrentProcessId())
      continue;
    const auto known = reachable.find(processId);
    if (!(known != reachable.end() ? known->second : (reachable[processId] = Reachable(processId))))
      continue;
    const std::uint64_t pixels = bytes / 4;
    auto request = std::find_if(requests.begin(), requests.end(), [&](const Request &r) {
      return r.Thread == thread && r.Prints.size() < kWindowPrintMaxCount &&
             r.PixelCount + pixels <= static_cast<std::uint64_t>(kWindowPrintMaxPixels);
    });
    if (request == requests.end())
      request = requests.insert(requests.end(), Request{thread});
    request->Prints.push_back(i);
    request->PixelCount += pixels;
  }
  std::vector<Request *> waiting;
  for (Request &request : requests)
    if (Post(request, prints))
      waiting.push_back(&request);

  // The time-out counts from the last answer: a hung program holds up the
  // others no longer than that.
  ULONGLONG lastAnswer = GetTickCount64();
  while (!waiting.empty()) {
    std::vector<HANDLE> events;
    for (std::size_t i = 0; i < waiting.size() && i < MAXIMUM_WAIT_OBJECTS; ++i)
      events.push_back(waiting[i]->Done.Get());
    const ULONGLONG waited = GetTickCount64() - lastAnswer;
    const auto patience = static_cast<ULONGLONG>(timeout_.count());
    if (waited >= patience)
      break;
    WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE,
                           static_cast<DWORD>(std::min<ULONGLONG>(patience - waited, 50)));
    for (Request *request : waiting)
      if (TakeAnswers(*request, prints, arrived))
        lastAnswer = GetTickCount64();
    std::erase_if(waiting, [](const Request *request) { return request->Finished(); });
  }
}

bool RemoteWindowPrinter::Print(HWND window, int width, int height, std::uint32_t *pixels) const {
  RemotePrint print{window, width, height, width, height, pixels};
  PrintAll(std::span<RemotePrint>(&print, 1));
  return print.Printed;
}

} // namespace qv
