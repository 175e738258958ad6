#include "shell/tray_icon_win32.h"

#include <cwchar>

namespace qv {

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

TrayIcon::TrayIcon(HWND owner, UINT id, UINT callbackMessage) {
  data_.cbSize = sizeof(data_);
  data_.hWnd = owner;
  data_.uID = id;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
}

TrayIcon::~TrayIcon() {
  SetVisible(false);
}

void TrayIcon::SetIcon(HICON icon) {
  // Each change is a message the shell must answer: a switch repaints only the
  // icons whose picture it changed.
  if (icon == data_.hIcon)
    return;
  data_.hIcon = icon;
  Update();
}

void TrayIcon::SetTip(const std::wstring &tip) {
  wcsncpy(data_.szTip, tip.c_str(), std::size(data_.szTip) - 1);
  Update();
}

void TrayIcon::SetVisible(bool visible) {
  visible_ = visible;
  if (visible && !added_) {
    added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
  } else if (!visible && added_) {
    Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
  }
}

void TrayIcon::Update() {
  if (added_)
    Shell_NotifyIconW(NIM_MODIFY, &data_);
}

void TrayIcon::Restore() {
  added_ = false;
  if (visible_)
    SetVisible(true);
}

void TrayIcon::ShowBalloon(const std::wstring &title, const std::wstring &text,
                           UINT timeoutSeconds) {
  if (!added_)
    return;
  NOTIFYICONDATAW balloon = data_;
  balloon.uFlags = NIF_INFO;
  wcsncpy(balloon.szInfoTitle, title.c_str(), std::size(balloon.szInfoTitle) - 1);
  wcsncpy(balloon.szInfo, text.c_str(), std::size(balloon.szInfo) - 1);
  balloon.dwInfoFlags = NIIF_INFO;
  balloon.uTimeout = timeoutSeconds * 1000;
  Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

} // namespace qv
