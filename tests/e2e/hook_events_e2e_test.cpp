// The hook library inside other programs: it takes only the system-menu
// commands of the items it put there, and every "Send to" request reaches
// the program for its own window, however many arrive at once.
#include "tests/e2e/stand_in_shell_fixture_win32.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv::e2e {
namespace {

int Ask(HWND window, const wchar_t *query) {
  return static_cast<int>(SendMessageW(window, RegisterWindowMessageW(query), 0, 0));
}

class HookEventsEndToEnd : public StandInShellFixture {};

TEST_F(HookEventsEndToEnd, SystemCommandsOfAProgramsOwnItemsReachIt) {
  // A tool window is not managed: its system menu never gets our items.
  HWND window = OpenWindow(L"QvOwnCommands", {}, L"--tool-popup --at 700 100");
  auto program = Start();
  ASSERT_TRUE(WaitUntil([&] {
    PostMessageW(window, WM_NULL, 0, 0); // the hook loads the library as the thread takes it
    return Ask(window, L"QuadrivistaTestHooksLoaded") != 0;
  }));
  for (WPARAM command = 1281; command <= 1286; ++command)
    PostMessageW(window, WM_SYSCOMMAND, command, 0);
  EXPECT_TRUE(WaitUntil([&] { return Ask(window, L"QuadrivistaTestSysCommands") == 6; }));
  EXPECT_GE(WindowRectOf(window).top, 0);
  Stop(*program);
}

TEST_F(HookEventsEndToEnd, SendToRequestsOfManyProgramsAtOnceAreAllCarriedOut) {
  std::vector<HWND> windows;
  for (int i = 0; i < 5; ++i)
    windows.push_back(OpenWindow(L"QvAtOnce" + std::to_wstring(i), {},
                                 L"--at " + std::to_wstring(50 + 150 * i) + L" 150"));
  auto program = Start();
  const auto hasItems = [](HWND window) {
    const UINT query = RegisterWindowMessageW(L"QuadrivistaTestSystemMenu");
    const int count = static_cast<int>(SendMessageW(window, query, static_cast<WPARAM>(-1), 0));
    return count > 0 &&
           static_cast<int>(SendMessageW(window, query, static_cast<WPARAM>(count - 1), 0)) == 1286;
  };
  ASSERT_TRUE(WaitUntil([&] { return std::all_of(windows.begin(), windows.end(), hasItems); }));
  for (HWND window : windows)
    PostMessageW(window, WM_SYSCOMMAND, 1283, 0);
  EXPECT_TRUE(WaitUntil([&] {
    return std::all_of(windows.begin(), windows.end(),
                       [](HWND window) { return WindowRectOf(window).top < -5000; });
  })) << "every window went to desktop 3";
  PressCtrlWith('3');
  EXPECT_TRUE(WaitUntil([&] {
    return std::all_of(windows.begin(), windows.end(),
                       [](HWND window) { return WindowRectOf(window).top == 150; });
  }));
  Stop(*program);
}

} // namespace
} // namespace qv::e2e
