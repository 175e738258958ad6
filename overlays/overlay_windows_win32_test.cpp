// The overlay windows' boxes: the OSD's and the tray's desktop preview.
#include "overlays/desktop_preview_win32.h"
#include "overlays/osd_win32.h"

#include "shell/setup.h"
#include "triggers/desktop_properties_win32.h"

#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SIZE SizeOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// Where it appears, for how long and that it never takes the focus is
// checked in the running program.
TEST(OsdWindow, ALongTextDoesNotGrowTheBox) {
  qv::test::MemorySettingsStore store;
  qv::TSetup setup(store);
  setup.OSDEnable = true;
  const qv::TDesktopProperties screen;
  qv::TOSD osd(setup, screen);
  const SIZE before = SizeOf(osd.Handle());
  std::string longText;
  for (int i = 0; i < 60; ++i)
    longText += "Restarting system ";
  osd.ShowText(longText);
  ASSERT_TRUE(IsWindowVisible(osd.Handle()));
  const SIZE shown = SizeOf(osd.Handle());
  EXPECT_TRUE(before.cx > 0 && shown.cx == before.cx && shown.cy == before.cy);
  osd.HideNow();
  EXPECT_FALSE(IsWindowVisible(osd.Handle()));
}

TEST(DesktopPreview, SitsAboveTheTaskbarAtTheBottomRightAtItsScale) {
  EXPECT_EQ(qv::PreviewClientSize(1280, 1024, 0.25), (qv::LayoutRect{920, 704, 352, 288}));
  const qv::LayoutRect large = qv::PreviewClientSize(1280, 1024, 0.9);
  EXPECT_EQ(large.Right(), 1280 - 8);
  EXPECT_EQ(large.Bottom(), 1024 - 32);
}

} // namespace
