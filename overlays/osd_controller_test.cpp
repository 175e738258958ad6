#include "overlays/osd_controller.h"

#include "shell/setup.h"

#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Milliseconds that pass only when a test says so, and the timers that tick on them
// the way window timers do (no wait shorter than 10 ms).
class FakeClock {
public:
  class Timer : public qv::OsdTimer {
  public:
    explicit Timer(FakeClock &clock) : clock_(clock) {}
    void Start(std::uint32_t intervalMs) override {
      interval = std::max<std::uint32_t>(intervalMs, 10);
      due = clock_.now + interval;
      running = true;
    }
    void Stop() override { running = false; }

    std::function<void()> onTick;
    bool running = false;
    std::uint64_t interval = 0;
    std::uint64_t due = 0;

  private:
    FakeClock &clock_;
  };

  void Advance(std::uint64_t ms) {
    for (const std::uint64_t end = now + ms; now < end;) {
      ++now;
      for (Timer *timer : {&hold, &fade})
        if (timer->running && now >= timer->due) {
          timer->due = now + timer->interval;
          timer->onTick();
        }
    }
  }

  std::uint64_t now = 0;
  Timer hold{*this};
  Timer fade{*this};
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
  int alpha = 255;
  bool visible = false;
  int left = 0;
  int top = 0;
  int changes = 0;
  int screenWidth = 1280;
  int screenHeight = 1024;
};

class OsdControllerTest : public testing::Test {
protected:
  OsdControllerTest() {
    setup.OSDEnable = true;
    setup.OSDTimeout = 1;
    clock.hold.onTick = [this] { osd.HoldTimerTick(); };
    clock.fade.onTick = [this] { osd.FadeTimerTick(); };
  }

  // How long the box stays visible from now on, up to `limit` ms.
  std::uint64_t VisibleFor(std::uint64_t limit = 60000) {
    const std::uint64_t start = clock.now;
    while (window.visible && clock.now - start < limit)
      clock.Advance(1);
    return clock.now - start;
  }

  qv::test::MemorySettingsStore store;
  qv::TSetup setup{store};
  FakeClock clock;
  FakeWindow window;
  qv::OsdController osd{setup, window, clock.hold, clock.fade};
};

TEST_F(OsdControllerTest, ShowsAtTheBottomRightHoldsThenFadesInStepsOfFiveAndHides) {
  osd.ShowText("Switched to desktop 2");
  EXPECT_EQ(window.text, "Switched to desktop 2");
  EXPECT_EQ(window.left, 1280 - 378);
  EXPECT_EQ(window.top, 1024 - 104 - 32);
  EXPECT_EQ(window.alpha, 200);
  EXPECT_EQ(osd.State(), qv::OsdState::Holding);

  clock.Advance(999);
  EXPECT_EQ(window.alpha, 200);
  clock.Advance(1);
  EXPECT_EQ(osd.State(), qv::OsdState::Fading);

  // 38 steps of 5 from 200 down to 10; the 39th tick finds 10 and hides the box.
  clock.Advance(10);
  EXPECT_EQ(window.alpha, 195);
  EXPECT_EQ(VisibleFor(), 38u * 10u);
  EXPECT_EQ(osd.State(), qv::OsdState::Hidden);
  EXPECT_FALSE(clock.hold.running);
  EXPECT_FALSE(clock.fade.running);

  // The next show follows a new screen size.
  window.screenWidth = 1024;
  window.screenHeight = 768;
  osd.ShowText("after");
  EXPECT_EQ(window.left, 1024 - 378);
  EXPECT_EQ(window.top, 768 - 104 - 32);
}

TEST_F(OsdControllerTest, ANewTextDuringTheFadeShowsAtFullAlphaAndHoldsAgain) {
  setup.OSDTimeout = 2;
  osd.ShowText("first");
  clock.Advance(2000 + 200);
  ASSERT_EQ(osd.State(), qv::OsdState::Fading);
  ASSERT_LT(window.alpha, 200);

  osd.ShowText("second");
  EXPECT_EQ(window.text, "second");
  EXPECT_EQ(window.alpha, 200);
  EXPECT_EQ(osd.State(), qv::OsdState::Holding);
  EXPECT_FALSE(clock.fade.running);
  EXPECT_EQ(VisibleFor(), 2000u + 390u);
}

TEST_F(OsdControllerTest, HideNowHidesFromAnyStateAndNothingChangesWhileHiddenOrOff) {
  osd.HideNow();
  setup.OSDEnable = false;
  osd.ShowText("switched off");
  EXPECT_EQ(window.changes, 0);
  EXPECT_FALSE(clock.hold.running);
  setup.OSDEnable = true;

  osd.ShowText("holding");
  osd.HideNow();
  EXPECT_FALSE(window.visible);
  EXPECT_FALSE(clock.hold.running);

  osd.ShowText("fading");
  clock.Advance(1100);
  ASSERT_EQ(osd.State(), qv::OsdState::Fading);
  osd.HideNow();
  EXPECT_FALSE(window.visible);
  EXPECT_FALSE(clock.fade.running);
  EXPECT_EQ(osd.State(), qv::OsdState::Hidden);

  // A tick already queued before HideNow changes nothing.
  const int changes = window.changes;
  osd.FadeTimerTick();
  osd.HoldTimerTick();
  EXPECT_EQ(window.changes, changes);
}

TEST_F(OsdControllerTest, TimeoutsOfZeroOrBeyondATimersReachStillEnd) {
  setup.OSDTimeout = 0;
  osd.ShowText("no hold");
  EXPECT_LE(VisibleFor(), 10u + 390u) << "fades at once rather than staying for ever";

  EXPECT_EQ(qv::OsdController::HoldMilliseconds(-3), 0u);
  EXPECT_EQ(qv::OsdController::HoldMilliseconds(2), 2000u);
  EXPECT_EQ(qv::OsdController::HoldMilliseconds(3000000), 0x7FFFFFFFu)
      << "no overflow into a short wait";
}

} // namespace
