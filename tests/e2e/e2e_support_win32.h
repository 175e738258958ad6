#pragma once
// What the end-to-end tests (and the benchmark drivers) need to drive the real
// program from outside: processes, windows, input, files and screenshots.
#include <windows.h>

#include <commctrl.h>

#include "capture/image_file.h"
#include "tests/support/jpeg_encoder.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
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
inline std::filesystem::path ProgramPath() {
  return ExecutableFolder() / L"quadrivista.exe";
}
// The program's application-data folder and log file, and its hidden-window journal.
std::filesystem::path AppDataPath();
inline std::filesystem::path LogFile() {
  return AppDataPath() / L"quadrivista.log";
}
std::filesystem::path JournalFile();
using test::ReadFile;
using test::WriteJpeg; // (file, width, height, 0xRRGGBB of (x, y))
int CountOccurrences(const std::string &text, const std::string &part);
// How often the program's log holds `part`; whether it holds it.
inline int LogCount(const std::string &part) {
  return CountOccurrences(ReadFile(LogFile()), part);
}
inline bool Logged(const std::string &part) {
  return LogCount(part) > 0;
}
inline void DeleteSettingsKey() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quadrivista");
}

// The top-level window of `className` that belongs to process `processId`.
HWND FindProcessWindow(DWORD processId, const wchar_t *className);
// That window while it is visible; null otherwise.
HWND VisibleProcessWindow(DWORD processId, const wchar_t *className);
// Waits until the process shows a top-level window of `className`; null when none comes.
HWND WaitForVisibleWindow(DWORD processId, const wchar_t *className,
                          std::chrono::milliseconds timeout = std::chrono::seconds(20));
bool TrayIconExists(HWND owner, UINT id);
// The point of Wine's taskbar where the first icon of the notification area sits.
POINT FirstTrayIconPoint();
inline HWND FindOpenMenu() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}
inline RECT WindowRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}
// Whether the window stands exactly at `rect`; whether it lies hidden as a
// switch hides windows, 25000 pixels above where it was `shown`.
inline bool IsAt(HWND window, const RECT &rect) {
  const RECT now = WindowRectOf(window);
  return EqualRect(&now, &rect) != FALSE;
}
inline bool IsHidden(HWND window, const RECT &shown) {
  const RECT now = WindowRectOf(window);
  return now.top == shown.top - 25000 && now.left == shown.left;
}
// The handle as the program's log writes it.
inline std::string HandleText(HWND window) {
  return std::to_string(reinterpret_cast<std::uintptr_t>(window));
}
// The descendant window with the control id, searched depth first.
HWND FindDescendant(HWND parent, int id);
std::wstring WindowTextOf(HWND window);
// The first selected row of a list view, or -1.
inline int SelectedRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}
// A copy of a program of the test folder under another file name (for the
// process names that classification and rules look at).
std::filesystem::path CopyProgramAs(const std::wstring &program, const std::wstring &name);

void PressKey(WORD virtualKey);
// Presses a modifier (Ctrl, Alt) with a key, releasing both.
void PressWith(WORD modifier, WORD virtualKey);
inline void PressCtrlWith(WORD virtualKey) {
  PressWith(VK_CONTROL, virtualKey);
}
// Ctrl with a key, until `done` holds (false after `timeout`). Wine now and
// then loses a synthetic key; a press that shows nothing after five seconds
// is made once more, which a hotkey that did arrive takes as a no-op.
bool PressCtrlWithUntil(WORD virtualKey, const std::function<bool()> &done,
                        std::chrono::milliseconds timeout = std::chrono::seconds(20));
// Types text as key presses (letters, digits and a few signs).
void TypeText(const std::wstring &text);
void LeftClickAt(int x, int y);
void RightClickAt(int x, int y);
// Presses the right button at `from`, moves to `to` in small steps as a hand
// would, and releases it there.
void RightDrag(POINT from, POINT to);
// Clicks the middle of a window once it is there to take the click.
void ClickWindow(HWND window);
// Waits for the process's open-file dialog to take the keyboard, types the
// file's path into it and waits until the dialog has gone.
bool ChooseInOpenDialog(DWORD processId, const std::filesystem::path &file);

// The display as the X server shows it, Direct3D's drawing included, saved as
// `name`.png by scripts/x-display-service.sh (QV_X_SCREENSHOT_DIR) and decoded.
std::optional<DecodedImage> TakeDisplayScreenshot(const std::string &name);

// Runs xdotool with `arguments` on the X display through the same service
// ("keydown ctrl shift"): keys held that way stay held when the focus moves,
// which keys sent with SendInput do not under Wine. False without the service.
bool XDoTool(const std::string &arguments);

// The pixel at (x, y) of a decoded picture.
Colour PixelAt(const DecodedImage &image, int x, int y);
// The mean colour of the square of `size` pixels centred on (x, y).
Colour MeanColour(const DecodedImage &image, int x, int y, int size);

} // namespace qv::e2e
