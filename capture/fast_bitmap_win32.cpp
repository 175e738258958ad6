#include "capture/fast_bitmap_win32.h"
#include "shell/window_dc_win32.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "capture/image_file.h"

namespace qv {
namespace {

// A memory device context compatible with `reference` holding `bitmap`
// while the object lives.
class MemoryDc {
public:
  MemoryDc(HDC reference, HBITMAP bitmap)
      : dc_(CreateCompatibleDC(reference)), previous_(SelectObject(dc_, bitmap)) {}
  ~MemoryDc() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc &) = delete;
  MemoryDc &operator=(const MemoryDc &) = delete;
  HDC Get() const { return dc_; }

private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Halftone stretching on a device context while the object lives.
class HalftoneMode {
public:
  explicit HalftoneMode(HDC dc) : dc_(dc), previous_(SetStretchBltMode(dc, HALFTONE)) {
    SetBrushOrgEx(dc, 0, 0, nullptr); // HALFTONE needs the brush origin reset
  }
  ~HalftoneMode() {
    if (previous_)
      SetStretchBltMode(dc_, previous_);
  }
  HalftoneMode(const HalftoneMode &) = delete;
  HalftoneMode &operator=(const HalftoneMode &) = delete;

private:
  HDC dc_;
  int previous_;
};

HBITMAP CreateScreenBitmap(int width, int height) {
  const WindowDc screen(nullptr);
  return CreateCompatibleBitmap(screen.Get(), width, height);
}

SIZE WindowSize(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

std::optional<DecodedImage> ReadJpeg(const std::filesystem::path &name) {
  // The decoder also takes PNG data; a file named as JPEG must be one.
  return DecodeImageFile(name, true);
}

// Half a megabyte of screen rows at a time.
constexpr int kScreenStripBytes = 512 * 1024;

} // namespace

void CopyScreen(HDC screen, HDC target, int screenWidth, int screenHeight, int divisor) {
  divisor = std::max(divisor, 1);
  // Whole rows of target pixels per strip, so that reduced strips meet exactly.
  const int rows =
      std::max(1, kScreenStripBytes / std::max(1, screenWidth * 4) / divisor) * divisor;
  std::optional<HalftoneMode> halftone;
  if (divisor > 1)
    halftone.emplace(target);
  for (int top = 0; top < screenHeight; top += rows) {
    const int height = std::min(rows, screenHeight - top);
    if (divisor == 1) {
      BitBlt(target, 0, top, screenWidth, height, screen, 0, top, SRCCOPY);
      continue;
    }
    // Strips start on whole target rows; a last partial row is left out.
    const int targetHeight = height / divisor;
    if (targetHeight > 0)
      StretchBlt(target, 0, top / divisor, screenWidth / divisor, targetHeight, screen, 0, top,
                 screenWidth, targetHeight * divisor, SRCCOPY);
  }
}

TFastBitmap::TFastBitmap(int width, int height)
    : handle_(CreateScreenBitmap(width, height)), width_(width), height_(height) {}

TFastBitmap::TFastBitmap(HWND window) : TFastBitmap(WindowSize(window)) {}

TFastBitmap::TFastBitmap(SIZE size) : TFastBitmap(size.cx, size.cy) {}

void TFastBitmap::CaptureWindow(HWND window) {
  const WindowDc source(window);
  const MemoryDc memory(source.Get(), Handle());
  PrintWindow(window, memory.Get(), 0);
}

void TFastBitmap::CaptureScreen(int screenWidth, int screenHeight, int divisor) {
  const WindowDc screen(GetDesktopWindow());
  const MemoryDc memory(screen.Get(), Handle());
  CopyScreen(screen.Get(), memory.Get(), screenWidth, screenHeight, divisor);
}

void TFastBitmap::CaptureProgman() {
  if (const HWND progman = FindWindowW(L"Progman", nullptr))
    CaptureWindow(progman);
}

void TFastBitmap::DrawTo(HDC target, int x, int y, int width, int height) const {
  const MemoryDc memory(target, Handle());
  BitBlt(target, x, y, width, height, memory.Get(), 0, 0, SRCCOPY);
}

bool TFastBitmap::ReadPixels(void *target, int pitch) const {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_; // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int rowBytes = width_ * 4;
  const WindowDc screen(nullptr);
  if (pitch == rowBytes)
    return GetDIBits(screen.Get(), Handle(), 0, static_cast<UINT>(height_), target, &info,
                     DIB_RGB_COLORS) == height_;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(rowBytes) * height_);
  if (GetDIBits(screen.Get(), Handle(), 0, static_cast<UINT>(height_), rows.data(), &info,
                DIB_RGB_COLORS) != height_)
    return false;
  for (int y = 0; y < height_; ++y)
    std::memcpy(static_cast<std::uint8_t *>(target) + static_cast<std::ptrdiff_t>(y) * pitch,
                rows.data() + static_cast<std::ptrdiff_t>(y) * rowBytes,
                static_cast<std::size_t>(rowBytes));
  return true;
}

void TFastBitmap::StretchTo(HDC target, int x, int y, int width, int height) const {
  // At its own size the picture is copied: a halftone stretch would give the
  // same pixels many times slower.
  if (width == width_ && height == height_) {
    DrawTo(target, x, y, width, height);
    return;
  }
  const MemoryDc memory(target, Handle());
  const HalftoneMode halftone(target);
  StretchBlt(target, x, y, width, height, memory.Get(), 0, 0, width_, height_, SRCCOPY);
}

bool TFastBitmap::LoadFromFile(const std::filesystem::path &name, int width, int height) {
  // The file's own extension decides, not a ".bmp" or ".jpg" anywhere in its
  // path: a picture in "My.bmp files" is still a JPEG.
  std::wstring extension = name.extension().wstring();
  CharLowerBuffW(extension.data(), static_cast<DWORD>(extension.size()));
  const bool isJpeg = extension == L".jpg" || extension == L".jpeg";
  const bool isBitmap = extension == L".bmp";

  const WindowDc screen(nullptr);
  const MemoryDc memory(screen.Get(), Handle());
  const HalftoneMode halftone(memory.Get());
  if (isBitmap) {
    const UniqueBitmap picture(static_cast<HBITMAP>(
        LoadImageW(nullptr, name.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    BITMAP size = {};
    if (!picture || !GetObjectW(picture.Get(), sizeof(size), &size))
      return false;
    const MemoryDc source(screen.Get(), picture.Get());
    StretchBlt(memory.Get(), 0, 0, width, height, source.Get(), 0, 0, size.bmWidth, size.bmHeight,
               SRCCOPY);
    return true;
  }
  if (isJpeg) {
    const std::optional<DecodedImage> picture = ReadJpeg(name);
    if (!picture)
      return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture->width;
    info.bmiHeader.biHeight = -picture->height; // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(memory.Get(), 0, 0, width, height, 0, 0, picture->width, picture->height,
                  picture->bgra.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    return true;
  }
  return false;
}

} // namespace qv
