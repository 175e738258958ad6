#pragma once
// What the end-to-end tests need to drive the real program from outside:
// starting and stopping it, finding its windows and tray icons, sending input,
// reading its files and registry, and taking screenshots; and the fixtures of
// the tests that start it.
#include <windows.h>

#include "capture/image_file.h"
#include "shell/registry_settings_store_win32.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/setup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::e2e {

using namespace std::chrono_literals;

struct Colour {
  int red, green, blue;
};

// Polls `condition` until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()> &condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(20));

// A started program; killed when the object goes if it still runs.
class Process {
public:
  Process(const std::filesystem::path &program, const std::wstring &parameters);
  ~Process();
  Process(const Process &) = delete;
  Process &operator=(const Process &) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  bool WaitForExit(std::chrono::milliseconds timeout);
  bool Running() const;
  DWORD ExitCode() const;
  void Kill();

private:
  PROCESS_INFORMATION info_{};
};

std::filesystem::path ExecutableFolder();
std::filesystem::path ProgramPath(); // quadrivista.exe beside the test program

// The program's application-data folder and log file.
std::filesystem::path AppDataPath();
// The hidden-window journal (in the local application data).
std::filesystem::path JournalFile();
std::filesystem::path LogFile();
std::string ReadFile(const std::filesystem::path &file);
// How often the program's log holds `part`; whether it holds it.
int LogCount(const std::string &part);
inline bool Logged(const std::string &part) {
  return LogCount(part) > 0;
}
// A JPEG file whose pixel (x, y) has `colour(x, y)`.
void WriteJpeg(const std::filesystem::path &file, int width, int height,
               const std::function<Colour(int x, int y)> &colour);

// The top-level window of `className` that belongs to process `processId`.
HWND FindProcessWindow(DWORD processId, const wchar_t *className);
// Waits until the process shows a top-level window of `className`; null when
// none comes in time.
HWND WaitForVisibleWindow(DWORD processId, const wchar_t *className,
                          std::chrono::milliseconds timeout = std::chrono::seconds(20));
// Whether the notification area holds the icon (window, id).
bool TrayIconExists(HWND owner, UINT id);
// The visible popup menu window, if one is open.
HWND FindOpenMenu();

RECT WindowRectOf(HWND window);
// Whether the window stands exactly at `rect`; whether it lies hidden as a
// switch hides windows, 25000 pixels above where it was `shown`.
bool IsAt(HWND window, const RECT &rect);
bool IsHidden(HWND window, const RECT &shown);
// The handle as the program's log writes it.
std::string HandleText(HWND window);
// Presses a modifier (Ctrl, Alt) with a key, releasing both.
void PressWith(WORD modifier, WORD virtualKey);
void PressCtrlWith(WORD virtualKey);
// A copy of a program of the test folder under another file name (for the
// process names that classification and rules look at).
std::filesystem::path CopyProgramAs(const std::wstring &program, const std::wstring &name);
void RightClickAt(int x, int y);
// Presses the right button at `from`, moves to `to` in small steps as a hand
// would, and releases it there.
void RightDrag(POINT from, POINT to);
void LeftClickAt(int x, int y);
// Clicks the middle of a window with the mouse.
void ClickWindow(HWND window);
void PressKey(WORD virtualKey);
// Types text as key presses (letters, digits and a few signs).
void TypeText(const std::wstring &text);
// Waits for the process's open-file dialog to take the keyboard, types the
// file's path into it and waits until the dialog has gone.
bool ChooseInOpenDialog(DWORD processId, const std::filesystem::path &file);
// The descendant window with the control id, searched depth first; null when
// there is none.
HWND FindDescendant(HWND parent, int id);
std::wstring WindowTextOf(HWND window);

// The point on the taskbar where the first icon added to the notification
// area sits (the right end of Wine's taskbar).
POINT FirstTrayIconPoint();

// The registry of the program: HKEY_CURRENT_USER\Software\Quadrivista.
void DeleteSettingsKey();

// A screenshot of the display as the X server shows it, what Direct3D drew
// included (GDI cannot read that back), saved as `name`.png by the service of
// scripts/x-display-service.sh (QV_X_SCREENSHOT_DIR) and decoded; nothing where
// that service does not run.
std::optional<DecodedImage> TakeDisplayScreenshot(const std::string &name);

// Runs xdotool with `arguments` on the X display through the same service
// ("keydown ctrl shift"): keys held that way stay held when the focus moves,
// which keys sent with SendInput do not under Wine. False without the service.
bool XDoTool(const std::string &arguments);

// The pixel at (x, y) of a decoded picture.
Colour PixelAt(const DecodedImage &image, int x, int y);
// The mean colour of the square of `size` pixels centred on (x, y).
Colour MeanColour(const DecodedImage &image, int x, int y, int size);

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
