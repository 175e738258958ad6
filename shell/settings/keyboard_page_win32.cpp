#include "shell/settings/hotkey_selector_win32.h"
#include "shell/settings/keyboard_rows.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

namespace qv {

namespace {

constexpr int kKeyColumn = 1;

// The keys of the hotkeys, one row per action.
class TSettingsControlKeyboard : public TSettingsBase {
public:
  explicit TSettingsControlKeyboard(const PageContext &context)
      : TSettingsBase(context, L"TSettingsControlKeyboard", "28", "300") {}

private:
  HWND Keys() const { return Item(settings_id::kList); }

  void Build(ControlBuilder &controls) override {
    controls.CheckBox(settings_id::kEnable, "301", 0, kContentTop, 400);
    HWND keys = controls.RowList(settings_id::kList, 0, kContentTop + 28, 520, 300,
                                 {{"75", 300}, {"76", 212}}); // kKeyColumn is the second
    for (const KeyRow &row : KeyRows())
      AddListItem(keys, row.action);
    controls.Button(settings_id::kEdit, "302", 540, kContentTop + 28, 130, 26);
    controls.Button(settings_id::kClear, "303", 540, kContentTop + 60, 130, 26);
    controls.Link(settings_id::kRestoreDefaults, "304", 540, kContentTop + 100, 260);
  }

  void ReadSettings() override {
    SetChecked(Item(settings_id::kEnable), Settings().GeneralEnableHotKeys);
    SetCells(ReadKeyCells(Settings()));
    UpdateButtons();
  }

  bool WriteSettings() override {
    Settings().GeneralEnableHotKeys = IsChecked(Item(settings_id::kEnable));
    std::vector<std::string> cells;
    for (int row = 0; row < ListItemCount(Keys()); ++row)
      cells.push_back(ListCell(Keys(), row, kKeyColumn));
    WriteKeyCells(Settings(), cells);
    return true;
  }

  void FollowUp() override {
    if (Services().applyHotkeys)
      Services().applyHotkeys();
  }

  void SetCells(const std::vector<std::string> &cells) {
    for (std::size_t row = 0; row < cells.size(); ++row)
      SetListCell(Keys(), static_cast<int>(row), kKeyColumn, cells[row]);
  }

  void UpdateButtons() {
    const bool selected = SelectedListItem(Keys()) >= 0;
    EnableWindow(Item(settings_id::kEdit), selected);
    EnableWindow(Item(settings_id::kClear), selected);
  }

  void EditSelectedRow() {
    const int row = SelectedListItem(Keys());
    if (row < 0)
      return;
    const TShortCut current = ShortCutOfKeyCell(ListCell(Keys(), row, kKeyColumn));
    if (const auto chosen = SelectHotkey(MainForm(), current))
      SetListCell(Keys(), row, kKeyColumn, KeyCellText(*chosen));
  }

  void OnCommand(int id, int /*code*/) override {
    if (id == settings_id::kEdit) {
      EditSelectedRow();
    } else if (id == settings_id::kClear) {
      const int row = SelectedListItem(Keys());
      if (row >= 0)
        SetListCell(Keys(), row, kKeyColumn, std::string(kNoShortCutText));
    } else if (id == settings_id::kRestoreDefaults) {
      SetCells(DefaultKeyCells());
    }
  }

  void OnNotify(const NMHDR &header) override {
    if (header.idFrom != settings_id::kList)
      return;
    if (header.code == LVN_ITEMCHANGED)
      UpdateButtons();
    else if (header.code == NM_DBLCLK)
      EditSelectedRow();
  }
};

} // namespace

PagePointer NewKeyboardPage(const PageContext &context) {
  return std::make_unique<TSettingsControlKeyboard>(context);
}

} // namespace qv
