#include "shell/main_form_win32.h"

#include "resources/resource_ids.h"
#include "shell/ansi_text_win32.h"
#include "shell/globals.h"
#include "shell/language.h"
#include "shell/log.h"
#include "shell/popup_menu_win32.h"
#include "shell/session_event.h"
#include "shell/setup.h"
#include "shell/single_instance_win32.h"
#include "shell/startup_balloon.h"
#include "shell/translate_form_win32.h"
#include "shell/web_pages.h"
#include "shell/window_win32.h"

#include <shellapi.h>
#include <wtsapi32.h>

namespace qv {

namespace {

constexpr const wchar_t *kClassName = L"TSettings";
constexpr int kClientWidth = 857;
constexpr int kClientHeight = 686;

enum TimerId : UINT_PTR {
  kTrayTimer = 1,
  kDirectXResetTimer,
  kDirectXResetTimer2,
  kWallpaperTimer
};

HWND CreateFormWindow(void *form, WNDPROC windowProc) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  HWND window = CreateWindowExW(0, kClassName, L"Quadrivista", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                kClientWidth, kClientHeight, nullptr, nullptr, instance, form);
  // The client area at the window's DPI, which is known once it exists.
  const UINT dpi = GetDpiForWindow(window);
  RECT frame{0, 0, MulDiv(kClientWidth, static_cast<int>(dpi), 96),
             MulDiv(kClientHeight, static_cast<int>(dpi), 96)};
  AdjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return window;
}

HICON LoadSmallIcon(int id) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       LR_DEFAULTCOLOR));
}

// Balloon texts separate lines with a lone carriage return; the notification
// area wants CR LF.
std::wstring BalloonLines(const std::string &text) {
  std::string lines;
  for (char c : text) {
    lines += c;
    if (c == '\r')
      lines += '\n';
  }
  return AnsiToWide(lines);
}

} // namespace

TSettings::TSettings()
    : window_(CreateFormWindow(this, &TSettings::WindowProc)),
      trayTimer_(window_.Get(), kTrayTimer, 1000),
      directXResetTimer_(window_.Get(), kDirectXResetTimer, 10000),
      directXResetTimer2_(window_.Get(), kDirectXResetTimer2, 2000),
      wallpaperChangeTimer_(window_.Get(), kWallpaperTimer, 1000) {
  appIcon_.Reset(LoadSmallIcon(IDI_APP));
  for (int i = 0; i < IDI_DESKTOP_IMAGE_COUNT; ++i)
    desktopImages_[static_cast<std::size_t>(i)].Reset(LoadSmallIcon(IDI_DESKTOP_BASE + i));
  trayIcon_ = std::make_unique<TrayIcon>(window_.Get(), kMainTrayIconId, kTrayCallbackMessage);
  trayIcon_->SetIcon(appIcon_.Get());
  trayIcon_->SetTip(L"Quadrivista");
  WTSRegisterSessionNotification(window_.Get(), NOTIFY_FOR_THIS_SESSION);
  created_ = true;
}

TSettings::~TSettings() {
  WTSUnRegisterSessionNotification(window_.Get());
  CloseDesktopPreview();
  for (auto &icon : desktopTrayIcons_)
    icon.reset();
  trayIcon_.reset();
}

void TSettings::FormCreate() {
  TranslateForm(window_.Get());
  startupDone_ = true;
  trayIcon_->SetVisible(true);
  hoverDesktop_ = 0;
  ApplyHotkeys();
  CreateDesktopTrayIcons();
  UpdateDesktopTrayIcons();
  SetTrayDefaultItem();
  if (EnableTriggers)
    EnableTriggers();
  ShowStartupBalloon();
}

void TSettings::ApplyHotkeys() {
  if (RegisterTriggers)
    RegisterTriggers();
  if (Setup)
    menu_.ApplyShortCuts(*Setup);
}

void TSettings::SetTrayDefaultItem() {
  if (Setup)
    menu_.SetDefaultItem(Setup->TrayDefaultAction);
}

void TSettings::CreateDesktopTrayIcons() {
  for (auto &icon : desktopTrayIcons_)
    icon.reset();
  if (!Setup || !Setup->TrayCreateIcons)
    return;
  for (int n = 6; n >= 1; --n) {
    auto icon =
        std::make_unique<TrayIcon>(window_.Get(), kDesktopTrayIconBaseId + n, kTrayCallbackMessage);
    icon->SetIcon(desktopImages_[static_cast<std::size_t>((n - 1) * 2)].Get());
    icon->SetTip(AnsiToWide(Setup->DisplayName(n)));
    icon->SetVisible(true);
    desktopTrayIcons_[static_cast<std::size_t>(n)] = std::move(icon);
  }
}

void TSettings::UpdateDesktopTrayIcons() {
  if (!Setup || !Setup->TrayCreateIcons)
    return;
  const int current = Current();
  for (int n = 1; n <= 6; ++n)
    if (auto &icon = desktopTrayIcons_[static_cast<std::size_t>(n)])
      icon->SetIcon(
          desktopImages_[static_cast<std::size_t>(DesktopTrayImageIndex(n, current))].Get());
  menu_.SetCurrentDesktop(current);
}

void TSettings::ShowDesktopPreview() {
  CloseDesktopPreview();
  if (!Setup || !Setup->TrayShowLivePreview || hoverDesktop_ == Current() || !OpenDesktopPreview)
    return;
  previewShown_ = true;
  OpenDesktopPreview(hoverDesktop_);
  // Moves off the icon send it nothing more: the timer watches for them.
  trayTimer_.Restart();
}

void TSettings::CloseDesktopPreview() {
  const bool wasShown = previewShown_;
  previewShown_ = false;
  if (wasShown && FreeDesktopPreview)
    FreeDesktopPreview();
}

void TSettings::ShowStartupBalloon() {
  if (!Setup || !Setup->GeneralShowBalloon || !LanguageController)
    return;
  trayIcon_->ShowBalloon(AnsiToWide(StartupBalloonTitle()),
                         BalloonLines(StartupBalloonText(*Setup, *LanguageController)), 10);
}

void TSettings::ShowSettingsWindow() {
  HWND window = window_.Get();
  RECT frame{};
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window);
}

void TSettings::ShowTrayMenu() {
  // A second right click while the menu is up must not open another one.
  if (menuOpen_)
    return;
  menuOpen_ = true;
  PopupMenu popup(menu_, LanguageController);
  const TrayMenuItem *chosen = popup.Track(window_.Get());
  menuOpen_ = false;
  if (chosen)
    RunMenuItem(*chosen);
}

void TSettings::RunMenuItem(const TrayMenuItem &item) {
  switch (item.command) {
  case TrayCommand::ShowOptions:
  case TrayCommand::About:
    ShowSettingsWindow();
    break;
  case TrayCommand::Dispatch:
    if (Dispatch)
      Dispatch(item.action);
    break;
  case TrayCommand::Help:
    ShellExecuteW(nullptr, nullptr, kHelpPage, nullptr, nullptr, SW_SHOWNORMAL);
    break;
  case TrayCommand::Forum:
    ShellExecuteW(nullptr, nullptr, kForumPage, nullptr, nullptr, SW_SHOWNORMAL);
    break;
  case TrayCommand::Exit:
    if (EndApplication)
      EndApplication(false);
    break;
  case TrayCommand::ManageWindows:
    if (ManageWindows)
      ManageWindows();
    break;
  case TrayCommand::ManageIcons:
    if (ManageIcons)
      ManageIcons();
    break;
  case TrayCommand::None:
    break;
  }
}

void TSettings::OnTrayIconMessage(UINT iconId, UINT mouseMessage) {
  if (iconId == kMainTrayIconId) {
    if (mouseMessage == WM_RBUTTONUP || mouseMessage == WM_CONTEXTMENU) {
      ShowTrayMenu();
    } else if (mouseMessage == WM_LBUTTONDBLCLK) {
      if (const TrayMenuItem *item = menu_.DefaultItem())
        RunMenuItem(*item);
    }
    return;
  }
  const int desktop = static_cast<int>(iconId) - static_cast<int>(kDesktopTrayIconBaseId);
  if (desktop < 1 || desktop > 6)
    return;
  if (mouseMessage == WM_LBUTTONUP) {
    if (Dispatch)
      Dispatch(desktop);
  } else if (mouseMessage == WM_MOUSEMOVE) {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (cursor.x == lastCursorPos_.x && cursor.y == lastCursorPos_.y)
      return;
    lastCursorPos_ = cursor;
    if (previewShown_)
      CloseDesktopPreview();
    hoverDesktop_ = desktop;
    trayTimer_.Restart();
  }
}

void TSettings::OnTimer(UINT_PTR id) {
  switch (id) {
  case kTrayTimer: {
    trayTimer_.SetEnabled(false);
    POINT cursor{};
    GetCursorPos(&cursor);
    if (cursor.x == lastCursorPos_.x && cursor.y == lastCursorPos_.y) {
      // The cursor rested on a desktop icon for a second.
      if (previewShown_)
        trayTimer_.Restart();
      else
        ShowDesktopPreview();
    } else {
      lastCursorPos_ = cursor;
      CloseDesktopPreview();
    }
    break;
  }
  case kDirectXResetTimer:
  case kDirectXResetTimer2:
    DirectXResetTimerTimer();
    break;
  case kWallpaperTimer:
    WallpaperChangeTimer();
    break;
  default:
    break;
  }
}

void TSettings::DirectXResetTimerTimer() {
  directXResetTimer_.SetEnabled(false);
  directXResetTimer2_.SetEnabled(false);
  // The rebuild after a display or session change needs a cooperating
  // Direct3D device.
  if (DeviceCooperating && DeviceCooperating() && RestartSystem)
    RestartSystem();
}

void TSettings::WallpaperChangeTimer() {
  wallpaperChangeTimer_.SetEnabled(false);
  // A full-screen program that holds the display may be changing it for
  // itself; the wallpaper is looked at only while the device cooperates.
  if (DeviceCooperating && !DeviceCooperating()) {
    LogLine("Device not cooperating");
    return;
  }
  if (CheckWallpaperChange)
    CheckWallpaperChange();
}

LRESULT CALLBACK TSettings::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *self = WindowOwner<TSettings>(window, message, lParam);
  if (self && self->created_)
    return self->OnMessage(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

void TSettings::SetContent(std::unique_ptr<FormContent> content) {
  content_ = std::move(content);
}

LRESULT TSettings::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_.Get();
  if (content_) {
    LRESULT result = 0;
    if (content_->OnMessage(message, wParam, lParam, result))
      return result;
  }
  switch (message) {
  case WM_HOTKEY:
  case WM_TRIGGERNOTIFY:
    // A click to itself closes any menu of ours that is open, so that the
    // action that follows is not hidden behind it.
    PostMessageW(window, WM_LBUTTONDOWN, 1, 0);
    PostMessageW(window, WM_LBUTTONUP, 1, 0);
    if (message == WM_HOTKEY && HandleHotKey)
      HandleHotKey(static_cast<unsigned>(wParam));
    else if (message == WM_TRIGGERNOTIFY && HandleNotification)
      HandleNotification(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
    return 0;
  case WM_DISPLAYCHANGE:
    LogLine("Display change");
    directXResetTimer2_.SetEnabled(true);
    break;
  case WM_SETTINGCHANGE:
    if (Log)
      Log->Add("WM_SETTINGCHANGE wParam=" + std::to_string(static_cast<long long>(wParam)) +
               " lParam=" + std::to_string(static_cast<long long>(lParam)));
    wallpaperChangeTimer_.SetEnabled(true);
    return 0;
  case WM_ENDSESSION:
    LogLine("End session");
    if (wParam && EndApplication)
      EndApplication(true);
    break;
  case WM_WTSSESSION_CHANGE:
    if (Log)
      Log->Add(SessionEventLogLine(static_cast<long long>(wParam), static_cast<long long>(lParam)));
    if (wParam == kSessionUnlockEvent)
      directXResetTimer_.Restart();
    break;
  case kTrayCallbackMessage:
    OnTrayIconMessage(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
    return 0;
  case WM_TIMER:
    OnTimer(wParam);
    return 0;
  case WM_CLOSE:
    // The settings window is only ever hidden; the program ends from the tray.
    if (startupDone_)
      ShowWindow(window, SW_HIDE);
    return 0;
  default:
    if (message == TaskbarCreatedMessage()) {
      trayIcon_->Restore();
      for (auto &icon : desktopTrayIcons_)
        if (icon)
          icon->Restore();
      return 0;
    }
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace qv
