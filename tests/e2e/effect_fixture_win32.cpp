#include "tests/e2e/effect_fixture_win32.h"

#include "shell/setup.h"

namespace qv::e2e {

void EffectEndToEnd::OpenDesktops(const std::function<void(TSetup &)> &settings,
                                  const std::wstring &password) {
  SaveSettings([&](TSetup &setup) {
    setup.PerformanceLivePreview = false;
    if (settings)
      settings(setup);
  });
  program_ = Start();
  red_ = OpenWindow(L"Qv" + name_ + L"Red", {}, L"--at 240 200 --size 800 600 --colour 208 32 32");
  WaitUntilManaged(red_);
  PressCtrlWith('2');
  if (!password.empty())
    GivePassword(password);
  ASSERT_TRUE(WaitUntil([&] { return Hidden(red_); }));
  green_ =
      OpenWindow(L"Qv" + name_ + L"Green", {}, L"--at 240 200 --size 800 600 --colour 32 176 32");
  WaitUntilManaged(green_);
  // Desktop 2's picture is taken as it is left: not before its window shows.
  EXPECT_TRUE(WaitUntil([] {
    const auto image = TakeDisplayScreenshot("effect-desktop-2");
    return image && Greenish(MeanColour(*image, 640, 512, 20));
  })) << "the green window was never drawn";
  PressCtrlWith('1');
  ASSERT_TRUE(WaitUntil([&] { return Hidden(green_) && At(red_); }));
  host_ = FindProcessWindow(program_->Id(), L"TRendererForm");
  ASSERT_NE(host_, nullptr) << "the render host exists from start-up";
  EXPECT_NE(GetWindowLongPtrW(host_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0) << "no taskbar button";
  EXPECT_NE(GetWindowLongPtrW(host_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

void EffectEndToEnd::GivePassword(const std::wstring &password) {
  ASSERT_NE(WaitForVisibleWindow(program_->Id(), L"TRetrievePassword"), nullptr)
      << "the password was not asked for";
  TypeText(password);
  PressKey(VK_RETURN);
}

void EffectEndToEnd::OpenEffect(WORD key, WORD modifier) {
  ended_ = EffectsEnded();
  if (modifier)
    PressWith(modifier, key);
  else
    PressKey(key);
  ASSERT_TRUE(WaitUntil([&] { return OnScreen(); }, 10s)) << "the effect did not come on screen";
  Sleep(1500); // the opening motion (750 ms) and the springs settling
}

void EffectEndToEnd::WaitUntilClosed() {
  EXPECT_TRUE(WaitUntil([&] { return EffectsEnded() > ended_ && !OnScreen(); }, 20s))
      << "the effect did not end";
}

DecodedImage EffectEndToEnd::Screen(const std::string &name) {
  std::optional<DecodedImage> image = TakeDisplayScreenshot(name);
  EXPECT_TRUE(image.has_value()) << "no screenshot of the display";
  return image ? std::move(*image) : DecodedImage{1, 1, {0, 0, 0, 255}};
}

Colour EffectEndToEnd::Centre(const std::string &screenshot) const {
  return MeanColour(Screen(screenshot), 640, 512, centreSquare_);
}

bool EffectEndToEnd::CentreBecomes(const std::string &screenshot, bool (*colour)(Colour)) const {
  return WaitUntil([&] { return colour(Centre(screenshot)); }, 30s);
}

} // namespace qv::e2e
