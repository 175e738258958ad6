// The pages of the "General Settings" group except the language page.
#include "shell/globals.h"
#include "shell/language.h"
#include "shell/settings/general_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

#include <algorithm>

namespace qv {

namespace {

std::string Translated(const std::string &text) {
  return LanguageController ? LanguageController->Translate(text) : text;
}

// Shows a trackbar's value beside it.
void ShowValue(HWND label, int value, const std::string &unit) {
  SetText(label, std::to_string(value) + " " + unit);
}

constexpr int kTimeoutValue = 300; // the label beside the time-out trackbar
constexpr int kPreviewSizeValue = 301;

class TSettingsGeneralOSD : public TSettingsBase {
public:
  explicit TSettingsGeneralOSD(const PageContext &context)
      : TSettingsBase(context, L"TSettingsGeneralOSD", "32", "318") {}

private:
  void Build(ControlBuilder &controls) override {
    controls.CheckBox(settings_id::kEnable, "319", 0, kContentTop, 500);
    controls.Label(0, "320", 0, kContentTop + 38, 130, 20);
    controls.Trackbar(settings_id::kTimeout, kMinOsdTimeout, kMaxOsdTimeout, 140, kContentTop + 32,
                      220);
    controls.Label(kTimeoutValue, "", 370, kContentTop + 38, 120, 20);
    controls.CheckBox(settings_id::kControls, "288.Effect controls", 0, kContentTop + 80, 500);
  }

  void ReadSettings() override {
    const auto values = OsdPageValues::Read(Settings());
    SetChecked(Item(settings_id::kEnable), values.enabled);
    SetTrackbarPosition(Item(settings_id::kTimeout), values.timeout);
    SetChecked(Item(settings_id::kControls), values.showControls);
    OnScroll(Item(settings_id::kTimeout));
  }

  bool WriteSettings() override {
    OsdPageValues{IsChecked(Item(settings_id::kEnable)),
                  TrackbarPosition(Item(settings_id::kTimeout)),
                  IsChecked(Item(settings_id::kControls))}
        .Write(Settings());
    return true;
  }

  void OnScroll(HWND /*trackbar*/) override {
    ShowValue(Item(kTimeoutValue), TrackbarPosition(Item(settings_id::kTimeout)),
              Translated("321"));
  }
};

class TSettingsGeneralTray : public TSettingsBase {
public:
  explicit TSettingsGeneralTray(const PageContext &context)
      : TSettingsBase(context, L"TSettingsGeneralTray", "33", "322") {}

private:
  static constexpr int kDefaultRadios[] = {settings_id::kDefaultOptions, settings_id::kDefaultCube,
                                           settings_id::kDefaultExposer};

  void Build(ControlBuilder &controls) override {
    controls.Label(0, "323", 0, kContentTop, 500, 20);
    controls.Radio(settings_id::kDefaultOptions, "324", 16, kContentTop + 22, 400, true);
    controls.Radio(settings_id::kDefaultCube, "325", 16, kContentTop + 44, 400, false);
    controls.Radio(settings_id::kDefaultExposer, "326", 16, kContentTop + 66, 400, false);
    controls.CheckBox(settings_id::kShowWindowList, "327", 0, kContentTop + 102, 600);
    controls.CheckBox(settings_id::kCreateIcons, "328", 0, kContentTop + 126, 600);
    controls.CheckBox(settings_id::kLivePreview, "329", 0, kContentTop + 150, 600);
    controls.Label(0, "330", 16, kContentTop + 188, 170, 20);
    controls.Trackbar(settings_id::kPreviewSize, kMinPreviewSize, kMaxPreviewSize, 190,
                      kContentTop + 182, 260);
    controls.Label(kPreviewSizeValue, "", 460, kContentTop + 188, 80, 20);
    SendMessageW(GetDlgItem(controls.Parent(), settings_id::kPreviewSize), TBM_SETTICFREQ, 10, 0);
  }

  void ReadSettings() override {
    stored_ = TrayPageValues::Read(Settings());
    for (int action = 0; action < 3; ++action)
      SetChecked(Item(kDefaultRadios[action]), stored_.defaultAction == action);
    SetChecked(Item(settings_id::kShowWindowList), stored_.showWindowList);
    SetChecked(Item(settings_id::kCreateIcons), stored_.createIcons);
    SetChecked(Item(settings_id::kLivePreview), stored_.livePreview);
    SetTrackbarPosition(Item(settings_id::kPreviewSize), stored_.previewSize);
    OnScroll(Item(settings_id::kPreviewSize));
  }

  bool WriteSettings() override {
    TrayPageValues values = stored_;
    for (int action = 0; action < 3; ++action)
      if (IsChecked(Item(kDefaultRadios[action])))
        values.defaultAction = action;
    values.showWindowList = IsChecked(Item(settings_id::kShowWindowList));
    values.createIcons = IsChecked(Item(settings_id::kCreateIcons));
    values.livePreview = IsChecked(Item(settings_id::kLivePreview));
    values.previewSize = TrackbarPosition(Item(settings_id::kPreviewSize));
    values.Write(Settings());
    return true;
  }

  void FollowUp() override {
    if (Services().setTrayDefaultItem)
      Services().setTrayDefaultItem();
  }

  void OnScroll(HWND /*trackbar*/) override {
    ShowValue(Item(kPreviewSizeValue), TrackbarPosition(Item(settings_id::kPreviewSize)), "%");
  }

  TrayPageValues stored_;
};

class TSettingsGeneralAutorun : public TSettingsBase {
public:
  explicit TSettingsGeneralAutorun(const PageContext &context)
      : TSettingsBase(context, L"TSettingsGeneralAutorun", "34", "331") {}

private:
  void Build(ControlBuilder &controls) override {
    controls.CheckBox(settings_id::kAutorun, "332", 0, kContentTop, 600);
    controls.CheckBox(settings_id::kMessage, "333", 0, kContentTop + 26, 600);
  }

  void ReadSettings() override {
    const auto values = AutorunPageValues::Read(Settings());
    SetChecked(Item(settings_id::kAutorun), values.runAtStartup);
    SetChecked(Item(settings_id::kMessage), values.showBalloon);
  }

  // Saving writes the Run value too.
  bool WriteSettings() override {
    AutorunPageValues{IsChecked(Item(settings_id::kAutorun)),
                      IsChecked(Item(settings_id::kMessage))}
        .Write(Settings());
    return true;
  }
};

} // namespace

PagePointer NewOsdPage(const PageContext &context) {
  return std::make_unique<TSettingsGeneralOSD>(context);
}

PagePointer NewTrayPage(const PageContext &context) {
  return std::make_unique<TSettingsGeneralTray>(context);
}

PagePointer NewAutorunPage(const PageContext &context) {
  return std::make_unique<TSettingsGeneralAutorun>(context);
}

} // namespace qv
