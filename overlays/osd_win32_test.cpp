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

// Where it appears and for how long is checked in the running program.
TEST(OsdWindow, KeepsItsSizeAndNeverTakesTheFocus) {
  qv::test::MemorySettingsStore store;
  qv::TSetup setup(store);
  setup.OSDEnable = true;
  const qv::TDesktopProperties screen;
  qv::TOSD osd(setup, screen);
  HWND box = osd.Handle();
  EXPECT_FALSE(IsWindowVisible(box)) << "created hidden";

  const HWND focusedBefore = GetForegroundWindow();
  const SIZE boxSize = SizeOf(box);
  std::string longText;
  for (int i = 0; i < 60; ++i)
    longText += "Restarting system ";
  osd.ShowText(longText);
  ASSERT_TRUE(IsWindowVisible(box));
  EXPECT_EQ(GetForegroundWindow(), focusedBefore);
  const SIZE shown = SizeOf(box);
  EXPECT_TRUE(boxSize.cx > 0 && shown.cx == boxSize.cx && shown.cy == boxSize.cy)
      << "a long text does not grow the box";

  osd.HideNow();
  EXPECT_FALSE(IsWindowVisible(box));
}

} // namespace
