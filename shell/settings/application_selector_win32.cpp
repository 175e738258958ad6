#include "shell/settings/application_selector_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/settings/modal_dialog_win32.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/text_util.h"

namespace qv {

namespace {

std::string ComboItemText(HWND combo, LRESULT index) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return WideToAnsi(text);
}

class TApplicationSelector : public ModalDialog {
public:
  TApplicationSelector(const std::vector<std::string> &applications,
                       const std::vector<std::string> &desktopNames)
      : ModalDialog(L"TApplicationSelector", "278", 440, 260), applications_(applications),
        desktopNames_(desktopNames) {}

  const ApplicationChoice &Choice() const { return choice_; }

private:
  void Build(ControlBuilder &controls) override {
    controls.Label(settings_id::kTitle, "278.Application selector", 16, 12, Width() - 32, 26, 0,
                   Fonts().title.Get());
    controls.Label(settings_id::kDescription, "279", 16, 42, Width() - 32, 34);
    controls.Label(0, "280.Select application", 16, 84, 300, 18);
    controls.ComboEdit(settings_id::kApplications, 16, 104, Width() - 32);
    controls.Label(0, "281.Default desktop", 16, 142, 300, 18);
    controls.ComboList(settings_id::kActions, {}, 16, 162, 220);
  }

  // The names are filled in after the translation: they are not captions.
  void OnShow() override {
    HWND applications = Item(settings_id::kApplications);
    for (const std::string &name : applications_)
      SendMessageW(applications, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(AnsiToWide(name).c_str()));
    HWND actions = Item(settings_id::kActions);
    for (const std::string &name : desktopNames_)
      SendMessageW(actions, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AnsiToWide(name).c_str()));
    SetComboIndex(actions, 0);
    UpdateAccept(TextOf(applications));
  }

  void UpdateAccept(const std::string &name) {
    EnableWindow(Item(settings_id::kAccept), !Trim(name).empty());
  }

  void OnCommand(int id, int code) override {
    if (id != settings_id::kApplications)
      return;
    HWND applications = Item(settings_id::kApplications);
    if (code == CBN_EDITCHANGE)
      UpdateAccept(TextOf(applications));
    else if (code == CBN_SELCHANGE)
      UpdateAccept(ComboItemText(applications, SendMessageW(applications, CB_GETCURSEL, 0, 0)));
  }

  void OnAccept() override {
    choice_.name = TextOf(Item(settings_id::kApplications));
    choice_.desktopIndex = ComboIndexOr(Item(settings_id::kActions), 0);
  }

  std::vector<std::string> applications_;
  std::vector<std::string> desktopNames_;
  ApplicationChoice choice_;
};

} // namespace

std::optional<ApplicationChoice> SelectApplication(HWND owner,
                                                   const std::vector<std::string> &applications,
                                                   const std::vector<std::string> &desktopNames) {
  TApplicationSelector selector(applications, desktopNames);
  if (!selector.Run(owner))
    return std::nullopt;
  return selector.Choice();
}

} // namespace qv
