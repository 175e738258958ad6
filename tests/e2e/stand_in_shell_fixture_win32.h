#pragma once
// A program test with the stand-in shell running (desktop icon list and a
// taskbar that records the shell-hook messages it receives) and test windows
// of its own, all closed after the test.
#include "tests/e2e/program_fixture_win32.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qv::e2e {

class StandInShellFixture : public ProgramFixture {
protected:
  void SetUp() override;
  void TearDown() override;

  // The stand-in shell holds the notification area here, so the menu is
  // asked for the way the notification area asks: with the icon's message.
  void OpenTrayMenu() override;

  // Where the stand-in taskbar writes the shell-hook messages it receives.
  static std::filesystem::path ShellHookLog();

  // Opens a test window of `className` from `program` (test_window.exe or a
  // renamed copy) and waits for it.
  HWND OpenWindow(const std::wstring &className, const std::filesystem::path &program = {},
                  const std::wstring &options = L"");
  // OpenWindow, then waits until the program has taken the window on.
  HWND OpenManagedWindow(const std::wstring &className, const std::filesystem::path &program = {},
                         const std::wstring &options = L"");
  // Waits until the program has taken the window on ("New window." in its log).
  static void WaitUntilManaged(HWND window);

  std::unique_ptr<Process> shell_;
  std::vector<std::unique_ptr<Process>> programs_;
};

} // namespace qv::e2e
