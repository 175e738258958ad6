#include "shell/settings/hotkey_selector_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/settings/keyboard_rows.h"
#include "shell/settings/modal_dialog_win32.h"
#include "shell/settings/settings_control_ids.h"

namespace qv {

namespace {

class THotkeySelector : public ModalDialog {
public:
  explicit THotkeySelector(TShortCut current)
      : ModalDialog(L"THotkeySelector", "192", 400, 330), current_(current) {}

  TShortCut Result() const { return result_; }

private:
  void Build(ControlBuilder &controls) override {
    controls.Label(settings_id::kTitle, "192", 16, 12, Width() - 32, 26, 0, Fonts().title.Get());
    controls.Label(settings_id::kDescription, "193", 16, 42, Width() - 32, 34);
    controls.Label(0, "76", 16, 84, 200, 18);
    controls.ListBox(settings_id::kKeys, 16, 104, 200, 160);
    controls.CheckBox(settings_id::kShift, "Shift", 236, 104, 140);
    controls.CheckBox(settings_id::kControl, "Ctrl", 236, 130, 140);
    controls.CheckBox(settings_id::kAlt, "Alt", 236, 156, 140);
  }

  void OnShow() override {
    HWND keys = Item(settings_id::kKeys);
    for (const std::string &name : SelectableKeyNames())
      SendMessageW(keys, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AnsiToWide(name).c_str()));
    const std::wstring name = AnsiToWide(KeyNameText(current_ & kShortCutKeyMask));
    if (!name.empty()) {
      const auto index = SendMessageW(keys, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(name.c_str()));
      SendMessageW(keys, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    SetChecked(Item(settings_id::kShift), (current_ & kShortCutShift) != 0);
    SetChecked(Item(settings_id::kControl), (current_ & kShortCutCtrl) != 0);
    SetChecked(Item(settings_id::kAlt), (current_ & kShortCutAlt) != 0);
  }

  void OnAccept() override {
    HWND keys = Item(settings_id::kKeys);
    const auto index = SendMessageW(keys, LB_GETCURSEL, 0, 0);
    std::string name;
    if (index != LB_ERR) {
      std::wstring text(static_cast<std::size_t>(SendMessageW(keys, LB_GETTEXTLEN, index, 0)) + 1,
                        L'\0');
      text.resize(static_cast<std::size_t>(
          SendMessageW(keys, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
      name = WideToAnsi(text);
    }
    result_ =
        MakeShortCut(name, IsChecked(Item(settings_id::kShift)),
                     IsChecked(Item(settings_id::kControl)), IsChecked(Item(settings_id::kAlt)));
  }

  TShortCut current_;
  TShortCut result_ = 0;
};

} // namespace

std::optional<TShortCut> SelectHotkey(HWND owner, TShortCut current) {
  THotkeySelector selector(current);
  if (!selector.Run(owner))
    return std::nullopt;
  return selector.Result();
}

} // namespace qv
