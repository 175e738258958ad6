#pragma once
#include "shell/settings/page_controls_win32.h"

#include <memory>
#include <string>

namespace qv {

// A small modal dialog of the settings pages: a white window with a dialog
// border, centred on its owner, with OK and Cancel at the bottom right. It
// is built and translated when it runs.
class ModalDialog {
public:
  ModalDialog(const wchar_t *className, std::string caption, int width, int height);
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog &) = delete;
  ModalDialog &operator=(const ModalDialog &) = delete;

  // Shows the dialog and returns when it closes: true when with OK.
  bool Run(HWND owner);

protected:
  // Creates the dialog's own controls; OK and Cancel come after them.
  virtual void Build(ControlBuilder &controls) = 0;
  // Fills the controls once the dialog is translated.
  virtual void OnShow() {}
  // OK was chosen: takes the controls' values.
  virtual void OnAccept() {}
  virtual void OnCommand(int /*id*/, int /*code*/) {}

  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  const PageFonts &Fonts() const { return *fonts_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  static constexpr int kButtonTopMargin = 40; // from the bottom

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void End(bool ok);

  std::wstring className_;
  std::string caption_;
  int width_;
  int height_;
  HWND window_ = nullptr;
  std::unique_ptr<PageFonts> fonts_;
  bool done_ = false;
  bool ok_ = false;
};

} // namespace qv
