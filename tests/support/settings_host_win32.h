#pragma once
// Test support: a hidden top-level window that hands its messages to the
// settings window first, as the main form does, and clicks through its pages.
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_window_win32.h"
#include "shell/window_win32.h"
#include "tests/support/message_loop_win32.h"

#include <memory>

namespace qv::test {

class SettingsHost {
public:
  explicit SettingsHost(const SettingsServices &services) {
    RegisterWindowClass(L"QvSettingsTestHost", &SettingsHost::WindowProc);
    window_.Reset(CreateWindowExW(0, L"QvSettingsTestHost", L"", WS_OVERLAPPEDWINDOW, 40, 30, 873,
                                  725, nullptr, nullptr, GetModuleHandleW(nullptr), this));
    content_ = std::make_unique<TSettingsWindow>(window_.Get(), services);
  }
  ~SettingsHost() { content_.reset(); }
  SettingsHost(const SettingsHost &) = delete;
  SettingsHost &operator=(const SettingsHost &) = delete;

  HWND Handle() const { return window_.Get(); }
  HWND Panel() const { return GetDlgItem(Handle(), settings_id::kPanel); }
  HWND Link(int tag) const { return GetDlgItem(Panel(), settings_id::kLinkBase + tag); }

  // Clicks the link as the link control reports it; returns the page it opened.
  HWND Open(int tag) const {
    SendMessageW(Panel(), WM_COMMAND, MAKEWPARAM(settings_id::kLinkBase + tag, STN_CLICKED),
                 reinterpret_cast<LPARAM>(Link(tag)));
    return Page();
  }

  // The open page: the window that holds the cancel button.
  HWND Page() const {
    for (HWND child = GetWindow(Panel(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (GetDlgItem(child, settings_id::kCancel))
        return child;
    return nullptr;
  }

  static void Press(HWND page, int button) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
  }

  // Presses the button and lets the page close, which it does once the click
  // has been handled; returns whether it closed.
  static bool Close(HWND page, int button) {
    Press(page, button);
    return PumpMessagesUntil([page] { return !IsWindow(page); });
  }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *self = WindowOwner<SettingsHost>(window, message, lParam);
    LRESULT result = 0;
    if (self && self->content_ && self->content_->OnMessage(message, wParam, lParam, result))
      return result;
    return DefWindowProcW(window, message, wParam, lParam);
  }

  UniqueWindow window_;
  std::unique_ptr<TSettingsWindow> content_;
};

} // namespace qv::test
