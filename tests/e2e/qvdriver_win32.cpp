// qvdriver: drives a running quadrivista.exe from outside, one step per
// argument, for the README's run command:
//   wait-started | open-tray-menu | close-menu | show-settings | show-window-list |
//   close-window-list | open-page:TAG | cancel-page | screenshot:NAME |
//   hide-settings | cube-open | cube-right | cube-close | display-screenshot:NAME | quit
#include "shell/settings/settings_control_ids.h"
#include "tests/e2e/e2e_support_win32.h"

#include <cstdio>
#include <string>

namespace {

using namespace qv::e2e;

HWND MainForm() {
  return FindWindowW(L"TSettings", nullptr);
}

bool OpenTrayMenu() {
  const POINT icon = FirstTrayIconPoint();
  RightClickAt(icon.x, icon.y);
  return WaitUntil([] { return FindOpenMenu() != nullptr; }, 10s);
}

bool RunStep(const std::string &step) {
  if (step == "wait-started")
    return WaitUntil([] { return qv::e2e::TrayIconExists(MainForm(), 1); }, 30s);
  if (step == "open-tray-menu")
    return OpenTrayMenu();
  if (step == "close-menu") {
    PressKey(VK_ESCAPE);
    return WaitUntil([] { return FindOpenMenu() == nullptr; }, 10s);
  }
  if (step == "show-settings") {
    if (!OpenTrayMenu())
      return false;
    PressKey(VK_DOWN); // the first item, "Options"
    PressKey(VK_RETURN);
    return WaitUntil([] { return IsWindowVisible(MainForm()) != FALSE; }, 10s);
  }
  if (step == "show-window-list") {
    if (!OpenTrayMenu())
      return false;
    for (int i = 0; i < 10; ++i) // down to "Utilities"
      PressKey(VK_DOWN);
    PressKey(VK_RIGHT); // its first item, "Manage icons"
    PressKey(VK_DOWN);  // "Manage windows"
    PressKey(VK_RETURN);
    return WaitUntil([] { return FindWindowW(L"TWindowManagerForm", nullptr) != nullptr; }, 10s);
  }
  if (step == "close-window-list") {
    PostMessageW(FindWindowW(L"TWindowManagerForm", nullptr), WM_CLOSE, 0, 0);
    return WaitUntil([] { return FindWindowW(L"TWindowManagerForm", nullptr) == nullptr; }, 10s);
  }
  if (step.rfind("open-page:", 0) == 0) {
    HWND panel = FindDescendant(MainForm(), qv::settings_id::kPanel);
    HWND link = FindDescendant(panel, qv::settings_id::kLinkBase + std::stoi(step.substr(10)));
    if (!link)
      return false;
    ClickWindow(link);
    return WaitUntil(
        [&] {
          HWND cancel = FindDescendant(panel, qv::settings_id::kCancel);
          return cancel && IsWindowVisible(cancel);
        },
        10s);
  }
  if (step == "cancel-page") {
    HWND cancel = FindDescendant(FindDescendant(MainForm(), qv::settings_id::kPanel),
                                 qv::settings_id::kCancel);
    if (!cancel)
      return false;
    ClickWindow(cancel);
    return WaitUntil([] { return FindDescendant(MainForm(), qv::settings_id::kCancel) == nullptr; },
                     10s);
  }
  if (step.rfind("screenshot:", 0) == 0) {
    Sleep(500); // let the last repaint reach the screen
    const auto file = SaveScreenshot(step.substr(11));
    std::printf("saved %s\n", file.string().c_str());
    return true;
  }
  if (step == "hide-settings") {
    PostMessageW(MainForm(), WM_CLOSE, 0, 0); // closing only hides it
    return WaitUntil([] { return !IsWindowVisible(MainForm()); }, 10s);
  }
  // The cube: brought up by its hotkey, turned and left with Escape.
  if (step == "cube-open") {
    PressKey(VK_F11);
    const bool shown = WaitUntil(
        [] { return WindowRectOf(FindWindowW(L"TRendererForm", nullptr)).left == 0; }, 10s);
    Sleep(1500); // its opening motion
    return shown;
  }
  if (step == "cube-right") {
    PressKey(VK_RIGHT);
    Sleep(2000);
    return true;
  }
  if (step == "cube-close") {
    PressKey(VK_ESCAPE);
    return WaitUntil([] { return WindowRectOf(FindWindowW(L"TRendererForm", nullptr)).left != 0; },
                     10s);
  }
  // What Direct3D drew can only be read from the X display.
  if (step.rfind("display-screenshot:", 0) == 0)
    return TakeDisplayScreenshot(step.substr(19)).has_value();
  if (step == "quit") {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(MainForm(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 10000, &result);
    return WaitUntil([] { return MainForm() == nullptr; }, 10s);
  }
  std::fprintf(stderr, "unknown step %s\n", step.c_str());
  return false;
}

} // namespace

int main(int argc, char **argv) {
  for (int i = 1; i < argc; ++i) {
    if (!RunStep(argv[i])) {
      std::fprintf(stderr, "step failed: %s\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
