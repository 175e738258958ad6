// Every 3D effect as a user meets it: brought up by its key over the
// desktops' pictures, stepped to the next desktop with the arrows, left by
// choosing a desktop or by Escape with every window where it belongs. What
// the effect draws is read back from the X display.
#include "tests/e2e/effect_fixture_win32.h"

#include <gtest/gtest.h>

namespace qv::e2e {
namespace {

struct Effect {
  const wchar_t *name;
  WORD key;
  WORD modifier;
  int centreSquare;
};

class EffectSwitchingEndToEnd : public EffectEndToEnd,
                                public ::testing::WithParamInterface<Effect> {
protected:
  EffectSwitchingEndToEnd() : EffectEndToEnd(GetParam().name, GetParam().centreSquare) {}
  void Open() { OpenEffect(GetParam().key, GetParam().modifier); }
  static std::string Shot(const std::string &what) {
    const std::wstring name = GetParam().name;
    std::string shot(name.begin(), name.end());
    shot[0] = static_cast<char>(shot[0] - 'A' + 'a');
    return shot + "-" + what;
  }
};

TEST_P(EffectSwitchingEndToEnd, StepsToTheNextDesktopAndLandsThereOrGoesBackWithEscape) {
  OpenDesktops();
  Open();
  EXPECT_TRUE(Reddish(Centre(Shot("opened")))) << "desktop 1 in front";
  PressKey(VK_RIGHT);
  EXPECT_TRUE(CentreBecomes(Shot("stepped"), Greenish)) << "desktop 2 came to the front";
  PressKey(VK_ESCAPE);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(red_) && Hidden(green_); })) << "Escape keeps desktop 1";

  // Opened again, as often as the user likes.
  Open();
  PressKey(VK_RIGHT);
  EXPECT_TRUE(CentreBecomes(Shot("stepped-again"), Greenish));
  PressKey(VK_RETURN);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(green_) && Hidden(red_); }))
      << "desktop 2 current, its window at its exact place";

  // From desktop 2, the previous desktop is 1 again.
  Open();
  EXPECT_TRUE(Greenish(Centre(Shot("opened-on-2"))));
  PressKey(VK_LEFT);
  EXPECT_TRUE(CentreBecomes(Shot("stepped-back"), Reddish));
  PressKey(VK_RETURN);
  WaitUntilClosed();
  EXPECT_TRUE(WaitUntil([&] { return At(red_) && Hidden(green_); }));
  Stop(*program_);
  EXPECT_TRUE(At(red_) && At(green_)) << "every window given back at exit";
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectSwitchingEndToEnd,
                         ::testing::Values(Effect{L"Cube", VK_F11, 0, 60},
                                           Effect{L"Flip", VK_F8, 0, 40},
                                           Effect{L"Carousel", VK_F8, VK_CONTROL, 40},
                                           Effect{L"Explorer", VK_F7, 0, 40}),
                         [](const auto &info) {
                           const std::wstring name = info.param.name;
                           return std::string(name.begin(), name.end());
                         });

} // namespace
} // namespace qv::e2e
