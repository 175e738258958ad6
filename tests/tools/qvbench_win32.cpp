// qvbench: measures the running quadrivista.exe from outside.
//
//   qvbench.exe bare <test_window.exe> <switches> <N>
//   qvbench.exe switches <test_window.exe> <switches> <N>
//   qvbench.exe own-alternately <test_window.exe> <rounds> <pairs> <quadrivista.exe> <qvdriver.exe>
//   qvbench.exe <test_window.exe> [switches]
//
// "bare", run while the program is not, times the moves a switch makes, made
// by this process with no manager running: N windows moved up off the screen
// one call each ("hide") and moved back ("show"), medians of `switches`, then
// the same with the tool-window style a switch gives hidden windows set and
// taken off on the way: "moves N hide show styled-hide styled-show".
// "switches", with the program running with its default hotkeys, times
// desktop switches between two desktops of N windows each from the hotkey's
// key-up until the last window of the old desktop has left the screen (hide)
// and until the last of the new one is back (show): "switch N hide show total
// worst again", medians of `switches`, the slowest total and how many hotkeys
// were pressed a second time, or a table row saying what went wrong.
// scripts/benchmark.sh sets the two side by side, the bare moves measured
// around the switches, since the machine's speed drifts within a longer run.
// "own-alternately" times a program's own window calls (50 windows of a fresh
// process shifted by 16 pixels and back, median ms), with and without the
// program, which it starts and ends in between.
//
// The last form, with the program running, times one switch while a window
// of desktop 1 is hung, the hot-corner latency and how soon a window opened
// while the program runs is taken on. (Idle CPU and memory are
// read by scripts/benchmark.sh from outside Wine, which does not report other
// processes' times.)
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
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

// Whether the window is on the screen: a switch hides a window 25000 pixels up.
bool OnScreen(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.top > -5000;
}

// Whether every window from `next` on is on the screen (`shown`) or off it.
// A switch does not bring back a window it has moved, so the windows found so
// are not asked again. The program moves the windows in the order of this
// list (bottom first); asking all of them on every poll cost the window
// server a call for every window already moved, a load growing with the square
// of the windows, which slowed the very switch it measured and which the bare
// moves do not carry. Now each poll asks once for every window it confirms and
// once more.
bool AllShown(const std::vector<HWND> &windows, bool shown, std::size_t &next) {
  for (; next < windows.size(); ++next)
    if (OnScreen(windows[next]) != shown)
      return false;
  return true;
}

// How many of `windows` are on the screen (`on`) or off it.
int CountOnScreen(const std::vector<HWND> &windows, bool on) {
  return static_cast<int>(std::count_if(windows.begin(), windows.end(),
                                        [on](HWND window) { return OnScreen(window) == on; }));
}

// Waits until `hidden` have all left the screen and `shown` are all on it;
// `hiddenAt`, when given, receives the moment the last of `hidden` left.
// `eachPoll`, when given, runs before every look.
bool WaitForDesktop(const std::vector<HWND> &shown, const std::vector<HWND> &hidden,
                    std::chrono::milliseconds timeout, Clock::time_point *hiddenAt = nullptr,
                    const std::function<void()> &eachPoll = {}) {
  const auto end = Clock::now() + timeout;
  bool allHidden = false;
  std::size_t nextHidden = 0, nextShown = 0;
  while (Clock::now() < end) {
    if (eachPoll)
      eachPoll();
    if (!allHidden && AllShown(hidden, false, nextHidden)) {
      allHidden = true;
      if (hiddenAt)
        *hiddenAt = Clock::now();
    }
    if (allHidden && AllShown(shown, true, nextShown))
      return true;
    Sleep(1);
  }
  return false;
}

// Whether a switch has begun within `limit`: `first`, the first window it
// moves, has left the screen.
bool SwitchBegan(HWND first, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  while (Clock::now() < end) {
    if (!OnScreen(first))
      return true;
    Sleep(1);
  }
  return false;
}

// Waits until one of `windows` is the foreground window and its thread has
// taken the activation and the keyboard focus, the last steps of a switch
// (the program asks for them; the window's thread carries them out when it
// gets to them). Under Wine a change of focus sets the modifier keys to what
// the X server holds, and the X server never saw our synthetic Ctrl: the next
// hotkey, pressed while that happens, can lose its Ctrl and with it the switch.
void WaitForFocusAmong(const std::vector<HWND> &windows) {
  const auto end = Clock::now() + 2s;
  while (Clock::now() < end) {
    const HWND foreground = GetForegroundWindow();
    GUITHREADINFO thread{sizeof(thread)};
    if (std::find(windows.begin(), windows.end(), foreground) != windows.end() &&
        GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &thread) &&
        thread.hwndActive == foreground && thread.hwndFocus &&
        (thread.hwndFocus == foreground || IsChild(foreground, thread.hwndFocus)))
      return;
    Sleep(1);
  }
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

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                            SWP_NOSENDCHANGING | SWP_DEFERERASE;

struct MoveTimes {
  double Hide = 0, Show = 0;
};

// One round of the bare moves: every window moved up by 25000 pixels (off the
// screen, as a switch hides it) and back, one call each; `styled` makes each
// a tool window while it is off the screen, as a switch does.
MoveTimes BareRound(const std::vector<HWND> &windows, const std::vector<RECT> &rects,
                    const std::vector<LONG> &exStyles, bool styled) {
  MoveTimes times;
  auto start = Clock::now();
  for (std::size_t i = 0; i < windows.size(); ++i) {
    if (styled)
      SetWindowLongW(windows[i], GWL_EXSTYLE, (exStyles[i] & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
    SetWindowPos(windows[i], nullptr, rects[i].left, rects[i].top - 25000, 0, 0, kMoveFlags);
  }
  times.Hide = Milliseconds(Clock::now() - start);
  start = Clock::now();
  for (std::size_t i = 0; i < windows.size(); ++i) {
    if (styled)
      SetWindowLongW(windows[i], GWL_EXSTYLE, exStyles[i]);
    SetWindowPos(windows[i], nullptr, rects[i].left, rects[i].top, 0, 0, kMoveFlags);
  }
  times.Show = Milliseconds(Clock::now() - start);
  return times;
}

// Medians of `rounds` of the bare moves, plain and styled rounds taking turns.
std::pair<MoveTimes, MoveTimes> BareMoves(const std::vector<HWND> &windows, int rounds) {
  std::vector<RECT> rects(windows.size());
  std::vector<LONG> exStyles(windows.size());
  for (std::size_t i = 0; i < windows.size(); ++i) {
    GetWindowRect(windows[i], &rects[i]);
    exStyles[i] = GetWindowLongW(windows[i], GWL_EXSTYLE);
  }
  std::vector<double> hides[2], shows[2];
  for (int round = -1; round < rounds; ++round) // round -1 warms up, untimed
    for (const bool styled : {false, true}) {
      const MoveTimes times = BareRound(windows, rects, exStyles, styled);
      if (round >= 0) {
        hides[styled].push_back(times.Hide);
        shows[styled].push_back(times.Show);
      }
    }
  return {{Median(hides[0]), Median(shows[0])}, {Median(hides[1]), Median(shows[1])}};
}

// A program's own window calls: its windows shifted right by 16 pixels and
// back, staying on the screen; median of `rounds`.
double OwnMoves(const std::vector<HWND> &windows, int rounds) {
  std::vector<RECT> rects(windows.size());
  for (std::size_t i = 0; i < windows.size(); ++i)
    GetWindowRect(windows[i], &rects[i]);
  std::vector<double> times;
  for (int round = -1; round < rounds; ++round) { // round -1 warms up, untimed
    const auto start = Clock::now();
    for (int shift : {16, 0})
      for (std::size_t i = 0; i < windows.size(); ++i)
        SetWindowPos(windows[i], nullptr, rects[i].left + shift, rects[i].top, 0, 0, kMoveFlags);
    if (round >= 0)
      times.push_back(Milliseconds(Clock::now() - start));
  }
  return Median(times);
}

constexpr int kOwnMoveWindows = 50;

// Without the program: "moves N HIDE SHOW".
void MeasureBare(const std::wstring &testWindow, int rounds, int count) {
  WindowProcess windows(testWindow, count);
  std::this_thread::sleep_for(1s); // painted and settled
  const auto [plain, styled] = BareMoves(windows.Windows(), rounds);
  std::printf("moves %d %.1f %.1f %.1f %.1f\n", count, plain.Hide, plain.Show, styled.Hide,
              styled.Show);
}

// Runs `commandLine` and waits for it (at most a minute); the process is
// returned still running when `wait` is false, to be waited for later.
HANDLE Run(std::wstring commandLine, bool wait) {
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return nullptr;
  CloseHandle(process.hThread);
  if (!wait)
    return process.hProcess;
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hProcess);
  return nullptr;
}

// The same calls without the program and with it running idle, alternately,
// on the windows of one test program: the same calls take 100 ms in one test
// program and 250 ms in the next on this machine, a difference that would
// otherwise swamp the program's. Prints "own without|with MS" lines: `pairs`
// with the program, each between two without it.
void MeasureOwnMovesAlternately(const std::wstring &testWindow, int rounds, int pairs,
                                const std::wstring &program, const std::wstring &driver) {
  WindowProcess windows(testWindow, kOwnMoveWindows);
  std::this_thread::sleep_for(2s); // painted and settled
  for (int pair = 0; pair <= pairs; ++pair) {
    std::printf("own without %.1f\n", OwnMoves(windows.Windows(), rounds));
    std::fflush(stdout);
    if (pair == pairs)
      break;
    const HANDLE running = Run(L"\"" + program + L"\"", false);
    Run(L"\"" + driver + L"\" wait-started", true);
    std::this_thread::sleep_for(2s); // the windows taken on, the program idle
    std::printf("own with %.1f\n", OwnMoves(windows.Windows(), rounds));
    std::fflush(stdout);
    Run(L"\"" + driver + L"\" quit", true);
    if (running) {
      WaitForSingleObject(running, 30000);
      CloseHandle(running);
    }
  }
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

  std::vector<double> hides, shows, totals;
  int current = 2, pressedAgain = 0;
  for (int i = 0; i < switches; ++i) {
    const int target = current == 1 ? 2 : 1;
    const auto &shown = target == 1 ? first.Windows() : second.Windows();
    const auto &hidden = target == 1 ? second.Windows() : first.Windows();
    auto keyUp = PressDesktopHotkey(target);
    // Now and then Wine loses the synthetic Ctrl all the same (see
    // WaitForFocusAmong) and the program never sees a hotkey: pressed again,
    // timed from then, and counted.
    if (!SwitchBegan(hidden.front(), 3s)) {
      ++pressedAgain;
      keyUp = PressDesktopHotkey(target);
    }
    Clock::time_point hiddenAt;
    if (!WaitForDesktop(shown, hidden, 30s, &hiddenAt)) {
      std::printf("| %4d | switch %d did not complete: %d windows of the old desktop still on the "
                  "screen, %d of the new one not back |\n",
                  count, i + 1, CountOnScreen(hidden, true), CountOnScreen(shown, false));
      return;
    }
    const auto done = Clock::now();
    hides.push_back(Milliseconds(hiddenAt - keyUp));
    shows.push_back(Milliseconds(done - hiddenAt));
    totals.push_back(Milliseconds(done - keyUp));
    current = target;
    WaitForFocusAmong(shown);
    std::this_thread::sleep_for(100ms);
  }
  const auto worst = *std::max_element(totals.begin(), totals.end());
  std::printf("switch %d %.1f %.1f %.1f %.1f %d\n", count, Median(hides), Median(shows),
              Median(totals), worst, pressedAgain);
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
// windows have moved (median and worst of `times`). Under Wine a late report
// of an earlier step can put the cursor back where it was for about 100 ms,
// until the X server is asked again, and every program then sees it outside
// the corner; so the entry is also timed from the moment the system last
// reported the cursor where it was put.
void MeasureZoneEntry(const std::wstring &testWindow, int times) {
  PressDesktopHotkey(1);
  WindowProcess first(testWindow, 10);
  std::this_thread::sleep_for(1s);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  std::vector<double> fromEntry, fromReport;
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
    auto reported = entered;
    bool inside = true;
    const auto watchCursor = [&] {
      POINT cursor{};
      GetCursorPos(&cursor);
      const bool insideNow = cursor.x == 0 && cursor.y == height - 1;
      if (insideNow && !inside)
        reported = Clock::now();
      inside = insideNow;
    };
    Clock::time_point switched;
    if (!WaitForDesktop({}, first.Windows(), 10s, &switched, watchCursor)) {
      std::printf("| the corner did not switch |\n");
      return;
    }
    fromEntry.push_back(Milliseconds(switched - entered));
    fromReport.push_back(Milliseconds(switched - reported));
    SetCursorPos(width / 2, height / 2);
    PressDesktopHotkey(1);
    WaitForDesktop(first.Windows(), {}, 10s);
  }
  std::sort(fromEntry.begin(), fromEntry.end());
  std::sort(fromReport.begin(), fromReport.end());
  std::printf("| %10.1f | %9.1f | %10.1f | %9.1f |\n", fromEntry[fromEntry.size() / 2],
              fromEntry.back(), fromReport[fromReport.size() / 2], fromReport.back());
}

std::string ProgramLog() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, folder);
  std::ifstream file(std::filesystem::path(folder) / L"Quadrivista Labs" / L"Quadrivista" /
                         L"quadrivista.log",
                     std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Opens a window of this process, shown at once or `shownAfter` after it was
// created hidden, and waits until the program's log says it took the window
// on: the milliseconds from its showing, or -1 when that did not come.
double TakeOnMilliseconds(std::chrono::milliseconds shownAfter) {
  static const wchar_t *const kClass = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QvBenchTakeOn";
    RegisterClassW(&windowClass);
    return L"QvBenchTakeOn";
  }();
  HWND window = CreateWindowExW(0, kClass, L"Bench take-on", WS_OVERLAPPEDWINDOW, 200, 200, 300,
                                200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  const auto pump = [] {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&message);
  };
  for (const auto showAt = Clock::now() + shownAfter; Clock::now() < showAt; Sleep(10))
    pump();
  ShowWindow(window, SW_SHOWNOACTIVATE);
  const auto shown = Clock::now();
  const std::string line =
      "New window. Handle [" + std::to_string(reinterpret_cast<std::uintptr_t>(window)) + "]";
  double elapsed = -1;
  while (Clock::now() - shown < 5s) {
    pump();
    if (ProgramLog().find(line) != std::string::npos) {
      elapsed = Milliseconds(Clock::now() - shown);
      break;
    }
    Sleep(5);
  }
  DestroyWindow(window);
  pump();
  return elapsed;
}

// Windows opened one at a time, some time apart: shown as they are created,
// and created hidden and shown two seconds later (median and worst of `times`).
void MeasureTakeOn(int times) {
  for (const auto shownAfter : {0ms, 2000ms}) {
    const char *const label =
        shownAfter.count() ? "shown 2 s after it was created" : "shown as it is created";
    std::vector<double> delays;
    for (int i = 0; i < times; ++i) {
      const double delay = TakeOnMilliseconds(shownAfter);
      if (delay < 0) {
        std::printf("| %s | not taken on within 5 s |\n", label);
        return;
      }
      delays.push_back(delay);
      Sleep(300 + 97 * (i % 7)); // not in step with the program's timer
    }
    std::printf("| %s | %10.1f | %9.1f |\n", label, Median(delays),
                *std::max_element(delays.begin(), delays.end()));
  }
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc >= 5 && std::wstring(argv[1]) == L"bare") {
    MeasureBare(argv[2], _wtoi(argv[3]), _wtoi(argv[4]));
    return 0;
  }
  if (argc >= 7 && std::wstring(argv[1]) == L"own-alternately") {
    MeasureOwnMovesAlternately(argv[2], _wtoi(argv[3]), _wtoi(argv[4]), argv[5], argv[6]);
    return 0;
  }
  if (argc < 2 || (std::wstring(argv[1]) == L"switches" && argc < 5)) {
    std::fprintf(stderr, "usage: qvbench bare|switches|own-alternately|<test_window.exe> ...\n");
    return 2;
  }
  if (!FindWindowW(L"TSettings", nullptr)) {
    std::fprintf(stderr, "quadrivista.exe is not running\n");
    return 1;
  }
  if (std::wstring(argv[1]) == L"switches") {
    MeasureSwitches(argv[2], _wtoi(argv[4]), _wtoi(argv[3]));
    return 0;
  }
  const std::wstring testWindow = argv[1];
  const int switches = argc > 2 ? _wtoi(argv[2]) : 20;
  std::printf("\nA switch while one window's program does not answer\n\n");
  std::printf("| windows on desktop 1 | ms |\n|---|---|\n");
  MeasureSwitchWithHungWindow(testWindow);
  std::printf(
      "\nFrom the cursor's entry into a hot corner to the switch (10 windows, %d times)\n\n",
      switches);
  std::printf("| median ms | worst ms | from the last report: median ms | worst ms |\n"
              "|---|---|---|---|\n");
  MeasureZoneEntry(testWindow, switches);
  std::printf("\nFrom a window shown while the program runs to the program taking it on (%d "
              "windows each)\n\n",
              switches);
  std::printf("| the window | median ms | worst ms |\n|---|---|---|\n");
  MeasureTakeOn(switches);

  return 0;
}
