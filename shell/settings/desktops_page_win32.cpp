#include "resources/resource_ids.h"
#include "shell/settings/desktop_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

namespace qv {

namespace {

constexpr int kRowHeight = 30;
constexpr int kFirstRow = TSettingsBase::kContentTop + 26;
constexpr int kPictureCount = 5;

// The names of the six desktops and the "Send to" items of the system menus.
class TSettingsDesktops : public TSettingsBase {
public:
  explicit TSettingsDesktops(const PageContext &context)
      : TSettingsBase(context, L"TSettingsDesktops", "10", "132") {}

private:
  void Build(ControlBuilder &controls) override {
    controls.Label(0, "257", 0, kContentTop, 130, 20, 0, Fonts().heading.Get());
    controls.Label(0, "256", 140, kContentTop, 250, 20, 0, Fonts().heading.Get());
    for (int n = 1; n <= kDesktopCount; ++n) {
      const int y = kFirstRow + (n - 1) * kRowHeight;
      controls.Label(0, "#" + std::to_string(n), 0, y + 3, 130, 20);
      controls.Edit(settings_id::kNameBase + n, "", 140, y, 250);
    }
    controls.CheckBox(settings_id::kAttach, "297", 0, kFirstRow + kDesktopCount * kRowHeight + 8,
                      600);
    BuildPictures(controls);
  }

  // Where the names appear, as pictures beside the names.
  void BuildPictures(ControlBuilder &controls) {
    HWND list = controls.ListView(settings_id::kIconList,
                                  LVS_ICON | LVS_NOSCROLL | LVS_AUTOARRANGE | LVS_SINGLESEL, 400,
                                  kContentTop, Width() - 400, 190);
    // Room for a long single word under each picture ("Bildschirmanzeige"):
    // three to a row, the other two below.
    ListView_SetIconSpacing(list, controls.Scale(130), controls.Scale(86));
    const int size = GetSystemMetrics(SM_CXICON);
    HIMAGELIST pictures = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kPictureCount, 0);
    for (int i = 0; i < kPictureCount; ++i) {
      HICON picture = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                    MAKEINTRESOURCEW(IDI_DESKTOP_BASE + 2 * i + 1),
                                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
      ImageList_AddIcon(pictures, picture);
      DestroyIcon(picture);
    }
    // The list view frees its image list when it goes.
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(pictures));
    for (int i = 0; i < kPictureCount; ++i)
      AddListItem(list, std::to_string(341 + i), i);
  }

  void ReadSettings() override {
    const auto values = DesktopNamesValues::Read(Settings());
    for (int n = 1; n <= kDesktopCount; ++n)
      SetText(Item(settings_id::kNameBase + n), values.names[static_cast<std::size_t>(n)]);
    SetChecked(Item(settings_id::kAttach), values.showMenus);
  }

  bool WriteSettings() override {
    DesktopNamesValues values;
    for (int n = 1; n <= kDesktopCount; ++n)
      values.names[static_cast<std::size_t>(n)] = TextOf(Item(settings_id::kNameBase + n));
    values.showMenus = IsChecked(Item(settings_id::kAttach));
    values.Write(Settings());
    return true;
  }
};

} // namespace

PagePointer NewDesktopsPage(const PageContext &context) {
  return std::make_unique<TSettingsDesktops>(context);
}

} // namespace qv
