#pragma once
// The on-screen display: a small translucent black box with one centred
// white text, above every window at the bottom right of the screen, that
// names what just happened (a desktop switch) and fades out after a while.
// It never takes the focus.
#include "overlays/osd_controller.h"
#include "shell/unique_handle_win32.h"

#include <windows.h>

#include <string>

namespace qv {

class TDesktopProperties;
class TSetup;

class TOSD : private OsdWindow {
public:
  // Created hidden; places itself by the screen size `screen` has at each show.
  TOSD(const TSetup &setup, const TDesktopProperties &screen);
  ~TOSD() override;
  TOSD(const TOSD &) = delete;
  TOSD &operator=(const TOSD &) = delete;

  // Shows `text` for OSDTimeout seconds, then fades; nothing while OSDEnable is off.
  void ShowText(const std::string &text);
  // Hides the box at once, wherever it was in showing and fading.
  void HideNow();

  HWND Handle() const { return window_.Get(); }
  // The label that holds the text (`laText`).
  HWND Label() const { return label_; }
  OsdState State() const { return controller_.State(); }

private:
  // One of the form's window timers (`Timer1` holds, `Timer2` fades).
  class WindowTimer : public OsdTimer {
  public:
    WindowTimer(const UniqueWindow &window, UINT_PTR id) : window_(window), id_(id) {}
    void Start(std::uint32_t intervalMs) override;
    void Stop() override;

  private:
    const UniqueWindow &window_;
    UINT_PTR id_;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintLabel();

  // OsdWindow
  void SetText(const std::string &text) override;
  void SetAlpha(std::uint8_t alpha) override;
  void ShowAt(int left, int top) override;
  void Hide() override;
  bool Visible() const override;
  int Width() const override;
  int Height() const override;
  int ScreenWidth() const override;
  int ScreenHeight() const override;

  const TDesktopProperties &screen_;
  UniqueWindow window_;
  HWND label_ = nullptr;
  UniqueFont font_;
  WindowTimer holdTimer_;
  WindowTimer fadeTimer_;
  OsdController controller_;
};

// The program's one on-screen display while the main form lives; null otherwise.
extern TOSD *OSD;

} // namespace qv
