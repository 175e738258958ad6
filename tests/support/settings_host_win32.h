#pragma once
// Test support: a hidden top-level window that hands its messages to the
// settings window first, as the main form does.
#include "shell/settings/settings_window_win32.h"
#include "shell/window_win32.h"

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
