#pragma once
#include "shell/form_content_win32.h"
#include "shell/form_timer_win32.h"
#include "shell/tray_icon_win32.h"
#include "shell/tray_menu.h"
#include "shell/unique_handle_win32.h"

#include <array>
#include <functional>
#include <memory>

namespace qv {

// The message the hook thread and the hook library post to the main form.
inline constexpr UINT WM_TRIGGERNOTIFY = WM_USER + 256;

// The main controller form. It lives hidden for the whole run: it owns the
// tray icons and the tray menu, receives the messages that drive the
// triggers and watches session, display and setting changes. Shown, it is
// the settings window.
class TSettings {
public:
  TSettings();
  ~TSettings();
  TSettings(const TSettings &) = delete;
  TSettings &operator=(const TSettings &) = delete;

  // Finishes the form once the process-wide objects exist: shows the tray
  // icons, applies the settings and greets the user.
  void FormCreate();

  HWND Handle() const { return window_.Get(); }
  // What the settings window shows: the header, the links and the pages.
  void SetContent(std::unique_ptr<FormContent> content);

  void ShowSettingsWindow();
  void ApplyHotkeys();
  void SetTrayDefaultItem();
  void CreateDesktopTrayIcons();
  void UpdateDesktopTrayIcons();
  void ShowDesktopPreview();
  void CloseDesktopPreview();
  bool PreviewShown() const { return previewShown_; }
  void ShowStartupBalloon();

  // The trigger manager plugs in here: an action to run, a WM_HOTKEY
  // identifier, a trigger notification, and the registration of the hotkeys
  // and the hook thread that follow the settings.
  std::function<void(int action)> Dispatch;
  std::function<void(unsigned identifier)> HandleHotKey;
  std::function<void(std::uint32_t request, std::uint32_t window)> HandleNotification;
  std::function<void()> RegisterTriggers;
  // Lets the triggers act once the form is ready (the last step of start-up).
  std::function<void()> EnableTriggers;
  // Shows the window list dialog (the window manager plugs in here).
  std::function<void()> ManageWindows;
  // Shows the icon manager ("Manage icons").
  std::function<void()> ManageIcons;
  // Opens the live preview of a desktop and frees it (the desktops' live
  // preview plugs in here).
  std::function<void(int desktop)> OpenDesktopPreview;
  std::function<void()> FreeDesktopPreview;
  // Records a wallpaper the user set (a second after a setting change).
  std::function<void()> CheckWallpaperChange;
  // The number of the current desktop (the window manager plugs in here).
  std::function<int()> CurrentDesktop;
  // Ends the application: the message loop stops, or, when the session is
  // ending and the loop will not run again, the teardown runs at once.
  std::function<void(bool sessionEnding)> EndApplication;
  // Whether the effects' device cooperates, and the rebuild after a change of
  // the screen's resolution or an unlock (the render host plugs in here).
  std::function<bool()> DeviceCooperating;
  std::function<void()> RestartSystem;

  static constexpr UINT kMainTrayIconId = 1;
  static constexpr UINT kDesktopTrayIconBaseId = 100; // + desktop number
  static constexpr UINT kTrayCallbackMessage = WM_APP + 1;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnTrayIconMessage(UINT iconId, UINT mouseMessage);
  void OnTimer(UINT_PTR id);
  void ShowTrayMenu();
  void RunMenuItem(const TrayMenuItem &item);
  void DirectXResetTimerTimer();
  void WallpaperChangeTimer();
  int Current() const { return CurrentDesktop ? CurrentDesktop() : 1; }

  // Messages reach OnMessage only once the form is fully built.
  bool created_ = false;
  UniqueWindow window_;
  UniqueIcon appIcon_;
  std::array<UniqueIcon, 12> desktopImages_; // IconImages: two per desktop
  std::unique_ptr<TrayIcon> trayIcon_;
  std::array<std::unique_ptr<TrayIcon>, 17> desktopTrayIcons_; // slots 1 to 16
  TrayMenuModel menu_;
  POINT lastCursorPos_{-1, -1};
  int hoverDesktop_ = 0;
  bool previewShown_ = false;
  bool startupDone_ = false;
  bool menuOpen_ = false;
  // After the window, so that it goes before the window does.
  std::unique_ptr<FormContent> content_;

  FormTimer trayTimer_;
  FormTimer directXResetTimer_;
  FormTimer directXResetTimer2_;
  FormTimer wallpaperChangeTimer_;
};

} // namespace qv
