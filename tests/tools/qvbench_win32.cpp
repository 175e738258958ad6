// qvbench: measures the running quadrivista.exe from outside.
//
//   qvbench.exe <test_window.exe> [switches]
//
// For 10, 50 and 200 windows on each of desktops 1 and 2 it times desktop
// switches from the hotkey's key-up until the last window has moved (median
// and worst of `switches`), next to the bare cost of as many SetWindowPos
// calls made by this process on the same windows; then one switch while a
// window of desktop 1 is hung. The program must run with
// its default hotkeys. (Idle CPU and memory are read by scripts/benchmark.sh
// from outside Wine, which does not report other processes' times.)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// A test_window process with its windows; ended with the object.
class WindowProcess {
public:
  WindowProcess(const std::wstring &program, int count) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring commandLine = L"\"" + program + L"\" --count " + std::to_wstring(count) +
                               L" --size 300 200 --title Bench";
    CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                   &startup, &process_);
    CloseHandle(writeEnd);
    std::string output;
    char buffer[4096];
    DWORD read = 0;
    while (static_cast<int>(windows_.size()) < count &&
           ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
      output.append(buffer, read);
      std::size_t end;
      while ((end = output.find('\n')) != std::string::npos) {
        windows_.push_back(reinterpret_cast<HWND>(std::stoull(output.substr(0, end))));
        output.erase(0, end + 1);
      }
    }
    CloseHandle(readEnd);
  }
  ~WindowProcess() {
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  const std::vector<HWND> &Windows() const { return windows_; }

private:
  PROCESS_INFORMATION process_{};
  std::vector<HWND> windows_;
};

bool AllShown(const std::vector<HWND> &windows, bool shown) {
  for (HWND window : windows) {
    RECT rect{};
    GetWindowRect(window, &rect);
    if ((rect.top > -5000) != shown)
      return false;
  }
  return true;
}

bool WaitForDesktop(const std::vector<HWND> &shown, const std::vector<HWND> &hidden,
                    std::chrono::milliseconds timeout) {
  const auto end = Clock::now() + timeout;
  while (Clock::now() < end) {
    if (AllShown(shown, true) && AllShown(hidden, false))
      return true;
    // Polling without a pause would compete with the program for the window server.
    Sleep(1);
  }
  return false;
}

void Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(input));
}

// Presses Ctrl+<digit> and returns the moment its key-up was sent.
Clock::time_point PressDesktopHotkey(int desktop) {
  const auto digit = static_cast<WORD>('0' + desktop);
  Key(VK_CONTROL, false);
  Key(digit, false);
  Key(digit, true);
  const auto keyUp = Clock::now();
  Key(VK_CONTROL, true);
  return keyUp;
}

// Time of moving every window up by 25000 pixels and back, one call each.
double BareMoveCost(const std::vector<HWND> &windows) {
  const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                     SWP_NOSENDCHANGING | SWP_DEFERERASE;
  std::vector<RECT> rects(windows.size());
  for (std::size_t i = 0; i < windows.size(); ++i)
    GetWindowRect(windows[i], &rects[i]);
  const auto start = Clock::now();
  for (std::size_t i = 0; i < windows.size(); ++i)
    SetWindowPos(windows[i], nullptr, rects[i].left, rects[i].top - 25000, 0, 0, flags);
  for (std::size_t i = 0; i < windows.size(); ++i)
    SetWindowPos(windows[i], nullptr, rects[i].left, rects[i].top, 0, 0, flags);
  return Milliseconds(Clock::now() - start);
}

void MeasureSwitches(const std::wstring &testWindow, int count, int switches) {
  PressDesktopHotkey(1);
  WindowProcess first(testWindow, count);
  std::this_thread::sleep_for(1s); // discovery runs every 250 ms
  PressDesktopHotkey(2);
  if (!WaitForDesktop({}, first.Windows(), 30s)) {
    std::printf("| %4d | desktop 2 was never reached |\n", count);
    return;
  }
  WindowProcess second(testWindow, count);
  std::this_thread::sleep_for(1s);

  std::vector<double> times;
  int current = 2;
  for (int i = 0; i < switches; ++i) {
    const int target = current == 1 ? 2 : 1;
    const auto &shown = target == 1 ? first.Windows() : second.Windows();
    const auto &hidden = target == 1 ? second.Windows() : first.Windows();
    const auto keyUp = PressDesktopHotkey(target);
    if (!WaitForDesktop(shown, hidden, 30s)) {
      std::printf("| %4d | switch %d did not complete |\n", count, i + 1);
      return;
    }
    times.push_back(Milliseconds(Clock::now() - keyUp));
    current = target;
    std::this_thread::sleep_for(100ms);
  }
  std::sort(times.begin(), times.end());
  const auto &visible = current == 1 ? first.Windows() : second.Windows();
  const double bare = BareMoveCost(visible);
  std::printf("| %4d | %10.1f | %9.1f | %22.1f |\n", count, times[times.size() / 2], times.back(),
              bare);
  PressDesktopHotkey(1);
  std::this_thread::sleep_for(500ms);
}

// One switch from desktop 1 (10 windows and one of a program that has just
// stopped answering) to desktop 2 (10 windows): until every answering window
// has moved.
void MeasureSwitchWithHungWindow(const std::wstring &testWindow) {
  PressDesktopHotkey(1);
  WindowProcess first(testWindow, 10), hung(testWindow, 1);
  std::this_thread::sleep_for(1s);
  PressDesktopHotkey(2);
  WaitForDesktop({}, first.Windows(), 30s);
  WindowProcess second(testWindow, 10);
  std::this_thread::sleep_for(1s);
  PressDesktopHotkey(1);
  WaitForDesktop(first.Windows(), second.Windows(), 30s);
  std::this_thread::sleep_for(500ms);

  const HWND hungWindow = hung.Windows().front();
  constexpr DWORD kHangMilliseconds = 6000;
  PostMessageW(hungWindow, RegisterWindowMessageW(L"QuadrivistaTestHang"), kHangMilliseconds, 0);
  while (SendMessageTimeoutW(hungWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, nullptr))
    Sleep(10);
  const auto keyUp = PressDesktopHotkey(2);
  const bool done = WaitForDesktop(second.Windows(), first.Windows(), 30s);
  const double elapsed = Milliseconds(Clock::now() - keyUp);
  if (done)
    std::printf("| 10 + 1 hung | %10.1f | (the hung window hangs for %lu ms) |\n", elapsed,
                kHangMilliseconds);
  else
    std::printf("| 10 + 1 hung | the switch did not complete |\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(kHangMilliseconds));
  PressDesktopHotkey(1);
  std::this_thread::sleep_for(500ms);
}

// The cursor brought from rest in the middle of the screen into the
// bottom-left corner (set to switch to desktop 2) at the pace of a brisk hand,
// 6 pixels a millisecond: from its entry into the corner until desktop 1's
// windows have moved (median and worst of `times`).
void MeasureZoneEntry(const std::wstring &testWindow, int times) {
  PressDesktopHotkey(1);
  WindowProcess first(testWindow, 10);
  std::this_thread::sleep_for(1s);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  std::vector<double> latencies;
  for (int i = 0; i < times; ++i) {
    SetCursorPos(width / 2, height / 2);
    std::this_thread::sleep_for(1500ms); // at rest
    constexpr int kSteps = 40;
    for (int step = 1; step <= kSteps; ++step) {
      SetCursorPos(width / 2 - (width / 2) * step / kSteps,
                   height / 2 + (height / 2 - 1) * step / kSteps);
      if (step < kSteps)
        Sleep((width / 2) / kSteps / 6); // 6 pixels a millisecond
    }
    const auto entered = Clock::now();
    if (!WaitForDesktop({}, first.Windows(), 10s)) {
      std::printf("| the corner did not switch |\n");
      return;
    }
    latencies.push_back(Milliseconds(Clock::now() - entered));
    SetCursorPos(width / 2, height / 2);
    PressDesktopHotkey(1);
    WaitForDesktop(first.Windows(), {}, 10s);
  }
  std::sort(latencies.begin(), latencies.end());
  std::printf("| %10.1f | %9.1f |\n", latencies[latencies.size() / 2], latencies.back());
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: qvbench <test_window.exe> [switches]\n");
    return 2;
  }
  const std::wstring testWindow = argv[1];
  const int switches = argc > 2 ? _wtoi(argv[2]) : 20;
  if (!FindWindowW(L"TSettings", nullptr)) {
    std::fprintf(stderr, "quadrivista.exe is not running\n");
    return 1;
  }

  std::printf("Desktop switch, hotkey key-up to last window moved (%d switches)\n\n", switches);
  std::printf("| windows per desktop | median ms | worst ms | bare SetWindowPos x2N ms |\n");
  std::printf("|---|---|---|---|\n");
  for (int count : {10, 50, 200})
    MeasureSwitches(testWindow, count, switches);
  std::printf("\nA switch while one window's program does not answer\n\n");
  std::printf("| windows on desktop 1 | ms |\n|---|---|\n");
  MeasureSwitchWithHungWindow(testWindow);
  std::printf(
      "\nFrom the cursor's entry into a hot corner to the switch (10 windows, %d times)\n\n",
      switches);
  std::printf("| median ms | worst ms |\n|---|---|\n");
  MeasureZoneEntry(testWindow, switches);

  return 0;
}
