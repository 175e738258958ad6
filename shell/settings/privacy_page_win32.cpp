#include "shell/settings/desktop_page_values.h"
#include "shell/settings/set_password_win32.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

namespace qv {

namespace {

constexpr int kRowHeight = 30;
constexpr int kFirstRow = TSettingsBase::kContentTop + 26;

// Which desktops ask for the password, and the password itself.
class TSettingsDesktopPrivacy : public TSettingsBase {
public:
  explicit TSettingsDesktopPrivacy(const PageContext &context)
      : TSettingsBase(context, L"TSettingsDesktopPrivacy", "346", "347") {}

private:
  void Build(ControlBuilder &controls) override {
    controls.Label(0, "257", 0, kContentTop, 200, 20, 0, Fonts().heading.Get());
    controls.Label(0, "258", 210, kContentTop, 340, 20, 0, Fonts().heading.Get());
    const std::vector<std::string> levels(PrivacyLevelCaptions().begin(),
                                          PrivacyLevelCaptions().end());
    for (int n = 1; n <= kDesktopCount; ++n) {
      const int y = kFirstRow + (n - 1) * kRowHeight;
      controls.Label(settings_id::kPrivacyLabelBase + n, "", 0, y + 3, 200, 20, SS_ENDELLIPSIS);
      controls.ComboList(settings_id::kPrivacyBase + n, levels, 210, y, 340);
    }
    // Desktop 1, where the program starts and ends, cannot be made private here.
    EnableWindow(GetDlgItem(controls.Parent(), settings_id::kPrivacyBase + 1), FALSE);
    HWND note = controls.Label(0, "263.Cannot modify #1", 566, kFirstRow + 3, Width() - 566, 40);
    EnableWindow(note, FALSE);
    controls.Button(settings_id::kChangePassword, "262.Change password", 0,
                    kFirstRow + kDesktopCount * kRowHeight + 12, 170, 26);
  }

  void ReadSettings() override {
    values_ = PrivacyPageValues::Read(Settings());
    for (int n = 1; n <= kDesktopCount; ++n) {
      SetText(Item(settings_id::kPrivacyLabelBase + n), Settings().DisplayName(n));
      SetComboIndex(Item(settings_id::kPrivacyBase + n),
                    values_.levels[static_cast<std::size_t>(n)]);
    }
  }

  bool WriteSettings() override {
    // A level the combo box does not offer stays as it is.
    for (int n = 1; n <= kDesktopCount; ++n) {
      int &level = values_.levels[static_cast<std::size_t>(n)];
      level = ComboIndexOr(Item(settings_id::kPrivacyBase + n), level);
    }
    values_.Write(Settings());
    return true;
  }

  void OnCommand(int id, int /*code*/) override {
    if (id != settings_id::kChangePassword)
      return;
    if (const auto password = AskNewPassword(MainForm()))
      values_.pendingPassword = *password;
  }

  PrivacyPageValues values_;
};

} // namespace

PagePointer NewPrivacyPage(const PageContext &context) {
  return std::make_unique<TSettingsDesktopPrivacy>(context);
}

} // namespace qv
