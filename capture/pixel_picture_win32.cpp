#include "capture/pixel_picture_win32.h"

#include <utility>

namespace qv {

PixelPicture::PixelPicture(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; // rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_)
    return;
  UniqueDc dc(CreateCompatibleDC(nullptr));
  if (!dc)
    return;
  // Selected until the device context goes, which the member order makes
  // happen before the bitmap goes.
  SelectObject(dc.Get(), bitmap_.Get());
  dc_ = std::move(dc);
  pixels_ = static_cast<std::uint32_t *>(bits);
  width_ = width;
  height_ = height;
}

PixelPicture &PixelPicture::operator=(PixelPicture &&other) noexcept {
  dc_.Reset(); // the old device context goes before the bitmap it holds
  bitmap_ = std::move(other.bitmap_);
  dc_ = std::move(other.dc_);
  pixels_ = std::exchange(other.pixels_, nullptr);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  return *this;
}

} // namespace qv
