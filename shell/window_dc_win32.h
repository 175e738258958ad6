#pragma once
#include <windows.h>

namespace qv {

// A window's device context, released with the object.
class WindowDc {
public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_)
      ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc &) = delete;
  WindowDc &operator=(const WindowDc &) = delete;
  HDC Get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

} // namespace qv
