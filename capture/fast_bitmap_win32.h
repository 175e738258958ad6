#pragma once
// A bitmap compatible with the screen: desktop pictures, taskbar snapshots
// and wallpapers are captured into it and drawn out of it by plain block
// transfers. Every operation makes and frees its own memory device context,
// so a bitmap can be used on any one thread at a time.
#include <filesystem>
#include <vector>

#include <windows.h>

#include "shell/unique_handle_win32.h"

namespace qv {

// The screen's top-left screenWidth x screenHeight pixels from `screen`,
// reduced by `divisor` (1 = unscaled, otherwise with halftone smoothing), to
// the top-left of `target`. Copied in strips of rows: Wine reads a whole
// screen at once about three times as slowly as in strips, and on Windows the
// strips cost nothing extra.
void CopyScreen(HDC screen, HDC target, int screenWidth, int screenHeight, int divisor);

class TFastBitmap {
public:
  TFastBitmap(int width, int height);
  // The size of the window's rectangle.
  explicit TFastBitmap(HWND window);

  HBITMAP Handle() const { return handle_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Has the window print itself into the bitmap (PrintWindow); a window that
  // cannot print leaves the bitmap as it was.
  void CaptureWindow(HWND window);
  // The whole screen, reduced by `divisor` (1 = unscaled) into the top-left
  // (screenWidth / divisor) x (screenHeight / divisor) pixels.
  void CaptureScreen(int screenWidth, int screenHeight, int divisor);
  // The shell's desktop window ("Progman"): wallpaper and icons.
  void CaptureProgman();

  // The top-left width x height pixels, unscaled, to (x, y) of `target`.
  void DrawTo(HDC target, int x, int y, int width, int height) const;
  // The pixels as 32-bit rows, top row first, `pitch` bytes apart (blue,
  // green, red, unused); false when they cannot be read.
  bool ReadPixels(void *target, int pitch) const;
  // The whole bitmap stretched into the rectangle, with halftone smoothing.
  void StretchTo(HDC target, int x, int y, int width, int height) const;

  // Draws a JPEG or Windows bitmap file, told apart by the extension in the
  // name, stretched over (0, 0, width, height). Other names and unreadable
  // files leave the bitmap unchanged; gives whether a picture was drawn.
  bool LoadFromFile(const std::filesystem::path &name, int width, int height);

private:
  using UniqueBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;

  explicit TFastBitmap(SIZE size);

  UniqueBitmap handle_;
  int width_ = 0;
  int height_ = 0;
};

} // namespace qv
