#pragma once
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace qv {

// One icon in the notification area. Mouse events arrive at the owner window
// as `callbackMessage` with the icon's id in wParam and the mouse message in
// lParam. The icon leaves the notification area with the object.
class TrayIcon {
public:
  TrayIcon(HWND owner, UINT id, UINT callbackMessage);
  ~TrayIcon();
  TrayIcon(const TrayIcon &) = delete;
  TrayIcon &operator=(const TrayIcon &) = delete;

  void SetIcon(HICON icon); // not owned: the caller keeps it alive
  void SetTip(const std::wstring &tip);
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }
  void ShowBalloon(const std::wstring &title, const std::wstring &text, UINT timeoutSeconds);

  // Adds the icon again after the shell restarted ("TaskbarCreated").
  void Restore();

  UINT Id() const { return data_.uID; }

private:
  void Update();

  NOTIFYICONDATAW data_{};
  bool visible_ = false;
  bool added_ = false;
};

// The message the shell broadcasts when the taskbar is (re)created.
UINT TaskbarCreatedMessage();

} // namespace qv
