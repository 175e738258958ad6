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

TEST(DesktopProperties, MeasuresTheTaskbarAndTheAreaAboveIt) {
  const StandIn taskbar(L"Shell_TrayWnd", nullptr, {0, 994, 1280, 1024});
  TDesktopProperties properties;
  EXPECT_EQ(properties.TaskbarWindow, taskbar.Get());
  EXPECT_EQ(properties.TaskbarHeight, 30);
  EXPECT_EQ(properties.WorkHeight, properties.ScreenHeight - 30);

  EXPECT_FALSE(properties.ResolutionChanged());
  properties.ScreenHeight = properties.QuarterHeight;
  EXPECT_TRUE(properties.ResolutionChanged());
}

TEST(DesktopProperties, FindsTheButtonListAndTheIconListWhereverTheShellHasThem) {
  {
    const StandIn taskbar(L"Shell_TrayWnd", nullptr);
    const StandIn rebar(L"ReBarWindow32", taskbar.Get());
    const StandIn buttons(L"MSTaskSwWClass", rebar.Get());
    const StandIn progman(L"Progman", nullptr);
    const StandIn view(L"SHELLDLL_DefView", progman.Get());
    const StandIn icons(L"SysListView32", view.Get());
    const TDesktopProperties properties;
    EXPECT_EQ(properties.RebarWindow, rebar.Get());
    EXPECT_EQ(properties.TaskSwitchWindow, buttons.Get());
    EXPECT_EQ(properties.DesktopListView, icons.Get());
  }
  {
    const StandIn taskbar(L"Shell_TrayWnd", nullptr);
    const StandIn buttons(L"MSTaskSwWClass", taskbar.Get());
    const TDesktopProperties properties;
    EXPECT_EQ(properties.RebarWindow, taskbar.Get()) << "no rebar: the taskbar holds the buttons";
    EXPECT_EQ(properties.TaskSwitchWindow, buttons.Get());
  }
  // Wine's desktop has no "Progman"; its taskbar has neither rebar nor
  // button list. A search below a missing window must not fall back to the
  // top-level windows.
  ASSERT_EQ(FindWindowW(L"Progman", nullptr), nullptr);
  const TDesktopProperties properties;
  EXPECT_EQ(properties.DesktopListView, nullptr);
  EXPECT_EQ(properties.TaskSwitchWindow, nullptr);
}

} // namespace
} // namespace qv
