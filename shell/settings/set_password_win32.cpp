#include "shell/settings/set_password_win32.h"

#include "shell/settings/modal_dialog_win32.h"
#include "shell/settings/settings_control_ids.h"

namespace qv {

namespace {

class TSetPassword : public ModalDialog {
public:
  TSetPassword() : ModalDialog(L"TSetPassword", "262", 380, 250) {}

  const std::string &Password() const { return password_; }

private:
  void Build(ControlBuilder &controls) override {
    controls.Label(settings_id::kDescription, "264", 16, 14, Width() - 32, 34);
    controls.Label(0, "265", 16, 56, Width() - 32, 18);
    controls.Edit(settings_id::kPassword1, "", 16, 76, Width() - 32, 23, ES_PASSWORD);
    controls.Label(0, "266", 16, 110, Width() - 32, 18);
    controls.Edit(settings_id::kPassword2, "", 16, 130, Width() - 32, 23, ES_PASSWORD);
  }

  void OnShow() override { UpdateAccept(); }

  void UpdateAccept() {
    EnableWindow(Item(settings_id::kAccept),
                 TextOf(Item(settings_id::kPassword1)) == TextOf(Item(settings_id::kPassword2)));
  }

  void OnCommand(int id, int code) override {
    if ((id == settings_id::kPassword1 || id == settings_id::kPassword2) && code == EN_CHANGE)
      UpdateAccept();
  }

  void OnAccept() override { password_ = TextOf(Item(settings_id::kPassword1)); }

  std::string password_;
};

} // namespace

std::optional<std::string> AskNewPassword(HWND owner) {
  TSetPassword dialog;
  if (!dialog.Run(owner))
    return std::nullopt;
  return dialog.Password();
}

} // namespace qv
