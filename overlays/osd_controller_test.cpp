#include "overlays/osd_controller.h"

#include "shell/setup.h"

#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

namespace {

// A timer that ticks as window timers do (no wait shorter than 10 ms) on
// milliseconds that pass only when a test says so.
class FakeTimer : public qv::OsdTimer {
public:
  void Start(std::uint32_t intervalMs) override {
    interval = left = std::max<std::uint32_t>(intervalMs, 10);
    running = true;
  }
  void Stop() override { running = false; }
  void PassOneMillisecond() {
    if (running && --left == 0) {
      left = interval;
      onTick();
    }
  }

  std::function<void()> onTick;
  bool running = false;
  std::uint32_t interval = 0, left = 0;
};

class FakeWindow : public qv::OsdWindow {
public:
  // Each change is counted, so that a test can tell that nothing changed.
  void SetText(const std::string &value) override { text = value, ++changes; }
  void SetAlpha(std::uint8_t value) override { alpha = value, ++changes; }
  void ShowAt(int x, int y) override { left = x, top = y, visible = true, ++changes; }
  void Hide() override { visible = false, ++changes; }
  bool Visible() const override { return visible; }
  int Width() const override { return 378; }
  int Height() const override { return 104; }
  int ScreenWidth() const override { return screenWidth; }
  int ScreenHeight() const override { return screenHeight; }

  std::string text;
  bool visible = false;
  int alpha = 255, left = 0, top = 0, changes = 0;
  int screenWidth = 1280, screenHeight = 1024;
};

constexpr auto kAllOff = std::tuple(qv::OsdState::Hidden, false, false, false);

class OsdControllerTest : public testing::Test {
protected:
  OsdControllerTest() {
    setup.OSDEnable = true;
    setup.OSDTimeout = 1;
    hold.onTick = [this] { osd.HoldTimerTick(); };
    fade.onTick = [this] { osd.FadeTimerTick(); };
  }

  void Advance(std::uint64_t ms) {
    for (; ms > 0; --ms) { // the fade the hold starts waits from the next millisecond
      fade.PassOneMillisecond();
      hold.PassOneMillisecond();
    }
  }
  // How long the box stays visible from now on, up to a minute.
  std::uint64_t VisibleFor() {
    std::uint64_t ms = 0;
    for (; window.visible && ms < 60000; ++ms)
      Advance(1);
    return ms;
  }
  // The box's state, whether it is on the screen, and whether each timer runs.
  auto Now() const { return std::tuple(osd.State(), window.visible, hold.running, fade.running); }

  qv::test::MemorySettingsStore store;
  qv::TSetup setup{store};
  FakeTimer hold, fade;
  FakeWindow window;
  qv::OsdController osd{setup, window, hold, fade};
};

TEST_F(OsdControllerTest, ShowsAtTheBottomRightHoldsThenFadesInStepsOfFiveAndHides) {
  osd.ShowText("Switched to desktop 2");
  EXPECT_EQ(std::tuple(window.text, window.left, window.top, window.alpha),
            std::tuple("Switched to desktop 2", 1280 - 378, 1024 - 104 - 32, 200));
  EXPECT_EQ(osd.State(), qv::OsdState::Holding);

  Advance(999);
  EXPECT_EQ(window.alpha, 200);
  Advance(1);
  EXPECT_EQ(osd.State(), qv::OsdState::Fading);

  // 38 steps of 5 from 200 down to 10; the 39th tick finds 10 and hides the box.
  EXPECT_EQ(VisibleFor(), 39u * 10u);
  EXPECT_EQ(Now(), kAllOff);

  // The next show follows a new screen size.
  window.screenWidth = 1024;
  window.screenHeight = 768;
  osd.ShowText("after");
  EXPECT_EQ(std::pair(window.left, window.top), std::pair(1024 - 378, 768 - 104 - 32));
}

TEST_F(OsdControllerTest, ANewTextDuringTheFadeHoldsAgainAndTimeoutsOfZeroOrHugeStillEnd) {
  setup.OSDTimeout = 2;
  osd.ShowText("first");
  Advance(2000 + 200);
  ASSERT_EQ(osd.State(), qv::OsdState::Fading);
  ASSERT_LT(window.alpha, 200);

  osd.ShowText("second");
  EXPECT_EQ(std::pair(window.text, window.alpha), std::pair(std::string("second"), 200));
  EXPECT_EQ(Now(), std::tuple(qv::OsdState::Holding, true, true, false));
  EXPECT_EQ(VisibleFor(), 2000u + 390u);

  setup.OSDTimeout = 0;
  osd.ShowText("no hold");
  EXPECT_LE(VisibleFor(), 10u + 390u) << "fades at once rather than staying for ever";

  EXPECT_EQ(qv::OsdController::HoldMilliseconds(-3), 0u);
  EXPECT_EQ(qv::OsdController::HoldMilliseconds(3000000), 0x7FFFFFFFu)
      << "no overflow into a short wait";
}

TEST_F(OsdControllerTest, HideNowHidesFromAnyStateAndNothingChangesWhileHiddenOrOff) {
  osd.HideNow();
  setup.OSDEnable = false;
  osd.ShowText("switched off");
  EXPECT_EQ(window.changes, 0);
  EXPECT_EQ(Now(), kAllOff);
  setup.OSDEnable = true;

  osd.ShowText("holding");
  osd.HideNow();
  EXPECT_EQ(Now(), kAllOff);

  osd.ShowText("fading");
  Advance(1100);
  ASSERT_EQ(osd.State(), qv::OsdState::Fading);
  osd.HideNow();
  EXPECT_EQ(Now(), kAllOff);

  // A tick already queued before HideNow changes nothing.
  const int changes = window.changes;
  osd.FadeTimerTick();
  osd.HoldTimerTick();
  EXPECT_EQ(window.changes, changes);
}

} // namespace
