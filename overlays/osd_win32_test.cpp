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

// Where it appears and for how long is checked in the running program; here
// the kind of window it is.
TEST(OsdWindow, ATranslucentTopMostToolBoxThatKeepsItsSizeAndNeverTakesTheFocus) {
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
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(box, GWL_EXSTYLE)) & 0x80088u, 0x80088u);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(box, GWL_STYLE)) & (WS_POPUP | WS_CAPTION),
            static_cast<DWORD>(WS_POPUP));
  const SIZE shown = SizeOf(box);
  EXPECT_TRUE(boxSize.cx > 0 && shown.cx == boxSize.cx && shown.cy == boxSize.cy)
      << "a long text does not grow the box";

  osd.HideNow();
  EXPECT_FALSE(IsWindowVisible(box));
}

} // namespace
