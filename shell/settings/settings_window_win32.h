#pragma once
#include "shell/form_content_win32.h"
#include "shell/settings/page_controls_win32.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/settings/settings_services_win32.h"

#include <memory>
#include <vector>

namespace qv {

// The settings window inside the main form: the header with its texts and
// web links (on glass where the system composes the desktop), and the link
// panel Panel1, whose links open one settings page at a time over the links.
class TSettingsWindow : public FormContent {
public:
  TSettingsWindow(HWND form, SettingsServices services);
  ~TSettingsWindow() override;

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result) override;

  static constexpr int kHeaderHeight = 136;

private:
  static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void BuildHeader(ControlBuilder &controls);
  void BuildPanel();
  void Paint();
  void PaintHeaderText(HDC dc, int labelId, HFONT font, int glowSize);
  void UpdateGlass();
  void OnLinkClick(int tag);
  void ClosePage();
  void ShowLinks(bool show);

  HWND form_;
  SettingsServices services_;
  PageFonts fonts_;
  UniqueFont headerTitleFont_;
  UniqueFont headerFont_;
  HWND panel_ = nullptr;
  std::vector<HWND> links_;
  PagePointer page_;
  bool glass_ = false;
};

} // namespace qv
