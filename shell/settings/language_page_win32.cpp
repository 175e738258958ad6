#include "resources/resource_ids.h"
#include "shell/globals.h"
#include "shell/language.h"
#include "shell/settings/general_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"
#include "shell/translate_form_win32.h"

namespace qv {

namespace {

constexpr int kFlagWidth = 48;
constexpr int kFlagHeight = 32;

// The language of every text, chosen by its flag. The change applies at once
// to the settings window and the tray menu.
class TSettingsGeneralLanguage : public TSettingsBase {
public:
  explicit TSettingsGeneralLanguage(const PageContext &context)
      : TSettingsBase(context, L"TSettingsGeneralLanguage", "35", "334") {}

private:
  HWND Languages() const { return Item(settings_id::kList); }

  void Build(ControlBuilder &controls) override {
    HWND list = controls.ListView(settings_id::kList,
                                  LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE, 0,
                                  kContentTop, Width(), 110);
    const int width = controls.Scale(kFlagWidth);
    const int height = controls.Scale(kFlagHeight);
    // The list view frees its image list when it goes.
    HIMAGELIST flags = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, IDI_FLAG_COUNT, 0);
    for (int i = 0; i < IDI_FLAG_COUNT; ++i) {
      HICON flag = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                 MAKEINTRESOURCEW(IDI_FLAG_BASE + i), IMAGE_ICON,
                                                 width, height, LR_DEFAULTCOLOR));
      ImageList_AddIcon(flags, flag);
      DestroyIcon(flag);
    }
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(flags));
    SendMessageW(list, LVM_SETICONSPACING, 0,
                 MAKELPARAM(controls.Scale(110), controls.Scale(kFlagHeight + 40)));
    for (int row = 0; row < static_cast<int>(kLanguageNames.size()); ++row)
      AddListItem(list, std::to_string(335 + row), row);
  }

  void ReadSettings() override {
    const int row = RowOfLanguage(Settings().GeneralLanguage);
    if (row >= 0)
      SelectListItem(Languages(), row);
  }

  bool WriteSettings() override {
    const auto language = LanguageOfRow(SelectedListItem(Languages()));
    if (!language)
      return false;
    Settings().GeneralLanguage = *language;
    return true;
  }

  void FollowUp() override {
    if (LanguageController)
      LanguageController->SetLanguage(Settings().GeneralLanguage);
    TranslateForm(MainForm());
    RedrawWindow(MainForm(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
};

} // namespace

PagePointer NewLanguagePage(const PageContext &context) {
  return std::make_unique<TSettingsGeneralLanguage>(context);
}

} // namespace qv
