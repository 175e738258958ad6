// The pages of the "Performance" group.
#include "shell/globals.h"
#include "shell/language.h"
#include "shell/settings/bound_settings_page_win32.h"
#include "shell/settings/effect_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

namespace qv {

namespace {

std::string Translated(const std::string &text) {
  return LanguageController ? LanguageController->Translate(text) : text;
}

// One level from best quality to least memory; three lines say what the
// chosen level does.
class TSettingsPerformanceSettings : public TBoundSettingsPage {
public:
  explicit TSettingsPerformanceSettings(const PageContext &context)
      : TBoundSettingsPage(context, L"TSettingsPerformanceSettings", "25", "505") {}

private:
  static constexpr int kLevelLabels[] = {settings_id::kLevelSize, settings_id::kLevelAllocation,
                                         settings_id::kLevelBuffering};

  void Build(ControlBuilder &controls) override {
    const int y = kContentTop;
    AddTrackbar(controls, y, settings_id::kLevel, "506", 0, kMaxPerformanceLevel,
                &TSetup::PerformanceLevel);
    SendMessageW(Item(settings_id::kLevel), TBM_SETPAGESIZE, 0, 1);
    controls.Label(0, "507", kControlLeft, y + 32, kControlWidth / 2, 20);
    controls.Label(0, "508", kControlLeft + kControlWidth / 2, y + 32, kControlWidth / 2, 20,
                   SS_RIGHT);
    for (int line = 0; line < 3; ++line)
      controls.Label(kLevelLabels[line], "", 0, y + 72 + line * 24, Width() - 20, 20);
  }

  void ReadSettings() override {
    TBoundSettingsPage::ReadSettings();
    ShowLevel();
  }

  void OnScroll(HWND trackbar) override {
    TBoundSettingsPage::OnScroll(trackbar);
    ShowLevel();
  }

  void ShowLevel() {
    const auto texts = PerformanceLevelTexts(TrackbarPosition(Item(settings_id::kLevel)));
    for (int line = 0; line < 3; ++line)
      SetText(Item(kLevelLabels[line]), Translated(texts[static_cast<std::size_t>(line)]));
  }
};

class TSettingsPerformanceRealtime : public TBoundSettingsPage {
public:
  explicit TSettingsPerformanceRealtime(const PageContext &context)
      : TBoundSettingsPage(context, L"TSettingsPerformanceRealtime", "15", "509") {}

private:
  void Build(ControlBuilder &controls) override {
    AddCheckBox(controls, kContentTop, settings_id::kRealtime, "510",
                &TSetup::PerformanceLivePreview);
    AddTrackbar(controls, kContentTop + kRowHeight, settings_id::kRate, "511", 0, kMaxPercent,
                &TSetup::PerformanceLivePreviewRate, "%");
  }
};

class TSettingsPerformanceReflection : public TBoundSettingsPage {
public:
  explicit TSettingsPerformanceReflection(const PageContext &context)
      : TBoundSettingsPage(context, L"TSettingsPerformanceReflection", "197", "512") {}

private:
  void Build(ControlBuilder &controls) override {
    AddCheckBox(controls, kContentTop, settings_id::kReflection, "513",
                &TSetup::PerformanceReflection);
    AddCheckBox(controls, kContentTop + 26, settings_id::kAntialias, "514",
                &TSetup::PerformanceAntialiasing);
  }
};

class TSettingsPerformanceEffects : public TBoundSettingsPage {
public:
  explicit TSettingsPerformanceEffects(const PageContext &context)
      : TBoundSettingsPage(context, L"TSettingsPerformanceEffects", "18", "515") {}

private:
  void Build(ControlBuilder &controls) override {
    AddCheckBox(controls, kContentTop, settings_id::kTransparentWindows, "516",
                &TSetup::PerformanceTransparentWindows);
    AddCheckBox(controls, kContentTop + 26, settings_id::kLighting, "517",
                &TSetup::PerformanceLighting);
    AddCheckBox(controls, kContentTop + 52, settings_id::kWater, "518",
                &TSetup::PerformanceWaterDrop);
  }
};

} // namespace

PagePointer NewPerformanceSettingsPage(const PageContext &context) {
  return std::make_unique<TSettingsPerformanceSettings>(context);
}

PagePointer NewPerformanceRealtimePage(const PageContext &context) {
  return std::make_unique<TSettingsPerformanceRealtime>(context);
}

PagePointer NewPerformanceReflectionPage(const PageContext &context) {
  return std::make_unique<TSettingsPerformanceReflection>(context);
}

PagePointer NewPerformanceEffectsPage(const PageContext &context) {
  return std::make_unique<TSettingsPerformanceEffects>(context);
}

} // namespace qv
