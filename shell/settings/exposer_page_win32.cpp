// The window exposer's page: what lies behind its thumbnails and which
// windows it shows.
#include "shell/settings/page_controls_win32.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

#include <array>

namespace qv {

namespace {

// rbTransparent, rbLiveDesktop, rbColor: ExposerBackground 0, 1 and 2.
constexpr std::array<int, 3> kBackgroundRadios = {settings_id::kExposerBackgroundBase,
                                                  settings_id::kExposerBackgroundBase + 1,
                                                  settings_id::kExposerBackgroundBase + 2};

class TSettingsExposerAppearance : public TSettingsBase {
public:
  explicit TSettingsExposerAppearance(const PageContext &context)
      : TSettingsBase(context, L"TSettingsExposerAppearance", "21", "700") {}

private:
  struct Flag {
    int id;
    const char *caption;
    bool TSetup::*key;
  };
  static constexpr std::array<Flag, 5> kFlags = {{
      {settings_id::kExposerTransparency, "705", &TSetup::ExposerTransparency},
      {settings_id::kExposerAnimation, "706", &TSetup::ExposerAnimation},
      {settings_id::kExposerMinimized, "707", &TSetup::ExposerShowMinimized},
      {settings_id::kExposerDesktop, "708", &TSetup::ExposerShowDesktop},
      {settings_id::kExposerAllDesktops, "709", &TSetup::ExposerShowAll},
  }};

  void Build(ControlBuilder &controls) override {
    controls.Label(0, "701", 0, kContentTop, 500, 20);
    controls.Radio(kBackgroundRadios[0], "702", 16, kContentTop + 22, 400, true);
    controls.Radio(kBackgroundRadios[1], "703", 16, kContentTop + 44, 400, false);
    controls.Radio(kBackgroundRadios[2], "704", 16, kContentTop + 66, 400, false);
    int y = kContentTop + 102;
    for (const Flag &flag : kFlags) {
      controls.CheckBox(flag.id, flag.caption, 0, y, 600);
      y += 24;
    }
  }

  void ReadSettings() override {
    for (int value = 0; value < 3; ++value)
      SetChecked(Item(kBackgroundRadios[static_cast<std::size_t>(value)]),
                 Settings().ExposerBackground == value);
    for (const Flag &flag : kFlags)
      SetChecked(Item(flag.id), Settings().*flag.key);
  }

  bool WriteSettings() override {
    for (int value = 0; value < 3; ++value)
      if (IsChecked(Item(kBackgroundRadios[static_cast<std::size_t>(value)])))
        Settings().ExposerBackground = value;
    for (const Flag &flag : kFlags)
      Settings().*flag.key = IsChecked(Item(flag.id));
    return true;
  }
};

} // namespace

PagePointer NewExposerAppearancePage(const PageContext &context) {
  return std::make_unique<TSettingsExposerAppearance>(context);
}

} // namespace qv
