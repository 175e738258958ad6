// Other programs' windows hidden and shown by hotkeys, hot corners, gestures
// and "Send to", the taskbar told of every button, a hung window waited for by
// no switch, and every window given back.
#include "tests/e2e/fixtures_win32.h"

#include "triggers/hook_shared_data.h"

#include <algorithm>
#include <cstdio>

namespace qv::e2e {
namespace {

class DesktopsEndToEnd : public StandInShellFixture {
protected:
  static bool ShellHookReceived(int code, HWND window) {
    const std::string line = std::to_string(code) + " " + HandleText(window) + "\n";
    return ReadFile(ShellHookLog()).find(line) != std::string::npos;
  }
};

// (Which windows are managed is the classification's test.)
TEST_F(DesktopsEndToEnd, HotkeysAndAHotCornerSwitchTheManagedWindowsAndAHungOneHoldsUpNoSwitch) {
  SaveSettings([](TSetup &setup) { setup.HotCorner3Action = 2; });
  HWND before = OpenWindow(L"QvBeforeStart");
  auto program = Start();
  HWND after = OpenWindow(L"QvAfterStart", {}, L"--at 300 200");
  WaitUntilManaged(before);
  WaitUntilManaged(after);
  const RECT beforeRect = WindowRectOf(before);
  const RECT afterRect = WindowRectOf(after);
  // Known to carry out their changes themselves before the first switch.
  EXPECT_TRUE(WaitUntil([&] {
    return GetPropW(before, kHookedProperty) != nullptr &&
           GetPropW(after, kHookedProperty) != nullptr;
  }));

  PressCtrlWith('2');
  EXPECT_TRUE(
      WaitUntil([&] { return IsHidden(before, beforeRect) && IsHidden(after, afterRect); }));
  EXPECT_TRUE(WaitUntil([&] {
    return ShellHookReceived(2, before) && ShellHookReceived(2, after);
  })) << "the taskbar was not told to drop the buttons";
  // Off the screen Wine restacks the moved windows; the passes of the next
  // second must not take that for the stacking to come back with.
  Sleep(1200);

  EXPECT_TRUE(
      PressCtrlWithUntil('1', [&] { return IsAt(before, beforeRect) && IsAt(after, afterRect); }));
  // (Which buttons are given back is the managed windows' unit case.)
  // The window opened last is the top-most one and gets the focus back.
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == after; }));

  const int width = GetSystemMetrics(SM_CXSCREEN);
  SetCursorPos(width - 1, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsHidden(before, beforeRect); })) << "the corner is 2's";
  SetCursorPos(width / 2, 400);
  EXPECT_TRUE(PressCtrlWithUntil('1', [&] { return IsAt(before, beforeRect); }));

  // A hung window holds up no switch, and follows its desktop when it answers again.
  const auto answers = [&] {
    return SendMessageTimeoutW(before, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, nullptr) != 0;
  };
  PostMessageW(before, RegisterWindowMessageW(L"QuadrivistaTestHang"), 7000, 0);
  ASSERT_TRUE(WaitUntil([&] { return !answers(); }));
  PressCtrlWith('2');
  EXPECT_TRUE(WaitUntil([&] { return IsHidden(after, afterRect); }, 4s));
  EXPECT_FALSE(answers()) << "the switch was over before the hung window answered again";
  EXPECT_TRUE(WaitUntil([&] { return IsHidden(before, beforeRect); }, 20s))
      << "the hung window did not follow its desktop";
  EXPECT_TRUE(
      PressCtrlWithUntil('1', [&] { return IsAt(before, beforeRect) && IsAt(after, afterRect); }));
  Stop(*program);
}

// The test window answers about its own system menu, which lives in its process.
int SystemMenuItemCount(HWND window) {
  static const UINT query = RegisterWindowMessageW(L"QuadrivistaTestSystemMenu");
  return static_cast<int>(SendMessageW(window, query, static_cast<WPARAM>(-1), 0));
}
int RightClicksSeen(HWND window) {
  static const UINT query = RegisterWindowMessageW(L"QuadrivistaTestRightClicks");
  return static_cast<int>(SendMessageW(window, query, 0, 0));
}

// Given no program to serve, the helper answers 1 at once where 32-bit programs run.
bool CanRun32BitPrograms() {
  Process helper(ExecutableFolder() / L"QuadrivistaHooks32.exe", L"0");
  return helper.WaitForExit(10s) && helper.ExitCode() == 1;
}

// Picks "Send to Desktop 3" in the window's system menu: the window goes at
// once and comes back with desktop 3.
void SendToDesktop3ThroughTheSystemMenu(HWND window) {
  const RECT rect = WindowRectOf(window);
  SetForegroundWindow(window);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
  PressWith(VK_MENU, VK_SPACE);
  ASSERT_TRUE(WaitUntil([] { return FindOpenMenu() != nullptr; })) << "no system menu";
  // Going up from the first item wraps round to the last, "Send to Desktop 6".
  for (int step = 0; step < 4; ++step)
    PressKey(VK_UP);
  PressKey(VK_RETURN);

  EXPECT_TRUE(WaitUntil([&] { return IsHidden(window, rect); })) << "sent away at once";
  const std::string line = "Move window " + HandleText(window) + " to desktop 3";
  EXPECT_TRUE(WaitUntil([&] { return Logged(line); }));
  EXPECT_TRUE(PressCtrlWithUntil('3', [&] { return IsAt(window, rect); }));
}

// Requests of several programs at once are all carried out, a 32-bit one's
// through the 32-bit helper where the system runs 32-bit programs.
TEST_F(DesktopsEndToEnd, SendToInTheSystemMenuMovesTheWindowsOfManyProgramsAtOnce) {
  std::vector<HWND> windows;
  for (int i = 0; i < 5; ++i)
    windows.push_back(OpenWindow(L"QvSendTo" + std::to_wstring(i), {},
                                 L"--at " + std::to_wstring(50 + 150 * i) + L" 150"));
  const auto program32 = ExecutableFolder() / L"test_window32.exe";
  if (std::filesystem::exists(program32) && CanRun32BitPrograms())
    windows.push_back(OpenWindow(L"QvSendTo32", program32, L"--at 800 150"));
  else
    std::printf("No 32-bit program in this run: built without the compiler or no 32-bit Wine\n");
  const int plainCount = SystemMenuItemCount(windows[0]);
  const auto itemsAre = [&](int count) {
    return std::all_of(windows.begin(), windows.end(),
                       [&](HWND window) { return SystemMenuItemCount(window) == count; });
  };
  auto program = Start();
  ASSERT_TRUE(WaitUntil([&] { return itemsAre(plainCount + 7); }))
      << "a separator and six \"Send to\" items";
  for (std::size_t i = 1; i < windows.size(); ++i)
    PostMessageW(windows[i], WM_SYSCOMMAND, 1283, 0);
  SendToDesktop3ThroughTheSystemMenu(windows[0]);
  EXPECT_TRUE(WaitUntil([&] {
    return std::all_of(windows.begin(), windows.end(),
                       [](HWND window) { return WindowRectOf(window).top == 150; });
  })) << "every window went to desktop 3";
  Stop(*program);
  EXPECT_TRUE(itemsAre(plainCount)) << "the items go at exit";
}

TEST_F(DesktopsEndToEnd, ARightButtonGestureSwitchesAndAPlainRightClickStillArrives) {
  SaveSettings([](TSetup &setup) { setup.Desktop2Gesture = "R"; });
  HWND window = OpenWindow(L"QvGestures", {}, L"--at 200 200 --size 700 400");
  auto program = Start();
  WaitUntilManaged(window);
  const RECT rect = WindowRectOf(window);

  const int clicks = RightClicksSeen(window);
  RightClickAt(400, 400);
  EXPECT_TRUE(WaitUntil([&] { return RightClicksSeen(window) == clicks + 1; }))
      << "a right click without movement reaches the window";
  EXPECT_TRUE(IsAt(window, rect));

  RightDrag({300, 400}, {320, 410}); // a jitter is no gesture either
  EXPECT_TRUE(WaitUntil([&] { return RightClicksSeen(window) == clicks + 2; }));

  RightDrag({300, 400}, {700, 400});
  EXPECT_TRUE(WaitUntil([&] { return IsHidden(window, rect); })) << "\"R\" is desktop 2";
  EXPECT_EQ(RightClicksSeen(window), clicks + 2) << "the gesture's button was held back";
  EXPECT_TRUE(PressCtrlWithUntil('1', [&] { return IsAt(window, rect); }));

  SaveSettings([](TSetup &setup) {
    setup.Desktop2Gesture = "R";
    setup.GeneralEnableGestures = false;
  });
  Stop(*program);
  auto withoutGestures = Start();
  RightDrag({300, 400}, {700, 400});
  EXPECT_TRUE(WaitUntil([&] { return RightClicksSeen(window) == clicks + 3; }))
      << "gestures off: the drag is the window's";
  EXPECT_TRUE(IsAt(window, rect));
  Stop(*withoutGestures);
}

} // namespace
} // namespace qv::e2e
