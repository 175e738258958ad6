#include "triggers/desktop_properties_win32.h"

#include "tests/support/message_loop_win32.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Windows of the shell's classes, made in this process to stand in for the
// shell's own (Wine's desktop has no "Progman" and a hidden, empty taskbar).
UniqueWindow StandIn(const wchar_t *className, HWND parent = nullptr) {
  return test::OpenWindow(className, parent ? WS_CHILD : WS_POPUP, {0, 0, 10, 10}, parent);
}

TEST(DesktopProperties, MeasuresTheTaskbarAndFindsTheButtonAndIconListsWhereverTheShellHasThem) {
  {
    const auto taskbar = test::OpenWindow(L"Shell_TrayWnd", WS_POPUP, {0, 994, 1280, 1024});
    const auto rebar = StandIn(L"ReBarWindow32", taskbar.Get());
    const auto buttons = StandIn(L"MSTaskSwWClass", rebar.Get());
    const auto progman = StandIn(L"Progman");
    const auto view = StandIn(L"SHELLDLL_DefView", progman.Get());
    const auto icons = StandIn(L"SysListView32", view.Get());
    TDesktopProperties properties;
    EXPECT_EQ(properties.TaskbarWindow, taskbar.Get());
    EXPECT_EQ(properties.TaskbarHeight, 30);
    EXPECT_EQ(properties.WorkHeight, properties.ScreenHeight - 30);
    EXPECT_EQ(properties.RebarWindow, rebar.Get());
    EXPECT_EQ(properties.TaskSwitchWindow, buttons.Get());
    EXPECT_EQ(properties.DesktopListView, icons.Get());
    EXPECT_FALSE(properties.ResolutionChanged());
    properties.ScreenHeight = properties.QuarterHeight;
    EXPECT_TRUE(properties.ResolutionChanged());
  }
  {
    const auto taskbar = StandIn(L"Shell_TrayWnd");
    const auto buttons = StandIn(L"MSTaskSwWClass", taskbar.Get());
    const TDesktopProperties properties;
    EXPECT_EQ(properties.RebarWindow, taskbar.Get()) << "no rebar: the taskbar holds the buttons";
    EXPECT_EQ(properties.TaskSwitchWindow, buttons.Get());
  }
  // A search below a missing window must not fall back to the top-level windows.
  ASSERT_EQ(FindWindowW(L"Progman", nullptr), nullptr);
  const TDesktopProperties properties;
  EXPECT_EQ(properties.DesktopListView, nullptr);
  EXPECT_EQ(properties.TaskSwitchWindow, nullptr);
}

} // namespace
} // namespace qv
