#include "overlays/osd_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/setup.h"
#include "triggers/desktop_properties_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

class NoStore : public qv::SettingsStore {
public:
  std::optional<std::string> ReadSetupText() override { return std::nullopt; }
  bool WriteSetupText(const std::string &) override { return false; }
  void WriteRunValue(bool) override {}
};

// Runs this thread's messages until `condition` holds or `timeout` passes.
bool PumpUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout) {
  const auto end = Clock::now() + timeout;
  while (!condition()) {
    if (Clock::now() >= end)
      return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&message);
  }
  return true;
}

std::string LabelText(HWND label) {
  wchar_t text[512] = {};
  GetWindowTextW(label, text, 512);
  return qv::WideToAnsi(text);
}

class OsdWindowTest : public testing::Test {
protected:
  OsdWindowTest() {
    setup.OSDEnable = true;
    setup.OSDTimeout = 1;
  }
  bool Visible() const { return IsWindowVisible(osd.Handle()) != FALSE; }

  NoStore store;
  qv::TSetup setup{store};
  qv::TDesktopProperties screen;
  qv::TOSD osd{setup, screen};
};

TEST_F(OsdWindowTest, AppearsTranslucentAtTheBottomRightWithoutTakingTheFocusThenFadesAway) {
  EXPECT_FALSE(Visible()) << "created hidden";
  const HWND focusedBefore = GetForegroundWindow();
  osd.ShowText("Switched to desktop 2");
  const auto shown = Clock::now();
  ASSERT_TRUE(Visible());

  RECT rect{};
  GetWindowRect(osd.Handle(), &rect);
  EXPECT_EQ(rect.right, screen.ScreenWidth);
  EXPECT_EQ(rect.bottom, screen.ScreenHeight - 32);
  EXPECT_EQ(rect.right - rect.left, 378);
  EXPECT_EQ(rect.bottom - rect.top, 104);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(osd.Handle(), GWL_EXSTYLE)) & 0x80088u, 0x80088u);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(osd.Handle(), GWL_STYLE)) & WS_CAPTION, 0u);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(osd.Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  EXPECT_EQ(LabelText(osd.Label()), "Switched to desktop 2");
  EXPECT_EQ(GetForegroundWindow(), focusedBefore);

  ASSERT_TRUE(PumpUntil([&] { return !Visible(); }, std::chrono::seconds(10)));
  const auto lasted = Clock::now() - shown;
  // One second of hold and 38 fade steps of at least 10 ms each.
  EXPECT_GE(lasted, std::chrono::milliseconds(1300));
  EXPECT_EQ(osd.State(), qv::OsdState::Hidden);
}

TEST_F(OsdWindowTest, SwitchedOffNothingAppears) {
  setup.OSDEnable = false;
  osd.ShowText("Switched to desktop 3");
  EXPECT_FALSE(Visible());
  EXPECT_EQ(LabelText(osd.Label()), "");
}

TEST_F(OsdWindowTest, ALongTextKeepsTheBoxSizeAndHideNowHidesAtOnce) {
  std::string text;
  for (int i = 0; i < 60; ++i)
    text += "Restarting system ";
  osd.ShowText(text);
  RECT rect{};
  GetWindowRect(osd.Handle(), &rect);
  EXPECT_EQ(rect.right - rect.left, 378);
  EXPECT_EQ(rect.bottom - rect.top, 104);
  GetWindowRect(osd.Label(), &rect);
  EXPECT_EQ(rect.right - rect.left, 361);
  EXPECT_EQ(rect.bottom - rect.top, 89);
  PumpUntil([] { return false; }, std::chrono::milliseconds(100)); // let it paint and tick
  EXPECT_TRUE(Visible()) << "still holding";
  osd.HideNow();
  EXPECT_FALSE(Visible());
}

} // namespace
