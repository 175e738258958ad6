#include "desktops/window_rules.h"
#include "shell/settings/application_selector_win32.h"
#include "shell/settings/desktop_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

namespace qv {

namespace {

// The window rules: which program's windows open on which desktop. The page
// edits its own copy of the rules; they replace the program's rules only
// when the page is accepted, so that cancelling changes nothing.
class TSettingsDesktopWindows : public TSettingsBase {
public:
  explicit TSettingsDesktopWindows(const PageContext &context)
      : TSettingsBase(context, L"TSettingsDesktopWindows", "12", "141") {}

private:
  HWND Rules() const { return Item(settings_id::kList); }

  void Build(ControlBuilder &controls) override {
    controls.CheckBox(settings_id::kEnable, "142", 0, kContentTop, 500);
    controls.RowList(settings_id::kList, 0, kContentTop + 28, 660, 300,
                     {{"146", 500}, {"139", 150}});
    controls.Button(settings_id::kEdit, "143", 676, kContentTop + 28, 130, 26);
    controls.Button(settings_id::kClear, "145", 676, kContentTop + 60, 130, 26);
  }

  void ReadSettings() override {
    SetChecked(Item(settings_id::kEnable), Settings().DesktopEnableRules);
    rules_ = Settings().Rules;
    FillRules();
  }

  bool WriteSettings() override {
    Settings().DesktopEnableRules = IsChecked(Item(settings_id::kEnable));
    Settings().Rules = rules_;
    return true;
  }

  // The rows are filled after the translation: rule names are not captions.
  void FillRules() {
    SendMessageW(Rules(), LVM_DELETEALLITEMS, 0, 0);
    for (const auto &[name, desktop] : RuleRows(rules_, Settings())) {
      const int row = AddListItem(Rules(), name);
      SetListCell(Rules(), row, 1, desktop);
    }
    EnableWindow(Item(settings_id::kClear), FALSE);
  }

  void AddRule() {
    std::vector<std::string> names;
    if (Services().processNames)
      names = DistinctNames(Services().processNames());
    std::vector<std::string> desktops;
    for (int n = 1; n <= kDesktopCount; ++n)
      desktops.push_back(Settings().DisplayName(n));
    if (const auto choice = SelectApplication(MainForm(), names, desktops)) {
      SetRule(rules_, choice->name, choice->desktopIndex);
      FillRules();
    }
  }

  void OnCommand(int id, int /*code*/) override {
    if (id == settings_id::kEdit) {
      AddRule();
    } else if (id == settings_id::kClear) {
      const int row = SelectedListItem(Rules());
      if (row >= 0 && row < static_cast<int>(rules_.size())) {
        rules_.erase(rules_.begin() + row);
        FillRules();
      }
    }
  }

  void OnNotify(const NMHDR &header) override {
    if (header.idFrom == settings_id::kList && header.code == LVN_ITEMCHANGED)
      EnableWindow(Item(settings_id::kClear), SelectedListItem(Rules()) >= 0);
  }

  std::vector<std::string> rules_;
};

} // namespace

PagePointer NewRulesPage(const PageContext &context) {
  return std::make_unique<TSettingsDesktopWindows>(context);
}

} // namespace qv
