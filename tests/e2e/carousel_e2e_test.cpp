// The carousel as a user meets it: brought up by Ctrl+F8 over the desktops'
// pictures, turned with the arrows, left by choosing a desktop or by Escape
// with every window where it belongs. What it draws is read back from the X
// display.
#include "tests/e2e/effect_fixture_win32.h"

#include <gtest/gtest.h>

namespace qv::e2e {
namespace {

class CarouselEndToEnd : public EffectEndToEnd {
protected:
  CarouselEndToEnd() : EffectEndToEnd(L"Carousel", 40) {}
  void OpenCarousel() { OpenEffect(VK_F8, VK_CONTROL); }
};

TEST_F(CarouselEndToEnd, TurnsToTheNextDesktopAndLandsThereOrGoesBackWithEscape) {
  OpenDesktops();
  // Escape keeps desktop 1, again and again.
  for (int round = 0; round < 2; ++round) {
    OpenCarousel();
    EXPECT_TRUE(Reddish(Centre("carousel-opened"))) << "desktop 1's screen in front";
    PressKey(VK_RIGHT);
    EXPECT_TRUE(CentreBecomes("carousel-turned", Greenish)) << "desktop 2's screen came round";
    PressKey(VK_ESCAPE);
    WaitUntilClosed();
    EXPECT_TRUE(WaitUntil([&] { return At(red_) && Hidden(green_); })) << "round " << round;
  }

  OpenCarousel();
  PressKey(VK_RIGHT);
  EXPECT_TRUE(CentreBecomes("carousel-turned-again", Greenish));
  PressKey(VK_RETURN);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(green_) && Hidden(red_); }))
      << "desktop 2 current, its window at its exact place";

  // From desktop 2, the previous desktop is 1 again.
  OpenCarousel();
  EXPECT_TRUE(Greenish(Centre("carousel-opened-on-2")));
  PressKey(VK_LEFT);
  EXPECT_TRUE(CentreBecomes("carousel-turned-back", Reddish));
  PressKey(VK_RETURN);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(red_) && Hidden(green_); }));
  Stop(*program_);
  EXPECT_TRUE(At(red_) && At(green_)) << "every window given back at exit";
}

} // namespace
} // namespace qv::e2e
