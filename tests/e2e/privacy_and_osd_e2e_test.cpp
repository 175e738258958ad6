// The password screen between a hotkey and a private desktop, and the
// on-screen display that names the desktop reached.
#include "tests/e2e/fixtures_win32.h"

namespace qv::e2e {
namespace {

class PrivacyAndOsdEndToEnd : public StandInShellFixture {
protected:
  static bool OnScreen(HWND window, int top) { return WindowRectOf(window).top == top; }
  static bool Hidden(HWND window, int top) { return WindowRectOf(window).top == top - 25000; }

  // Waits for the password screen with the typing caret in its field.
  void WaitForPasswordField(const Process &program) {
    HWND screen = WaitForVisibleWindow(program.Id(), L"TRetrievePassword");
    EXPECT_NE(screen, nullptr) << "no password screen";
    HWND panel = FindWindowExW(screen, nullptr, L"TRetrievePasswordPanel", nullptr);
    HWND edit = FindWindowExW(panel, nullptr, L"Edit", nullptr);
    EXPECT_TRUE(WaitUntil([&] {
      GUITHREADINFO info{sizeof(info)};
      return GetGUIThreadInfo(GetWindowThreadProcessId(screen, nullptr), &info) &&
             info.hwndFocus == edit;
    })) << "the password field does not have the focus";
  }

  // Asks for private desktop 5 with Ctrl+5, answers with `typed` and `key`,
  // and waits until the program has acted on the answer.
  void AnswerPasswordScreen(const Process &program, const std::wstring &typed, WORD key) {
    PressCtrlWith('5');
    WaitForPasswordField(program);
    TypeText(typed);
    PressKey(key);
    EXPECT_TRUE(WaitUntil(
        [&] { return VisibleProcessWindow(program.Id(), L"TRetrievePassword") == nullptr; }));
    // Returns once the program has finished whatever its thread was doing.
    SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_NORMAL, 20000, nullptr);
  }
};

TEST_F(PrivacyAndOsdEndToEnd,
       TheOsdNamesTheDesktopReachedAPrivateOneOpensToItsPasswordAndExitGivesAllBack) {
  // Desktop 3 current with its window, a window on private desktop 5.
  SaveSettings([](TSetup &setup) {
    setup.DesktopPrivacy[5] = 1;
    setup.DesktopEnableRules = true;
    setup.Rules = {"privatefive.exe=4"};
    setup.SetDesktopPassword("Open Sesame");
    setup.OSDTimeout = 1;
  });
  auto program = Start();
  HWND fifth = OpenManagedWindow(
      L"QvPrivateFive", CopyProgramAs(L"test_window.exe", L"privatefive.exe"), L"--at 500 300");
  EXPECT_TRUE(WaitUntil([&] { return Hidden(fifth, 300); })) << "the rule sends it to 5";
  HWND first = OpenManagedWindow(L"QvFirst", {}, L"--at 100 100");
  EXPECT_TRUE(PressCtrlWithUntil('3', [&] { return Hidden(first, 100); }));
  // The on-screen display names the desktop reached, at the bottom right, then fades.
  HWND osd = WaitForVisibleWindow(program->Id(), L"TOSD");
  ASSERT_NE(osd, nullptr) << "the OSD did not appear";
  EXPECT_EQ(WindowTextOf(GetWindow(osd, GW_CHILD)), L"Switched to desktop 3");
  const RECT box = WindowRectOf(osd);
  EXPECT_EQ(box.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(box.bottom, GetSystemMetrics(SM_CYSCREEN) - 32) << "above the taskbar";
  TakeDisplayScreenshot("osd-switched-to-desktop-3");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(osd); }, 15s));
  HWND third = OpenManagedWindow(L"QvThird", {}, L"--at 200 200");

  // (That only the exact password opens it is the privacy and password screen tests' part.)
  AnswerPasswordScreen(*program, L"Open Sesame", VK_ESCAPE);
  EXPECT_TRUE(OnScreen(third, 200) && Hidden(fifth, 300)) << "Escape stays on desktop 3";
  AnswerPasswordScreen(*program, L"Open Sesame", VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return OnScreen(fifth, 300) && Hidden(third, 200); }));
  TakeDisplayScreenshot("private-desktop-5-entered");

  PressCtrlWith('3'); // leaving a private desktop asks nothing
  EXPECT_TRUE(WaitUntil([&] { return OnScreen(third, 200) && Hidden(fifth, 300); }));

  // The session ends while the password is asked for: the program ends cleanly.
  PressCtrlWith('5');
  WaitForPasswordField(*program);
  PressCtrlWith('2'); // a hotkey while the screen waits starts nothing inside it
  EXPECT_TRUE(WaitUntil([] { return Logged("Trigger event during another action ignored."); }));
  Stop(*program);
  EXPECT_EQ(program->ExitCode(), 0u);
  EXPECT_TRUE(OnScreen(third, 200));
  EXPECT_TRUE(OnScreen(fifth, 300)) << "every window is given back, the private ones too";
}

} // namespace
} // namespace qv::e2e
