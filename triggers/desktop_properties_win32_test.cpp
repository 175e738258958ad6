#include "triggers/desktop_properties_win32.h"

#include <gtest/gtest.h>

#include "shell/unique_handle_win32.h"

namespace qv {
namespace {

// Windows of the shell's classes, made in this process to stand in for the
// shell's own (Wine's desktop has no "Progman" and a hidden, empty taskbar).
class StandIn {
public:
  StandIn(const wchar_t *className, HWND parent, RECT rect = {0, 0, 10, 10}) {
    WNDCLASSW description = {};
    description.lpfnWndProc = DefWindowProcW;
    description.hInstance = GetModuleHandleW(nullptr);
    description.lpszClassName = className;
    RegisterClassW(&description); // fails harmlessly when already registered
    window_.Reset(CreateWindowExW(0, className, L"", parent ? WS_CHILD : WS_POPUP, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                  nullptr, GetModuleHandleW(nullptr), nullptr));
  }
  HWND Get() const { return window_.Get(); }

private:
  UniqueWindow window_;
};

TEST(DesktopProperties, MeasuresTheScreenAndTheTaskbar) {
  const StandIn taskbar(L"Shell_TrayWnd", nullptr, {0, 994, 1280, 1024});
  const TDesktopProperties properties;

  EXPECT_EQ(properties.DesktopWindow, GetDesktopWindow());
  EXPECT_EQ(properties.ScreenWidth, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(properties.ScreenHeight, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(properties.HalfWidth, properties.ScreenWidth / 2);
  EXPECT_EQ(properties.QuarterHeight, properties.ScreenHeight / 4);

  EXPECT_EQ(properties.TaskbarWindow, taskbar.Get());
  EXPECT_EQ(properties.TaskbarRect.top, 994);
  EXPECT_EQ(properties.TaskbarRect.right, 1280);
  EXPECT_EQ(properties.TaskbarHeight, 30);
  EXPECT_EQ(properties.WorkHeight, properties.ScreenHeight - 30);
  EXPECT_EQ(properties.ShellHookMessage, RegisterWindowMessageW(L"SHELLHOOK"));
}

TEST(DesktopProperties, FindsTheButtonListUnderTheRebarOrTheTaskbarItself) {
  {
    const StandIn taskbar(L"Shell_TrayWnd", nullptr);
    const StandIn rebar(L"ReBarWindow32", taskbar.Get());
    const StandIn buttons(L"MSTaskSwWClass", rebar.Get());
    const TDesktopProperties properties;
    EXPECT_EQ(properties.RebarWindow, rebar.Get());
    EXPECT_EQ(properties.TaskSwitchWindow, buttons.Get());
  }
  {
    const StandIn taskbar(L"Shell_TrayWnd", nullptr);
    const StandIn buttons(L"MSTaskSwWClass", taskbar.Get());
    const TDesktopProperties properties;
    EXPECT_EQ(properties.RebarWindow, taskbar.Get());
    EXPECT_EQ(properties.TaskSwitchWindow, buttons.Get());
  }
}

TEST(DesktopProperties, FindsTheIconListTwoLevelsBelowProgman) {
  const StandIn progman(L"Progman", nullptr);
  const StandIn view(L"SHELLDLL_DefView", progman.Get());
  const StandIn icons(L"SysListView32", view.Get());
  const TDesktopProperties properties;
  EXPECT_EQ(properties.DesktopListView, icons.Get());
}

TEST(DesktopProperties, MissingShellWindowsGiveNullHandles) {
  // Wine's desktop has no "Progman"; its taskbar has neither rebar nor
  // button list. A search below a missing window must not fall back to the
  // top-level windows.
  ASSERT_EQ(FindWindowW(L"Progman", nullptr), nullptr);
  const TDesktopProperties properties;
  EXPECT_EQ(properties.DesktopListView, nullptr);
  EXPECT_EQ(properties.RebarWindow, properties.TaskbarWindow);
  EXPECT_EQ(properties.TaskSwitchWindow, nullptr);
}

TEST(DesktopProperties, NoticesAScreenSizeThatDiffersFromTheStoredOne) {
  TDesktopProperties properties;
  EXPECT_FALSE(properties.ResolutionChanged());
  properties.ScreenWidth += 1;
  EXPECT_TRUE(properties.ResolutionChanged());
  properties.ScreenWidth -= 1;
  properties.ScreenHeight = properties.QuarterHeight;
  EXPECT_TRUE(properties.ResolutionChanged());
}

} // namespace
} // namespace qv
