#include "shell/settings/bound_settings_page_win32.h"
#include "shell/settings/effect_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

namespace qv {

namespace {

// How the 3D effects move when they open and close, and how they answer
// the mouse.
class TSettingsControlAnimation : public TBoundSettingsPage {
public:
  explicit TSettingsControlAnimation(const PageContext &context)
      : TBoundSettingsPage(context, L"TSettingsControlAnimation", "230", "500") {}

private:
  void Build(ControlBuilder &controls) override {
    std::vector<std::string> motions;
    for (int choice = 0; choice < kAnimationChoices; ++choice)
      motions.push_back(std::to_string(220 + choice));
    int y = kContentTop;
    AddComboList(controls, y, settings_id::kEffectIn, "501", motions, &TSetup::AnimationIn);
    AddComboList(controls, y += kRowHeight, settings_id::kEffectOut, "502", motions,
                 &TSetup::AnimationOut);
    AddTrackbar(controls, y += kRowHeight + 10, settings_id::kElasticity, "503", kMinElasticity,
                kMaxElasticity, &TSetup::AnimationElasticity, "%");
    AddTrackbar(controls, y += kRowHeight, settings_id::kZoomFactor, "504", kMinZoomFactor,
                kMaxZoomFactor, &TSetup::AnimationZoomFactor, "%");
  }
};

} // namespace

PagePointer NewAnimationPage(const PageContext &context) {
  return std::make_unique<TSettingsControlAnimation>(context);
}

} // namespace qv
