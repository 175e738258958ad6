#include "shell/settings/bound_settings_page_win32.h"
#include "shell/settings/effect_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

namespace qv {

namespace {

// How far away the desktops start, whether the effect turns at the screen
// edge and how long its movements take; one page for each effect.
class TSettingsEffectDistances : public TBoundSettingsPage {
public:
  TSettingsEffectDistances(const PageContext &context, const wchar_t *className, std::string title,
                           EffectKind effect)
      : TBoundSettingsPage(context, className, std::move(title), "535"), keys_(KeysOf(effect)) {}

private:
  void Build(ControlBuilder &controls) override {
    AddTrackbar(controls, kContentTop, settings_id::kInitialDistance, "536", 0, kMaxDistance,
                keys_.distance);
    AddCheckBox(controls, kContentTop + kRowHeight + 4, settings_id::kEdgeMovement, "537",
                keys_.edgeMovement);
    AddTrackbar(controls, kContentTop + 2 * kRowHeight + 8, settings_id::kDuration, "538", 0,
                kMaxDuration, keys_.duration, "ms");
  }

  const EffectKeys &keys_;
};

} // namespace

PagePointer NewEffectDistancesPage(const PageContext &context, EffectKind effect) {
  switch (effect) {
  case EffectKind::Explorer:
    return std::make_unique<TSettingsEffectDistances>(context, L"TSettingsExplorerDistances", "204",
                                                      effect);
  case EffectKind::Flip:
    return std::make_unique<TSettingsEffectDistances>(context, L"TSettingsFlipDistances", "208",
                                                      effect);
  case EffectKind::Carousel:
    return std::make_unique<TSettingsEffectDistances>(context, L"TSettingsCarouselDistances", "291",
                                                      effect);
  case EffectKind::Cube:
    break;
  }
  return std::make_unique<TSettingsEffectDistances>(context, L"TSettingsCubeDistances", "19",
                                                    effect);
}

} // namespace qv
