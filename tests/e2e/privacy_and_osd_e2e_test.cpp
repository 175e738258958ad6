// Private desktops and the on-screen display as a user meets them: the
// darkened password screen that stands between a hotkey and a private
// desktop, and the box at the bottom right that names the desktop reached.
#include "tests/e2e/stand_in_shell_fixture_win32.h"

#include "shell/registry_settings_store_win32.h"
#include "shell/setup.h"

#include <gtest/gtest.h>

namespace qv::e2e {
namespace {

class PrivacyAndOsdEndToEnd : public StandInShellFixture {
protected:
  static bool OnScreen(HWND window, int top) { return WindowRectOf(window).top == top; }
  static bool Hidden(HWND window, int top) { return WindowRectOf(window).top == top - 25000; }

  // Returns once the program has finished whatever its thread was doing.
  void WaitForProgramIdle() {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
  }

  // Waits for the password screen with the typing caret in its field, and
  // returns that field.
  HWND WaitForPasswordField(const Process &program) {
    HWND screen = WaitForVisibleWindow(program.Id(), L"TRetrievePassword");
    EXPECT_NE(screen, nullptr) << "no password screen";
    HWND panel = FindWindowExW(screen, nullptr, L"TRetrievePasswordPanel", nullptr);
    HWND edit = FindWindowExW(panel, nullptr, L"Edit", nullptr);
    EXPECT_TRUE(WaitUntil([&] {
      GUITHREADINFO info{sizeof(info)};
      return GetGUIThreadInfo(GetWindowThreadProcessId(screen, nullptr), &info) &&
             info.hwndFocus == edit;
    })) << "the password field does not have the focus";
    return edit;
  }

  // Asks for private desktop 5 with Ctrl+5, answers with `typed` and `key`,
  // and waits until the program has acted on the answer.
  void AnswerPasswordScreen(const Process &program, const std::wstring &typed, WORD key) {
    PressCtrlWith('5');
    WaitForPasswordField(program);
    TypeText(typed);
    PressKey(key);
    EXPECT_TRUE(WaitUntil([&] {
      HWND screen = FindProcessWindow(program.Id(), L"TRetrievePassword");
      return !screen || !IsWindowVisible(screen);
    }));
    WaitForProgramIdle();
  }

  // Desktop 3 current with window `third` on it, window `fifth` on private desktop 5.
  void StartOnDesktop3(std::unique_ptr<Process> &program) {
    program = Start();
    const auto testWindow = ExecutableFolder() / L"test_window.exe";
    fifth_ = OpenManagedWindow(
        L"QvPrivateFive", CopyProgramAs(L"test_window.exe", L"privatefive.exe"), L"--at 500 300");
    EXPECT_TRUE(WaitUntil([&] { return Hidden(fifth_, 300); })) << "the rule sends it to 5";
    HWND first = OpenManagedWindow(L"QvFirst", testWindow, L"--at 100 100");
    PressCtrlWith('3');
    EXPECT_TRUE(WaitUntil([&] { return Hidden(first, 100); }));
    third_ = OpenManagedWindow(L"QvThird", testWindow, L"--at 200 200");
  }
  static void PrivateDesktop5(TSetup &setup) {
    setup.DesktopPrivacy[5] = 1;
    setup.DesktopEnableRules = true;
    setup.Rules = {"privatefive.exe=4"};
  }

  HWND third_ = nullptr;
  HWND fifth_ = nullptr;
};

TEST_F(PrivacyAndOsdEndToEnd, APrivateDesktopOpensOnlyToItsExactPassword) {
  SaveSettings([](TSetup &setup) {
    PrivateDesktop5(setup);
    setup.SetDesktopPassword("Open Sesame");
  });
  std::unique_ptr<Process> program;
  StartOnDesktop3(program);

  PressCtrlWith('5');
  HWND field = WaitForPasswordField(*program);
  HWND screen = GetAncestor(field, GA_ROOT);
  const RECT cover = WindowRectOf(screen);
  EXPECT_EQ(cover.right - cover.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(cover.bottom - cover.top, GetSystemMetrics(SM_CYSCREEN));
  SaveScreenshot("password-screen");
  // A hotkey while the screen waits starts nothing inside it.
  PressCtrlWith('2');
  EXPECT_TRUE(WaitUntil([] {
    return ReadFile(LogFile()).find("Trigger event during another action ignored.") !=
           std::string::npos;
  }));
  TypeText(L"Secret");
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(field, WM_GETTEXTLENGTH, 0, 0) == 6; }));
  SaveScreenshot("password-screen-typed");
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(screen); }));
  WaitForProgramIdle();
  EXPECT_TRUE(OnScreen(third_, 200)) << "Escape leaves desktop 3 current";
  EXPECT_TRUE(Hidden(fifth_, 300));

  AnswerPasswordScreen(*program, L"open sesame", VK_RETURN);
  EXPECT_TRUE(OnScreen(third_, 200)) << "letter case counts";
  EXPECT_TRUE(Hidden(fifth_, 300));

  AnswerPasswordScreen(*program, L"Open Sesame", VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return OnScreen(fifth_, 300) && Hidden(third_, 200); }))
      << "the right password enters desktop 5";
  SaveScreenshot("private-desktop-5-entered");

  PressCtrlWith('3'); // leaving a private desktop asks nothing
  EXPECT_TRUE(WaitUntil([&] { return OnScreen(third_, 200) && Hidden(fifth_, 300); }));
  Stop(*program);
}

TEST_F(PrivacyAndOsdEndToEnd, TheSessionEndingWhileThePasswordIsAskedForEndsTheProgramCleanly) {
  SaveSettings([](TSetup &setup) {
    PrivateDesktop5(setup);
    setup.SetDesktopPassword("Open Sesame");
  });
  std::unique_ptr<Process> program;
  StartOnDesktop3(program);
  PressCtrlWith('5');
  WaitForPasswordField(*program);

  Stop(*program);
  EXPECT_EQ(program->ExitCode(), 0u);
  EXPECT_TRUE(OnScreen(third_, 200));
  EXPECT_TRUE(OnScreen(fifth_, 300)) << "every window is given back, the private ones too";
}

TEST_F(PrivacyAndOsdEndToEnd, TheOsdNamesTheDesktopAtTheBottomRightThenFades) {
  SaveSettings([](TSetup &setup) { setup.OSDTimeout = 1; });
  auto program = Start();
  PressCtrlWith('2');
  HWND osd = WaitForVisibleWindow(program->Id(), L"TOSD");
  ASSERT_NE(osd, nullptr) << "the OSD did not appear";
  const auto appeared = std::chrono::steady_clock::now();
  wchar_t text[128] = {};
  GetWindowTextW(GetWindow(osd, GW_CHILD), text, 128);
  EXPECT_STREQ(text, L"Switched to desktop 2");
  const RECT box = WindowRectOf(osd);
  EXPECT_EQ(box.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(box.bottom, GetSystemMetrics(SM_CYSCREEN) - 32);
  EXPECT_NE(GetForegroundWindow(), osd) << "it never takes the focus";
  SaveScreenshot("osd-switched-to-desktop-2");

  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(osd); }, 15s));
  const auto lasted = std::chrono::steady_clock::now() - appeared;
  // One second of hold and a fade of 38 steps of 10 ms each, with time for
  // the polling on top.
  EXPECT_GE(lasted, 1200ms);
  Stop(*program);
}

} // namespace
} // namespace qv::e2e
