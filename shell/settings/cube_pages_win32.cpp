// The cube's own pages: its look and its translucency.
#include "resources/resource_ids.h"
#include "shell/settings/bound_settings_page_win32.h"
#include "shell/settings/effect_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

namespace qv {

namespace {

constexpr int kLookWidth = 128;
constexpr int kLookHeight = 96;

// The two looks of the cube, each shown by its picture.
class TSettingsCubeAppearance : public TSettingsBase {
public:
  explicit TSettingsCubeAppearance(const PageContext &context)
      : TSettingsBase(context, L"TSettingsCubeAppearance", "14", "519") {}

private:
  HWND Looks() const { return Item(settings_id::kList); }

  void Build(ControlBuilder &controls) override {
    HWND list = controls.ListView(settings_id::kList,
                                  LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE, 0,
                                  kContentTop, Width(), 170);
    const int width = controls.Scale(kLookWidth);
    const int height = controls.Scale(kLookHeight);
    // The list view frees its image list when it goes.
    HIMAGELIST looks =
        ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, IDI_CUBE_LOOK_COUNT, 0);
    for (int i = 0; i < IDI_CUBE_LOOK_COUNT; ++i) {
      HICON look = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                 MAKEINTRESOURCEW(IDI_CUBE_LOOK_BASE + i),
                                                 IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
      ImageList_AddIcon(looks, look);
      DestroyIcon(look);
    }
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(looks));
    SendMessageW(list, LVM_SETICONSPACING, 0,
                 MAKELPARAM(controls.Scale(kLookWidth + 90), controls.Scale(kLookHeight + 50)));
    AddListItem(list, "520", 0);
    AddListItem(list, "521", 1);
  }

  void ReadSettings() override {
    if (Settings().CubeAppearance == 0 || Settings().CubeAppearance == 1)
      SelectListItem(Looks(), Settings().CubeAppearance);
  }

  bool WriteSettings() override {
    Settings().CubeAppearance = SelectedListItem(Looks()) == 1 ? 1 : 0;
    return true;
  }
};

class TSettingsCubeTransparency : public TBoundSettingsPage {
public:
  explicit TSettingsCubeTransparency(const PageContext &context)
      : TBoundSettingsPage(context, L"TSettingsCubeTransparency", "17", "532") {}

private:
  void Build(ControlBuilder &controls) override {
    AddCheckBox(controls, kContentTop, settings_id::kEnableTransparency, "533",
                &TSetup::CubeEnableTransparency);
    AddTrackbar(controls, kContentTop + kRowHeight, settings_id::kTransparency, "17", 0,
                kMaxPercent, &TSetup::CubeTransparency, "%");
  }
};

} // namespace

PagePointer NewCubeAppearancePage(const PageContext &context) {
  return std::make_unique<TSettingsCubeAppearance>(context);
}

PagePointer NewCubeTransparencyPage(const PageContext &context) {
  return std::make_unique<TSettingsCubeTransparency>(context);
}

} // namespace qv
