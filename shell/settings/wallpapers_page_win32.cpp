#include "shell/ansi_text_win32.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

#include <commdlg.h>

#include <map>

namespace qv {

namespace {

constexpr int kDesktops = 6;

// Whether each desktop keeps its own wallpaper and icon layout, and the
// wallpaper of each.
class TSettingsDesktopWallpapers : public TSettingsBase {
public:
  explicit TSettingsDesktopWallpapers(const PageContext &context)
      : TSettingsBase(context, L"TSettingsDesktopWallpapers", "11", "133") {}

private:
  void Build(ControlBuilder &controls) override {
    int y = kContentTop;
    controls.CheckBox(settings_id::kWallpapers, "136", 0, y, 600);
    controls.CheckBox(settings_id::kIconLayouts, "134", 0, y + 24, 600);
    controls.CheckBox(settings_id::kWaitWallpaper,
                      "Wait for wallpaper change before showing the new desktop", 0, y + 48, 600);
    y += 84;
    controls.Label(0, "137", 0, y, 400, 20, 0, Fonts().heading.Get());
    controls.Label(0, "138", 0, y + 24, Width(), 20);
    controls.Label(0, "135", 0, y + 44, Width(), 20);
    // The first column is wide enough for "Desktop" in every language.
    controls.RowList(settings_id::kWallpaperList, 0, y + 70, Width(), 150,
                     {{"139", 120}, {"140", Width() - 124}});
    controls.Link(settings_id::kChangeWallpaper, "178", 0, y + 228, 300);
  }

  void ReadSettings() override {
    SetChecked(Item(settings_id::kWallpapers), Settings().DesktopEnableMultipleWallpapers);
    SetChecked(Item(settings_id::kIconLayouts), Settings().DesktopEnableMultipleIcons);
    SetChecked(Item(settings_id::kWaitWallpaper), Settings().DesktopWaitWallpaper);
    HWND list = Item(settings_id::kWallpaperList);
    if (ListItemCount(list) == 0)
      for (int n = 1; n <= kDesktops; ++n) {
        const int row = AddListItem(list, std::to_string(n));
        SetListCell(list, row, 1,
                    Services().wallpaperName ? Services().wallpaperName(n) : std::string());
      }
  }

  bool WriteSettings() override {
    Settings().DesktopEnableMultipleWallpapers = IsChecked(Item(settings_id::kWallpapers));
    Settings().DesktopEnableMultipleIcons = IsChecked(Item(settings_id::kIconLayouts));
    Settings().DesktopWaitWallpaper = IsChecked(Item(settings_id::kWaitWallpaper));
    if (Services().changeWallpaper)
      for (const auto &[desktop, path] : chosen_)
        Services().changeWallpaper(desktop, path);
    return true;
  }

  void OnCommand(int id, int /*code*/) override {
    if (id != settings_id::kChangeWallpaper)
      return;
    HWND list = Item(settings_id::kWallpaperList);
    const int row = SelectedListItem(list);
    if (row < 0)
      return;
    if (const auto path = AskPictureFile()) {
      chosen_[row + 1] = *path;
      SetListCell(list, row, 1, *path);
    }
  }

  std::optional<std::string> AskPictureFile() const {
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = MainForm();
    dialog.lpstrFilter = L"*.jpg; *.jpeg; *.bmp\0*.jpg;*.jpeg;*.bmp\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog))
      return std::nullopt;
    return WideToAnsi(file);
  }

  std::map<int, std::string> chosen_;
};

} // namespace

PagePointer NewWallpapersPage(const PageContext &context) {
  return std::make_unique<TSettingsDesktopWallpapers>(context);
}

} // namespace qv
