#include "tests/e2e/program_fixture_win32.h"

#include "shell/registry_settings_store_win32.h"
#include "shell/setup.h"

namespace qv::e2e {

void ProgramFixture::SetUp() {
  DeleteSettingsKey();
  std::error_code ignored;
  std::filesystem::remove(LogFile(), ignored);
}

std::unique_ptr<Process> ProgramFixture::Start(const std::wstring &parameters) {
  const auto starts = [] { return CountOccurrences(ReadFile(LogFile()), "Started\r\n"); };
  const int startsBefore = starts();
  auto process = std::make_unique<Process>(ProgramPath(), parameters);
  EXPECT_TRUE(WaitUntil([&] {
    form_ = FindProcessWindow(process->Id(), L"TSettings");
    return TrayIconExists(form_, kMainIcon);
  })) << "the program did not show its tray icon";
  EXPECT_TRUE(WaitUntil([&] { return starts() > startsBefore; }))
      << "the program did not finish starting";
  return process;
}

void ProgramFixture::Stop(Process &process) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(form_, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 10000, &result);
  EXPECT_TRUE(process.WaitForExit(10s));
}

void ProgramFixture::OpenTrayMenu() {
  const POINT icon = FirstTrayIconPoint();
  RightClickAt(icon.x, icon.y);
  ASSERT_TRUE(WaitUntil([] { return FindOpenMenu() != nullptr; }, 10s))
      << "the tray menu did not open";
}

void ProgramFixture::ShowSettings() {
  OpenTrayMenu();
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }, 10s));
}

void ProgramFixture::SaveSettings(const std::function<void(TSetup &)> &change) {
  RegistrySettingsStore store;
  TSetup setup(store);
  change(setup);
  ASSERT_TRUE(setup.Save());
}

} // namespace qv::e2e
