#include "tests/e2e/e2e_support_win32.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <thread>

namespace qv::e2e {

namespace {

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT MouseInputAt(POINT point, DWORD buttons) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  return input;
}

// Presses and releases a mouse button at a point. Every event carries the
// point, so that a pointer motion the window system reports late cannot send
// the click elsewhere.
void ClickAt(int x, int y, DWORD down, DWORD up) {
  SetCursorPos(x, y);
  INPUT inputs[3] = {MouseInputAt({x, y}, 0), MouseInputAt({x, y}, down), MouseInputAt({x, y}, up)};
  SendInput(3, inputs, sizeof(INPUT));
}

std::filesystem::path ProgramFolder(int csidl) {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, 0, folder);
  return std::filesystem::path(folder) / L"Quadrivista Labs" / L"Quadrivista";
}

// Hands a request to the X display service and waits until it is done; the
// service's folder, or nothing when it does not run or did not answer.
std::optional<std::filesystem::path>
AskDisplayService(const std::string &name, const std::string &kind, const std::string &content) {
  wchar_t served[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"QV_X_SCREENSHOT_DIR", served, MAX_PATH))
    return std::nullopt;
  const std::filesystem::path folder = served;
  const auto done = folder / (name + ".done");
  std::error_code ignored;
  std::filesystem::remove(done, ignored);
  std::filesystem::create_directories(folder, ignored);
  {
    const auto part = folder / (name + ".part");
    std::ofstream(part) << content << '\n';
    std::filesystem::rename(part, folder / (name + "." + kind), ignored);
  }
  if (!WaitUntil([&] { return std::filesystem::exists(done); }, 30s))
    return std::nullopt;
  return folder;
}

} // namespace

bool WaitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition())
      return true;
    if (std::chrono::steady_clock::now() >= end)
      return false;
    std::this_thread::sleep_for(50ms);
  }
}

Process::Process(const std::filesystem::path &program, const std::wstring &parameters) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  if (!parameters.empty())
    commandLine += L" " + parameters;
  STARTUPINFOW startup{sizeof(startup)};
  CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                 program.parent_path().c_str(), &startup, &info_);
}

Process::~Process() {
  Kill();
  if (info_.hProcess)
    CloseHandle(info_.hProcess);
  if (info_.hThread)
    CloseHandle(info_.hThread);
}

bool Process::WaitForExit(std::chrono::milliseconds timeout) {
  return info_.hProcess &&
         WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool Process::Running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void Process::Kill() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForExit(10s);
  }
}

std::filesystem::path ExecutableFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

std::filesystem::path AppDataPath() {
  return ProgramFolder(CSIDL_APPDATA);
}

std::filesystem::path JournalFile() {
  return ProgramFolder(CSIDL_LOCAL_APPDATA) / L"hidden-windows.journal";
}

int CountOccurrences(const std::string &text, const std::string &part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
    ++count;
  return count;
}

HWND FindProcessWindow(DWORD processId, const wchar_t *className) {
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId)
      return window;
  }
  return nullptr;
}

HWND VisibleProcessWindow(DWORD processId, const wchar_t *className) {
  const HWND window = FindProcessWindow(processId, className);
  return window && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForVisibleWindow(DWORD processId, const wchar_t *className,
                          std::chrono::milliseconds timeout) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = VisibleProcessWindow(processId, className)) != nullptr; },
            timeout);
  return window;
}

bool TrayIconExists(HWND owner, UINT id) {
  if (!owner)
    return false;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = owner;
  data.uID = id;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void PressWith(WORD modifier, WORD virtualKey) {
  INPUT inputs[4] = {KeyInput(modifier, false), KeyInput(virtualKey, false),
                     KeyInput(virtualKey, true), KeyInput(modifier, true)};
  SendInput(4, inputs, sizeof(INPUT));
}

bool PressCtrlWithUntil(WORD virtualKey, const std::function<bool()> &done,
                        std::chrono::milliseconds timeout) {
  constexpr std::chrono::milliseconds kLostAfter = 5s;
  PressCtrlWith(virtualKey);
  if (WaitUntil(done, std::min(timeout, kLostAfter)))
    return true;
  PressCtrlWith(virtualKey);
  return WaitUntil(done, timeout);
}

std::filesystem::path CopyProgramAs(const std::wstring &program, const std::wstring &name) {
  const auto folder = ExecutableFolder() / L"renamed";
  std::filesystem::create_directories(folder);
  const auto copy = folder / name;
  // A copy left by an earlier run may still be in use; it is the same program.
  std::error_code ignored;
  std::filesystem::copy_file(ExecutableFolder() / program, copy,
                             std::filesystem::copy_options::update_existing, ignored);
  return copy;
}

void RightClickAt(int x, int y) {
  ClickAt(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void LeftClickAt(int x, int y) {
  ClickAt(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void ClickWindow(HWND window) {
  const RECT rect = WindowRectOf(window);
  const POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  // A window that is still coming up or being uncovered would miss the click.
  SetCursorPos(middle.x, middle.y);
  WaitUntil([&] { return WindowFromPoint(middle) == window && IsWindowEnabled(window); }, 5s);
  LeftClickAt(middle.x, middle.y);
}

void TypeText(const std::wstring &text) {
  for (const wchar_t c : text) {
    const SHORT key = VkKeyScanW(c);
    if (key != -1 && (key & 0x100))
      PressWith(VK_SHIFT, LOBYTE(key));
    else if (key != -1)
      PressKey(LOBYTE(key));
  }
}

bool ChooseInOpenDialog(DWORD processId, const std::filesystem::path &file) {
  HWND dialog = nullptr;
  if (!WaitUntil(
          [&] {
            dialog = FindProcessWindow(processId, L"#32770");
            return dialog && IsWindowVisible(dialog) && GetForegroundWindow() == dialog;
          },
          10s))
    return false;
  TypeText(file.wstring());
  PressKey(VK_RETURN);
  return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 10s);
}

HWND FindDescendant(HWND parent, int id) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id)
      return child;
    if (HWND found = FindDescendant(child, id))
      return found;
  }
  return nullptr;
}

std::wstring WindowTextOf(HWND window) {
  wchar_t text[512] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

void RightDrag(POINT from, POINT to) {
  INPUT press = MouseInputAt(from, MOUSEEVENTF_RIGHTDOWN);
  SendInput(1, &press, sizeof(INPUT));
  const int steps = 24;
  for (int i = 1; i <= steps; ++i) {
    INPUT move = MouseInputAt(
        {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}, 0);
    SendInput(1, &move, sizeof(INPUT));
    Sleep(5);
  }
  INPUT release = MouseInputAt(to, MOUSEEVENTF_RIGHTUP);
  SendInput(1, &release, sizeof(INPUT));
}

void PressKey(WORD virtualKey) {
  INPUT inputs[2] = {KeyInput(virtualKey, false), KeyInput(virtualKey, true)};
  SendInput(2, inputs, sizeof(INPUT));
}

POINT FirstTrayIconPoint() {
  RECT taskbar{};
  GetWindowRect(FindWindowW(L"Shell_TrayWnd", nullptr), &taskbar);
  return {taskbar.right - 12, (taskbar.top + taskbar.bottom) / 2};
}

std::optional<DecodedImage> TakeDisplayScreenshot(const std::string &name) {
  const auto folder = AskDisplayService(name, "request", "");
  return folder ? DecodeImageFile(*folder / (name + ".png")) : std::nullopt;
}

bool XDoTool(const std::string &arguments) {
  static int request = 0;
  return AskDisplayService("input-" + std::to_string(++request), "xdotool", arguments).has_value();
}

Colour PixelAt(const DecodedImage &image, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
  return {image.bgra[at + 2], image.bgra[at + 1], image.bgra[at]};
}

Colour MeanColour(const DecodedImage &image, int x, int y, int size) {
  long red = 0, green = 0, blue = 0, count = 0;
  for (int row = y - size / 2; row < y + size / 2; ++row)
    for (int column = x - size / 2; column < x + size / 2; ++column) {
      if (row < 0 || column < 0 || row >= image.height || column >= image.width)
        continue;
      const Colour pixel = PixelAt(image, column, row);
      red += pixel.red, green += pixel.green, blue += pixel.blue, ++count;
    }
  if (count == 0)
    return {0, 0, 0};
  return {static_cast<int>(red / count), static_cast<int>(green / count),
          static_cast<int>(blue / count)};
}

} // namespace qv::e2e
