#include "shell/settings/control_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

#include <array>

namespace qv {

namespace {

constexpr int kRowHeight = 34;

// The effects of a middle click on the desktop and of holding two modifier
// keys, and what the mouse wheel does inside an effect.
class TSettingsControlSpecial : public TSettingsBase {
public:
  explicit TSettingsControlSpecial(const PageContext &context)
      : TSettingsBase(context, L"TSettingsControlSpecial", "176", "310") {}

private:
  void Build(ControlBuilder &controls) override {
    const std::vector<std::string> effects(EffectCaptions().begin(), EffectCaptions().end());
    const std::array<const char *, 4> inputs = {"311", "312", "313", "314"};
    for (int n = 0; n < 4; ++n) {
      const int y = kContentTop + n * kRowHeight;
      controls.Label(0, inputs[static_cast<std::size_t>(n)], 0, y + 4, 250, 20);
      controls.ComboList(settings_id::kEffectBase + n, effects, 260, y, 220);
    }
    const int y = kContentTop + 4 * kRowHeight + 12;
    controls.Label(0, "315", 0, y, 400, 20);
    controls.Radio(settings_id::kMouseZoom, "316", 16, y + 24, 400, true);
    controls.Radio(settings_id::kMouseSwitch, "317", 16, y + 48, 400, false);
  }

  void ReadSettings() override {
    stored_ = SpecialControlValues::Read(Settings());
    for (int n = 0; n < 4; ++n)
      SetComboIndex(Item(settings_id::kEffectBase + n),
                    stored_.effects[static_cast<std::size_t>(n)]);
    SetChecked(Item(settings_id::kMouseZoom), stored_.wheelAction == 0);
    SetChecked(Item(settings_id::kMouseSwitch), stored_.wheelAction == 1);
  }

  bool WriteSettings() override {
    SpecialControlValues values = stored_;
    for (int n = 0; n < 4; ++n) {
      int &effect = values.effects[static_cast<std::size_t>(n)];
      effect = ComboIndexOr(Item(settings_id::kEffectBase + n), effect);
    }
    if (IsChecked(Item(settings_id::kMouseZoom)))
      values.wheelAction = 0;
    else if (IsChecked(Item(settings_id::kMouseSwitch)))
      values.wheelAction = 1;
    values.Write(Settings());
    return true;
  }

  SpecialControlValues stored_;
};

} // namespace

PagePointer NewSpecialControlsPage(const PageContext &context) {
  return std::make_unique<TSettingsControlSpecial>(context);
}

} // namespace qv
