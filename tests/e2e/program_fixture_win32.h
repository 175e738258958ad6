#pragma once
// A test that starts the real program: clean settings and log before, and
// helpers to start it, wait for it and end it the way a log-off does.
#include "tests/e2e/e2e_support_win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace qv {
class TSetup;
}

namespace qv::e2e {

inline constexpr UINT kMainIcon = 1;
inline constexpr UINT kFirstDesktopIcon = 101;

class ProgramFixture : public ::testing::Test {
protected:
  void SetUp() override;

  // Starts the program and waits until it has finished starting up.
  std::unique_ptr<Process> Start(const std::wstring &parameters = L"");
  // Ends the program the way a log-off does, and waits for the process to go.
  void Stop(Process &process);

  // Right-clicks the program's icon and waits for its menu.
  virtual void OpenTrayMenu();
  // Opens the settings window with the tray menu's first item, "Options".
  void ShowSettings();
  // Changes the stored settings before the program starts.
  static void SaveSettings(const std::function<void(TSetup &)> &change);

  HWND form_ = nullptr;
};

} // namespace qv::e2e
