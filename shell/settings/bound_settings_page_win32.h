#pragma once
#include "shell/settings/settings_page_win32.h"

#include <string>
#include <vector>

namespace qv {

// A page whose controls each stand for one setting: check boxes for
// booleans, trackbars and drop-down lists for integers. It reads them all on
// show and writes them all on accept; a trackbar's value shows beside it.
class TBoundSettingsPage : public TSettingsBase {
public:
  using TSettingsBase::TSettingsBase;

protected:
  // One row of the page at `y`: the caption, then the control.
  void AddCheckBox(ControlBuilder &controls, int y, int id, const std::string &caption,
                   bool TSetup::*key);
  HWND AddTrackbar(ControlBuilder &controls, int y, int id, const std::string &caption, int minimum,
                   int maximum, int TSetup::*key, std::string unit = "");
  void AddComboList(ControlBuilder &controls, int y, int id, const std::string &caption,
                    const std::vector<std::string> &items, int TSetup::*key);

  void ReadSettings() override;
  bool WriteSettings() override;
  void OnScroll(HWND trackbar) override;

  static constexpr int kCaptionWidth = 260;
  static constexpr int kControlLeft = 270;
  static constexpr int kControlWidth = 300;
  static constexpr int kRowHeight = 36;

private:
  enum class Kind { CheckBox, Trackbar, ComboList };
  struct Binding {
    Kind kind;
    int id;
    bool TSetup::*flag = nullptr;
    int TSetup::*number = nullptr;
    std::string unit;
  };
  void ShowValue(const Binding &binding);

  std::vector<Binding> bindings_;
};

} // namespace qv
