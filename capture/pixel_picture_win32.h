#pragma once
// A 32-bit top-down picture selected into its own memory device context, so
// that it can be drawn on with GDI and read or written pixel by pixel.
#include "shell/unique_handle_win32.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace qv {

class PixelPicture {
public:
  PixelPicture() = default;
  // An invalid picture when the bitmap or its device context cannot be made.
  PixelPicture(int width, int height);
  PixelPicture(PixelPicture &&) = default;
  PixelPicture &operator=(PixelPicture &&other) noexcept;
  PixelPicture(const PixelPicture &) = delete;
  PixelPicture &operator=(const PixelPicture &) = delete;

  bool Valid() const { return dc_ && pixels_; }
  HDC Dc() const { return dc_.Get(); }
  std::uint32_t *Pixels() const { return pixels_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::size_t Count() const { return static_cast<std::size_t>(width_) * height_; }

private:
  using UniqueBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;
  using UniqueDc = UniqueHandle<HDC, &::DeleteDC>;
  UniqueBitmap bitmap_;
  UniqueDc dc_; // after the bitmap it holds selected, so that it goes first
  std::uint32_t *pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

} // namespace qv
