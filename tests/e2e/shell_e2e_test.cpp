// The program as a user meets it: started, woken and ended under a
// real shell, driven only from outside its process.
#include "tests/e2e/fixtures_win32.h"

#include <thread>

namespace qv::e2e {
namespace {

using ShellEndToEnd = ProgramFixture;

TEST_F(ShellEndToEnd, TrayIconsAndSettingsWindowStayUntilExitFromTheTrayMenu) {
  auto program = Start();
  for (UINT id = kFirstDesktopIcon; id < kFirstDesktopIcon + 6; ++id)
    EXPECT_TRUE(TrayIconExists(form_, id)) << "desktop icon " << id - 100;
  EXPECT_FALSE(IsWindowVisible(form_)) << "the settings window starts hidden";
  ShowSettings();
  SendMessageW(form_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) == FALSE; }, 10s));
  EXPECT_TRUE(program->Running()) << "closing the settings window only hides it";

  OpenTrayMenu();
  PressKey(VK_UP); // the selection wraps round to the last item, "Exit"
  PressKey(VK_RETURN);
  ASSERT_TRUE(program->WaitForExit(5s)) << "Exit did not end the process within 5 seconds";
  EXPECT_EQ(program->ExitCode(), 0u);
  EXPECT_FALSE(TrayIconExists(form_, kMainIcon));
  EXPECT_FALSE(TrayIconExists(form_, kFirstDesktopIcon));
}

// Stored settings rule the start (no desktop icons) and outlive it: the
// program's own save keeps what it read.
TEST_F(ShellEndToEnd, ASecondStartWakesTheFirstInstanceOnceAndTheStoredSettingsOutliveBoth) {
  SaveSettings([](TSetup &setup) {
    setup.TrayCreateIcons = false;
    setup.DesktopName[2] = "  Mail  ";
  });
  auto first = Start();
  EXPECT_FALSE(TrayIconExists(form_, kFirstDesktopIcon)) << "no per-desktop icons when off";
  Process second(ProgramPath(), L"");
  ASSERT_TRUE(second.WaitForExit(5s)) << "the second instance did not end within 5 seconds";
  EXPECT_EQ(second.ExitCode(), 0u);

  ASSERT_TRUE(WaitUntil([] { return Logged("Woken up by another instance"); }, 10s));
  // Give a duplicate delivery time to show up before counting.
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(LogCount("Woken up by another instance"), 1);
  EXPECT_EQ(LogCount(" starting"), 1) << "the second one logged nothing";
  EXPECT_TRUE(first->Running());
  EXPECT_TRUE(TrayIconExists(form_, kMainIcon));
  Stop(*first);

  RegistrySettingsStore store;
  const TSetup after(store);
  EXPECT_FALSE(after.TrayCreateIcons);
  EXPECT_EQ(after.DisplayName(2), "Mail");
}

} // namespace
} // namespace qv::e2e
