#include "shell/settings/icon_manager_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/settings/modal_dialog_win32.h"
#include "shell/settings/settings_control_ids.h"

#include <commctrl.h>

namespace qv {
namespace {

class TIconManager : public ModalDialog {
public:
  explicit TIconManager(const IconManagerServices &services)
      : ModalDialog(L"TIconManager", "173", 420, 480), services_(services) {}

private:
  void Build(ControlBuilder &controls) override {
    controls.Label(settings_id::kTitle, "173", 16, 12, Width() - 32, 26, 0, Fonts().title.Get());
    controls.Label(settings_id::kDescription, "174", 16, 42, Width() - 32, 34);
    HWND list =
        controls.ListView(settings_id::kIcons, LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS,
                          16, 80, Width() - 32, Height() - 160);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    AddListColumn(list, 0, "", 100);
    controls.Link(settings_id::kResetIcons, "179", 16, Height() - 72, 240);
  }

  void OnShow() override {
    HWND list = Item(settings_id::kIcons);
    SendMessageW(list, LVM_ENABLEGROUPVIEW, TRUE, 0);
    for (int desktop = 6; desktop >= 1; --desktop) {
      const std::wstring header = L"Desktop " + std::to_wstring(desktop);
      LVGROUP group{};
      group.cbSize = sizeof(group);
      group.mask = LVGF_HEADER | LVGF_GROUPID | LVGF_ALIGN;
      group.pszHeader = const_cast<wchar_t *>(header.c_str());
      group.iGroupId = desktop;
      group.uAlign = LVGA_HEADER_LEFT;
      SendMessageW(list, LVM_INSERTGROUP, 0, reinterpret_cast<LPARAM>(&group));
    }
    if (!services_.startup)
      return;
    for (int desktop = 1; desktop <= 6; ++desktop) {
      const IconLayout *layout = services_.desktops[static_cast<std::size_t>(desktop - 1)];
      for (const auto &line : services_.startup->Lines()) {
        const std::wstring label = AnsiToWide(line.label);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_GROUPID | LVIF_PARAM;
        item.iItem = ListItemCount(list);
        item.pszText = const_cast<wchar_t *>(label.c_str());
        item.iGroupId = desktop;
        item.lParam = desktop;
        const auto index = static_cast<int>(
            SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        ListView_SetCheckState(list, index, !layout || IsIconShown(*layout, line.label));
      }
    }
    ListView_SetColumnWidth(list, 0, LVSCW_AUTOSIZE);
  }

  void OnCommand(int id, int /*code*/) override {
    if (id != settings_id::kResetIcons)
      return;
    // Every icon back on every desktop, where it was at the start.
    reset_ = true;
    HWND list = Item(settings_id::kIcons);
    for (int index = 0; index < ListItemCount(list); ++index)
      ListView_SetCheckState(list, index, TRUE);
  }

  void OnAccept() override {
    HWND list = Item(settings_id::kIcons);
    for (int index = 0; index < ListItemCount(list); ++index) {
      LVITEMW item{};
      item.mask = LVIF_PARAM;
      item.iItem = index;
      SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
      const int desktop = static_cast<int>(item.lParam);
      if (desktop < 1 || desktop > 6 || !services_.startup)
        continue;
      IconLayout *layout = services_.desktops[static_cast<std::size_t>(desktop - 1)];
      if (!layout)
        continue;
      const std::string label = ListCell(list, index, 0);
      const bool shown = ListView_GetCheckState(list, index) != FALSE;
      if (reset_ && shown) {
        if (const std::string *start = services_.startup->Value(label))
          layout->Set(label, *start);
      } else {
        ShowIcon(*layout, *services_.startup, label, shown);
      }
    }
    if (services_.saveAndApply)
      services_.saveAndApply();
  }

  const IconManagerServices &services_;
  bool reset_ = false;
};

} // namespace

bool ShowIconManager(HWND owner, const IconManagerServices &services) {
  TIconManager dialog(services);
  return dialog.Run(owner);
}

} // namespace qv
