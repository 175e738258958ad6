#include "shell/settings/bound_settings_page_win32.h"

#include "shell/settings/settings_control_ids.h"
#include "shell/setup.h"

#include <algorithm>

namespace qv {

void TBoundSettingsPage::AddCheckBox(ControlBuilder &controls, int y, int id,
                                     const std::string &caption, bool TSetup::*key) {
  controls.CheckBox(id, caption, 0, y, Width() - 20);
  bindings_.push_back({Kind::CheckBox, id, key, nullptr, {}});
}

HWND TBoundSettingsPage::AddTrackbar(ControlBuilder &controls, int y, int id,
                                     const std::string &caption, int minimum, int maximum,
                                     int TSetup::*key, std::string unit) {
  controls.Label(0, caption, 0, y + 6, kCaptionWidth, 20);
  HWND trackbar = controls.Trackbar(id, minimum, maximum, kControlLeft, y, kControlWidth);
  // About ten ticks, whatever the range.
  SendMessageW(trackbar, TBM_SETTICFREQ, static_cast<WPARAM>(std::max(1, (maximum - minimum) / 10)),
               0);
  SendMessageW(trackbar, TBM_SETPAGESIZE, 0, std::max(1, (maximum - minimum) / 10));
  controls.Label(id + settings_id::kValueLabelOffset, "", kControlLeft + kControlWidth + 10, y + 6,
                 120, 20);
  bindings_.push_back({Kind::Trackbar, id, nullptr, key, std::move(unit)});
  return trackbar;
}

void TBoundSettingsPage::AddComboList(ControlBuilder &controls, int y, int id,
                                      const std::string &caption,
                                      const std::vector<std::string> &items, int TSetup::*key) {
  controls.Label(0, caption, 0, y + 4, kCaptionWidth, 20);
  controls.ComboList(id, items, kControlLeft, y, kControlWidth);
  bindings_.push_back({Kind::ComboList, id, nullptr, key, {}});
}

void TBoundSettingsPage::ReadSettings() {
  const TSetup &setup = Settings();
  for (const Binding &binding : bindings_) {
    HWND control = Item(binding.id);
    switch (binding.kind) {
    case Kind::CheckBox:
      SetChecked(control, setup.*binding.flag);
      break;
    case Kind::Trackbar:
      SetTrackbarPosition(control, setup.*binding.number);
      ShowValue(binding);
      break;
    case Kind::ComboList:
      SetComboIndex(control, setup.*binding.number);
      break;
    }
  }
}

bool TBoundSettingsPage::WriteSettings() {
  TSetup &setup = Settings();
  for (const Binding &binding : bindings_) {
    HWND control = Item(binding.id);
    switch (binding.kind) {
    case Kind::CheckBox:
      setup.*binding.flag = IsChecked(control);
      break;
    case Kind::Trackbar:
      setup.*binding.number = TrackbarPosition(control);
      break;
    case Kind::ComboList:
      // A list showing no choice (a stored value it does not offer) keeps it.
      setup.*binding.number = ComboIndexOr(control, setup.*binding.number);
      break;
    }
  }
  return true;
}

void TBoundSettingsPage::OnScroll(HWND trackbar) {
  const int id = GetDlgCtrlID(trackbar);
  for (const Binding &binding : bindings_)
    if (binding.id == id && binding.kind == Kind::Trackbar)
      ShowValue(binding);
}

void TBoundSettingsPage::ShowValue(const Binding &binding) {
  std::string text = std::to_string(TrackbarPosition(Item(binding.id)));
  if (!binding.unit.empty())
    text += " " + binding.unit;
  SetText(Item(binding.id + settings_id::kValueLabelOffset), text);
}

} // namespace qv
