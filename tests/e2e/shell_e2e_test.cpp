// The program as a user meets it: started, woken, reset and ended under a
// real shell, driven only from outside its process.
#include "tests/e2e/program_fixture_win32.h"

#include "shell/registry_settings_store_win32.h"
#include "shell/setup.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

namespace qv::e2e {
namespace {

class ShellEndToEnd : public ProgramFixture {
protected:
};

TEST_F(ShellEndToEnd, ShowsItsTrayIconsAndOpensTheTrayMenu) {
  auto program = Start();
  for (UINT id = kFirstDesktopIcon; id < kFirstDesktopIcon + 6; ++id)
    EXPECT_TRUE(TrayIconExists(form_, id)) << "desktop icon " << id - 100;
  EXPECT_FALSE(IsWindowVisible(form_)) << "the settings window starts hidden";
  SaveScreenshot("tray-icons");

  OpenTrayMenu();
  SaveScreenshot("tray-menu");
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([] { return FindOpenMenu() == nullptr; }, 10s));
  EXPECT_TRUE(program->Running());
  Stop(*program);
}

TEST_F(ShellEndToEnd, OptionsShowsTheSettingsWindowAndClosingOnlyHidesIt) {
  auto program = Start();
  OpenTrayMenu();
  PressKey(VK_DOWN); // the first item, "Options"
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }, 10s));
  SendMessageW(form_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) == FALSE; }, 10s));
  EXPECT_TRUE(program->Running());
  EXPECT_TRUE(TrayIconExists(form_, kMainIcon));
  Stop(*program);
}

TEST_F(ShellEndToEnd, ExitFromTheTrayMenuEndsTheProcessAndRemovesTheIcons) {
  auto program = Start();
  OpenTrayMenu();
  PressKey(VK_UP); // the selection wraps round to the last item, "Exit"
  PressKey(VK_RETURN);
  ASSERT_TRUE(program->WaitForExit(5s)) << "Exit did not end the process within 5 seconds";
  EXPECT_EQ(program->ExitCode(), 0u);
  EXPECT_FALSE(TrayIconExists(form_, kMainIcon));
  EXPECT_FALSE(TrayIconExists(form_, kFirstDesktopIcon));
  const std::string log = ReadFile(LogFile());
  EXPECT_NE(log.find("Shut down"), std::string::npos) << log;
}

TEST_F(ShellEndToEnd, ASecondStartWakesTheFirstInstanceOnceAndEnds) {
  auto first = Start();
  Process second(ProgramPath(), L"");
  ASSERT_TRUE(second.WaitForExit(5s)) << "the second instance did not end within 5 seconds";
  EXPECT_EQ(second.ExitCode(), 0u);

  ASSERT_TRUE(WaitUntil(
      [] { return ReadFile(LogFile()).find("Woken up by another instance") != std::string::npos; },
      10s));
  // Give a duplicate delivery time to show up before counting.
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(CountOccurrences(ReadFile(LogFile()), "Woken up by another instance"), 1);
  EXPECT_EQ(CountOccurrences(ReadFile(LogFile()), " starting"), 1)
      << "the second one logged nothing";
  EXPECT_TRUE(first->Running());
  EXPECT_TRUE(TrayIconExists(form_, kMainIcon));
  Stop(*first);
}

class ResetEndToEnd : public ShellEndToEnd {
protected:
  const std::vector<std::wstring> sideFiles_ = {
      L"Desktop.1.icons", L"Desktop.2.icons", L"Desktop.3.icons", L"Desktop.4.icons",
      L"Desktop.5.icons", L"Desktop.6.icons", L"wallpapers.cfg"};
  const std::vector<std::wstring> otherFiles_ = {L"Desktop.7.icons", L"wallpapers.cfg.bak",
                                                 L"notes.txt"};

  void CreateFiles() {
    std::filesystem::create_directories(AppDataPath());
    for (const auto &files : {sideFiles_, otherFiles_})
      for (const auto &name : files)
        std::ofstream(AppDataPath() / name) << "content";
  }
  bool Exists(const std::wstring &name) { return std::filesystem::exists(AppDataPath() / name); }
};

TEST_F(ResetEndToEnd, ResetDeletesExactlyTheSideFiles) {
  CreateFiles();
  auto program = Start(L"-reset");
  for (const auto &name : sideFiles_)
    EXPECT_FALSE(Exists(name)) << std::filesystem::path(name).string();
  for (const auto &name : otherFiles_)
    EXPECT_TRUE(Exists(name)) << std::filesystem::path(name).string();
  Stop(*program);
}

TEST_F(ResetEndToEnd, ResetInCapitalsDoesNothing) {
  CreateFiles();
  auto program = Start(L"-RESET");
  for (const auto &files : {sideFiles_, otherFiles_})
    for (const auto &name : files)
      EXPECT_TRUE(Exists(name)) << std::filesystem::path(name).string();
  Stop(*program);
}

TEST_F(ShellEndToEnd, SettingsSavedByOneProcessAreReadByAFreshOne) {
  {
    RegistrySettingsStore store;
    TSetup setup(store);
    setup.TrayCreateIcons = false;
    setup.DesktopName[2] = "  Mail  ";
    ASSERT_TRUE(setup.Save());

    wchar_t stored[8192] = {};
    DWORD size = sizeof(stored);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quadrivista", L"Setup", RRF_RT_REG_SZ,
                           nullptr, stored, &size),
              ERROR_SUCCESS);
    const std::wstring hex = stored;
    const std::size_t plainBytes = setup.Values.Text().size();
    EXPECT_EQ(hex.size(), 16 * (plainBytes / 8 + 1));
    EXPECT_EQ(hex.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos);
  }
  auto program = Start();
  EXPECT_FALSE(TrayIconExists(form_, kFirstDesktopIcon)) << "no per-desktop icons when off";
  std::wstring runValue = L"unread";
  ASSERT_TRUE(ReadRunValue(runValue)) << "the Run value is written at start-up";
  EXPECT_EQ(runValue, L"") << "not started with Windows by default";
  Stop(*program);

  RegistrySettingsStore store;
  TSetup fresh(store);
  EXPECT_FALSE(fresh.TrayCreateIcons);
  EXPECT_EQ(fresh.DisplayName(2), "Mail");
}

TEST_F(ShellEndToEnd, AGarbageSettingsValueStartsWithDefaults) {
  for (const std::wstring garbage :
       {L"this is not hexadecimal at all", L"00112233445566778899AABBCCDDEEFF", L"ABC"}) {
    WriteSetupValue(garbage);
    auto program = Start();
    // TrayCreateIcons is on by default.
    EXPECT_TRUE(TrayIconExists(form_, kFirstDesktopIcon))
        << std::filesystem::path(garbage).string();
    Stop(*program);
  }
}

} // namespace
} // namespace qv::e2e
