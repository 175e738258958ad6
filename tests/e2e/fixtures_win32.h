#pragma once
// The fixtures of the tests that start the real program: the program alone,
// with the stand-in shell and test windows, and with two desktops of coloured
// windows for the effects.
#include "tests/e2e/e2e_support_win32.h"

#include "shell/registry_settings_store_win32.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/setup.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv::e2e {

inline constexpr UINT kMainIcon = 1;
inline constexpr UINT kFirstDesktopIcon = 101;

// A test that starts the real program: clean settings and log before, and
// helpers to start it, wait for it and end it the way a log-off does.
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

  // The settings window's link of `tag`, once it is shown.
  HWND Link(int tag) const;
  // The open page: the window that holds the accept and cancel buttons.
  HWND OpenPage() const;
  // Clicks the link of the tag and waits for its page.
  HWND ClickLink(int tag);
  // Clicks the page's accept or cancel button and waits until it has gone
  // and the links are back.
  void ClosePage(HWND page, int button);

  HWND form_ = nullptr;

private:
  int failedCloses_ = 0;
};

// A program test with the stand-in shell running (desktop icon list and a
// taskbar that records the shell-hook messages it receives) and test windows
// of its own, all closed after the test.
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

// A test of a 3D effect: the program with one large red window on desktop 1
// and one large green window on desktop 2, the effect brought up by its key,
// and what it draws read back from the X display as the colour of the
// screen's centre.
class EffectEndToEnd : public StandInShellFixture {
protected:
  static constexpr RECT kWindowRect{240, 200, 1040, 800}; // over the screen's centre

  // `name` tells the windows' classes apart ("Cube": QvCubeRed, QvCubeGreen).
  explicit EffectEndToEnd(std::wstring name, int centreSquare)
      : name_(std::move(name)), centreSquare_(centreSquare) {}

  // Desktop 1 current. Desktop 2's picture is taken when it is left; a
  // `password` answers the password screen of a private desktop 2.
  void OpenDesktops(const std::function<void(TSetup &)> &settings = {},
                    const std::wstring &password = L"");
  // Brings the effect up with `press` (its key, held with `modifier` when one
  // is given) and waits until it has opened.
  void OpenEffect(const std::function<void()> &press);
  void OpenEffect(WORD key, WORD modifier = 0);
  void WaitUntilClosed();

  static bool Hidden(HWND window) { return IsHidden(window, kWindowRect); }
  static bool At(HWND window) { return IsAt(window, kWindowRect); }
  // The render host, and whether it is on the screen (it is parked beside it
  // when no effect runs).
  HWND Host() const { return FindProcessWindow(program_->Id(), L"TRendererForm"); }
  bool OnScreen() const {
    const HWND host = Host();
    return host && WindowRectOf(host).left == 0;
  }
  static int EffectsEnded() { return LogCount("Effect ended"); }

  // The screenshot of the display, or a failure and a black pixel.
  static DecodedImage Screen(const std::string &name);
  // What the screen's centre shows, as a mean colour.
  Colour Centre(const std::string &screenshot) const;
  // Waits until the screen's centre shows a colour: the springs that move
  // the effects count frames, so a busy machine takes longer.
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
