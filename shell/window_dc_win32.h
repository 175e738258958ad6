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

// A memory device context compatible with the screen, holding `bitmap`
// while the object lives.
class BitmapDc {
public:
  explicit BitmapDc(HBITMAP bitmap)
      : dc_(CreateCompatibleDC(nullptr)), previous_(SelectObject(dc_, bitmap)) {}
  ~BitmapDc() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  BitmapDc(const BitmapDc &) = delete;
  BitmapDc &operator=(const BitmapDc &) = delete;
  HDC Get() const { return dc_; }

private:
  HDC dc_;
  HGDIOBJ previous_;
};

} // namespace qv
