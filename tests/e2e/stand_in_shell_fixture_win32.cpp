#include "tests/e2e/stand_in_shell_fixture_win32.h"

namespace qv::e2e {

void StandInShellFixture::SetUp() {
  ProgramFixture::SetUp();
  std::error_code ignored;
  std::filesystem::remove(ShellHookLog(), ignored);
  std::filesystem::remove(JournalFile(), ignored);
  shell_ = std::make_unique<Process>(ExecutableFolder() / L"standin_shell.exe",
                                     L"\"" + ShellHookLog().wstring() + L"\"");
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"Progman", nullptr) != nullptr; }));
}

void StandInShellFixture::TearDown() {
  for (auto &program : programs_)
    program->Kill();
  PostMessageW(FindWindowW(L"Progman", nullptr), WM_CLOSE, 0, 0);
  shell_->WaitForExit(5s);
}

void StandInShellFixture::OpenTrayMenu() {
  PostMessageW(form_, WM_APP + 1, kMainIcon, WM_RBUTTONUP);
  ASSERT_TRUE(WaitUntil([] { return FindOpenMenu() != nullptr; }, 10s))
      << "the tray menu did not open";
}

std::filesystem::path StandInShellFixture::ShellHookLog() {
  return ExecutableFolder() / L"shellhook.log";
}

HWND StandInShellFixture::OpenWindow(const std::wstring &className,
                                     const std::filesystem::path &program,
                                     const std::wstring &options) {
  const auto path = program.empty() ? ExecutableFolder() / L"test_window.exe" : program;
  programs_.push_back(
      std::make_unique<Process>(path, L"--class \"" + className + L"\" " + options));
  HWND window = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    window = FindProcessWindow(programs_.back()->Id(), className.c_str());
    return window != nullptr;
  }));
  return window;
}

HWND StandInShellFixture::OpenManagedWindow(const std::wstring &className,
                                            const std::filesystem::path &program,
                                            const std::wstring &options) {
  HWND window = OpenWindow(className, program, options);
  WaitUntilManaged(window);
  return window;
}

void StandInShellFixture::WaitUntilManaged(HWND window) {
  const std::string line = "New window. Handle [" + HandleText(window) + "]";
  EXPECT_TRUE(WaitUntil([&] { return ReadFile(LogFile()).find(line) != std::string::npos; }))
      << "the program did not take on window " << reinterpret_cast<std::uintptr_t>(window);
}

} // namespace qv::e2e
