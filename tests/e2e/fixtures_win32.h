#pragma once
// The fixtures of the tests that start the real program: alone, with the
// stand-in shell and test windows, and with two desktops of coloured windows.
#include "tests/e2e/e2e_support_win32.h"

#include "shell/registry_settings_store_win32.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/setup.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv::e2e {

inline constexpr UINT kMainIcon = 1;
inline constexpr UINT kFirstDesktopIcon = 101;

// Clean settings and log before the test, and the program started and ended.
class ProgramFixture : public ::testing::Test {
protected:
  void SetUp() override;

  // Starts the program and waits until it has started up.
  std::unique_ptr<Process> Start(const std::wstring &parameters = L"");
  // Ends the program the way a log-off does, and waits for the process to go.
  void Stop(Process &process);

  // Right-clicks the program's icon and waits for its menu.
  virtual void OpenTrayMenu();
  // Opens the settings window with the tray menu's first item, "Options".
  void ShowSettings();
  // Changes the stored settings before the program starts.
  static void SaveSettings(const std::function<void(TSetup &)> &change);

  // The settings window's link; the open page (which holds the cancel button).
  HWND Link(int tag) const;
  HWND OpenPage() const;
  // Clicks the link and waits for its page; clicks the page's button and waits
  // until the links are back.
  HWND ClickLink(int tag);
  void ClosePage(HWND page, int button);

  HWND form_ = nullptr;

private:
  int failedCloses_ = 0;
};

// With the stand-in shell (desktop icons, and a taskbar that records the
// shell-hook messages it receives) and test windows, all closed afterwards.
class StandInShellFixture : public ProgramFixture {
protected:
  void SetUp() override;
  void TearDown() override;

  // Asks for the menu the way the stand-in's notification area would.
  void OpenTrayMenu() override;
  static std::filesystem::path ShellHookLog();

  // Opens a test window of `className` from `program` (test_window.exe or a
  // renamed copy) and waits for it; then, managed, until the program has taken it on.
  HWND OpenWindow(const std::wstring &className, const std::filesystem::path &program = {},
                  const std::wstring &options = L"");
  HWND OpenManagedWindow(const std::wstring &className, const std::filesystem::path &program = {},
                         const std::wstring &options = L"");
  static void WaitUntilManaged(HWND window);

  std::unique_ptr<Process> shell_;
  std::vector<std::unique_ptr<Process>> programs_;
};

// A 3D effect over a large red window on desktop 1 and a green one on desktop
// 2, read back from the X display as the colour of the screen's centre.
class EffectEndToEnd : public StandInShellFixture {
protected:
  static constexpr RECT kWindowRect{240, 200, 1040, 800}; // over the screen's centre

  // `name` tells the windows' classes apart ("Cube": QvCubeRed, QvCubeGreen).
  explicit EffectEndToEnd(std::wstring name, int centreSquare)
      : name_(std::move(name)), centreSquare_(centreSquare) {}

  // Ends on desktop 1; a `password` answers the password screen of a private desktop 2.
  void OpenDesktops(const std::function<void(TSetup &)> &settings = {},
                    const std::wstring &password = L"");
  // Brings the effect up with `press` or its key and waits until it has opened.
  void OpenEffect(const std::function<void()> &press);
  void OpenEffect(WORD key, WORD modifier = 0);
  void WaitUntilClosed();

  static bool Hidden(HWND window) { return IsHidden(window, kWindowRect); }
  static bool At(HWND window) { return IsAt(window, kWindowRect); }
  // The render host, and whether it is on the screen (parked beside it otherwise).
  HWND Host() const { return FindProcessWindow(program_->Id(), L"TRendererForm"); }
  bool OnScreen() const {
    const HWND host = Host();
    return host && WindowRectOf(host).left == 0;
  }
  static int EffectsEnded() { return LogCount("Effect ended"); }

  // The screenshot of the display, or a failure and a black pixel; its centre's colour.
  static DecodedImage Screen(const std::string &name);
  Colour Centre(const std::string &screenshot) const;
  // Waits for a colour at the centre: the springs count frames, so a busy machine takes longer.
  bool CentreBecomes(const std::string &screenshot, bool (*colour)(Colour)) const;
  static bool Reddish(Colour c) { return c.red > c.green + 60 && c.red > c.blue + 60; }
  static bool Greenish(Colour c) { return c.green > c.red + 60 && c.green > c.blue + 60; }

  std::unique_ptr<Process> program_;
  HWND red_ = nullptr;
  HWND green_ = nullptr;

private:
  std::wstring name_;
  int centreSquare_;
  int ended_ = 0;
};

} // namespace qv::e2e
