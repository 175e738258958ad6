#pragma once
#include "shell/settings/page_controls_win32.h"
#include "shell/settings/settings_services_win32.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

namespace qv {

class TSetup;

// The base of every settings page: a white borderless child window filling
// the link panel, with a title (Label1), a word-wrapped description
// (Label2), and the accept and cancel buttons at the bottom right. A page is
// built and translated when it opens and fills its controls from the
// settings; accepting writes them back, saves all settings and runs the
// page's follow-up; cancelling writes nothing. Either way the page closes.
class TSettingsBase {
public:
  struct Context {
    HWND mainForm = nullptr;
    const SettingsServices *services = nullptr;
  };

  TSettingsBase(const Context &context, const wchar_t *className, std::string title,
                std::string description);
  virtual ~TSettingsBase();
  TSettingsBase(const TSettingsBase &) = delete;
  TSettingsBase &operator=(const TSettingsBase &) = delete;

  // Creates the page over the whole client area of `panel` and shows it.
  void Open(HWND panel);
  HWND Window() const { return window_; }

  void Accept();
  void Cancel();

  // Runs once the page has closed; the owner frees the page then.
  std::function<void()> Closed;

  // Where the page's own controls begin, in 96-DPI pixels.
  static constexpr int kContentTop = 84;

protected:
  // Creates the page's own controls below the description.
  virtual void Build(ControlBuilder &controls) = 0;
  // Fills the controls from the settings.
  virtual void ReadSettings() = 0;
  // Writes the controls into the settings; false when there is nothing to
  // write, so nothing is saved either.
  virtual bool WriteSettings() = 0;
  // Makes the saved settings take effect.
  virtual void FollowUp() {}

  virtual void OnCommand(int /*id*/, int /*code*/) {}
  virtual void OnNotify(const NMHDR & /*header*/) {}
  virtual void OnScroll(HWND /*trackbar*/) {}
  virtual void OnPaint(HDC /*dc*/) {}
  // Draws an owner-drawn control.
  virtual void OnDrawItem(const DRAWITEMSTRUCT & /*item*/) {}

  TSetup &Settings() const;
  const SettingsServices &Services() const { return *context_.services; }
  HWND MainForm() const { return context_.mainForm; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  const PageFonts &Fonts() const { return *fonts_; }
  int Scale(int pixels) const;
  // The page's size in 96-DPI pixels.
  int Width() const { return width_; }
  int Height() const { return height_; }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Close();

  Context context_;
  std::wstring className_;
  std::string title_;
  std::string description_;
  HWND window_ = nullptr;
  std::unique_ptr<PageFonts> fonts_;
  int width_ = 0;
  int height_ = 0;
  bool closing_ = false;
};

} // namespace qv
