#include "capture/thumbnail_renderer_win32.h"

#include "capture/pixel_arithmetic.h"
#include "desktops/window_placement.h"
#include "shell/composition_win32.h"

#include <dwmapi.h>

namespace qv {
namespace {

// The Desktop Window Manager's thumbnail calls, looked up at run time so
// that the program starts where the library does not exist.
struct DwmThumbnails {
  using RegisterFunction = HRESULT(WINAPI *)(HWND, HWND, PHTHUMBNAIL);
  using UnregisterFunction = HRESULT(WINAPI *)(HTHUMBNAIL);
  using UpdateFunction = HRESULT(WINAPI *)(HTHUMBNAIL, const DWM_THUMBNAIL_PROPERTIES *);

  DwmThumbnails() {
    library = LoadLibraryW(L"dwmapi.dll");
    if (!library)
      return;
    registerThumbnail = reinterpret_cast<RegisterFunction>(
        reinterpret_cast<void *>(GetProcAddress(library, "DwmRegisterThumbnail")));
    unregisterThumbnail = reinterpret_cast<UnregisterFunction>(
        reinterpret_cast<void *>(GetProcAddress(library, "DwmUnregisterThumbnail")));
    updateProperties = reinterpret_cast<UpdateFunction>(
        reinterpret_cast<void *>(GetProcAddress(library, "DwmUpdateThumbnailProperties")));
  }
  bool Usable() const { return registerThumbnail && unregisterThumbnail && updateProperties; }

  HMODULE library = nullptr; // kept for the whole run
  RegisterFunction registerThumbnail = nullptr;
  UnregisterFunction unregisterThumbnail = nullptr;
  UpdateFunction updateProperties = nullptr;
};

const DwmThumbnails &Dwm() {
  static const DwmThumbnails dwm;
  return dwm;
}

HTHUMBNAIL AsThumbnail(std::intptr_t id) {
  return reinterpret_cast<HTHUMBNAIL>(id);
}

} // namespace

TThumbnailRenderer::TThumbnailRenderer(HWND owner, HWND source, RenderingKind kind,
                                       const WindowPainting &painting)
    : owner_(owner), source_(source), kind_(kind), painting_(painting) {}

TThumbnailRenderer::~TThumbnailRenderer() {
  if (thumbnailId_ != 0)
    Dwm().unregisterThumbnail(AsThumbnail(thumbnailId_));
}

bool TThumbnailRenderer::Register() {
  if (thumbnailId_ != 0)
    return true;
  if (!CompositionEnabled() || !Dwm().Usable())
    return false;
  HTHUMBNAIL id = nullptr;
  if (FAILED(Dwm().registerThumbnail(owner_, source_, &id)) || !id)
    return false;
  thumbnailId_ = reinterpret_cast<std::intptr_t>(id);
  return true;
}

bool TThumbnailRenderer::UpdateProperties() {
  if (thumbnailId_ == 0)
    return false;
  DWM_THUMBNAIL_PROPERTIES properties{};
  properties.dwFlags =
      DWM_TNP_RECTDESTINATION | DWM_TNP_OPACITY | DWM_TNP_VISIBLE | DWM_TNP_SOURCECLIENTAREAONLY;
  properties.rcDestination = {Left, Top, Left + Width, Top + Height};
  properties.opacity = static_cast<BYTE>(Opacity >= 255 ? 255 : (Opacity < 0 ? 0 : Opacity));
  properties.fVisible = TRUE;
  properties.fSourceClientAreaOnly = FALSE;
  return SUCCEEDED(Dwm().updateProperties(AsThumbnail(thumbnailId_), &properties));
}

bool TThumbnailRenderer::ScreenPlace(RECT &place) const {
  RECT rect{};
  if (!GetWindowRect(source_, &rect))
    return false;
  const WindowRect shown = OnScreenRect({rect.left, rect.top, rect.right, rect.bottom});
  place = {shown.left, shown.top, shown.right, shown.bottom};
  return shown.right > shown.left && shown.bottom > shown.top;
}

bool TThumbnailRenderer::PrepareRemoteCapture(RemotePrint &print) const {
  RECT place{};
  if (kind_ != RenderingKind::Default || !PrintsInItsOwnProcess(source_, painting_) ||
      !ScreenPlace(place))
    return false;
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  // Shrunk to the thumbnail's size where it is printed.
  print = {source_, width, height, Width > 0 ? Width : width, Height > 0 ? Height : height};
  return true;
}

void TThumbnailRenderer::TakeRemotePicture(const RemotePrint &print, const std::uint32_t *picture) {
  // Any earlier picture is older than this one.
  if (ScaleFrom(picture, print.PictureWidth, print.PictureHeight))
    picture_ = PixelPicture();
}

bool TThumbnailRenderer::Capture() {
  RECT place{};
  if (!ScreenPlace(place))
    return false;
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  if (!picture_.Valid() || picture_.Width() != width || picture_.Height() != height) {
    picture_ = PixelPicture(width, height);
    if (!picture_.Valid())
      return false;
  }
  // The painting draws at the window's place on the screen; the origin
  // moves so that the place is the picture's top-left corner.
  POINT previous{};
  SetViewportOrgEx(picture_.Dc(), -place.left, -place.top, &previous);
  WindowPainting unscaled = painting_;
  unscaled.Divisor = 1;
  PaintWindow(kind_, source_, picture_.Dc(), unscaled);
  SetViewportOrgEx(picture_.Dc(), previous.x, previous.y, nullptr);
  GdiFlush();
  scaledCurrent_ = false;
  Rescale();
  return true;
}

bool TThumbnailRenderer::Rescale() {
  if (Width <= 0 || Height <= 0)
    return false;
  if (scaledCurrent_ && scaled_.Width() == Width && scaled_.Height() == Height)
    return true;
  return picture_.Valid() && ScaleFrom(picture_.Pixels(), picture_.Width(), picture_.Height());
}

bool TThumbnailRenderer::ScaleFrom(const std::uint32_t *source, int width, int height) {
  if (Width <= 0 || Height <= 0)
    return false;
  if (scaled_.Width() != Width || scaled_.Height() != Height || !scaled_.Valid())
    scaled_ = PixelPicture(Width, Height);
  if (!scaled_.Valid())
    return false;
  ResamplePixels(source, width, height, width, scaled_.Pixels(), Width, Height);
  scaledCurrent_ = true;
  return true;
}

void TThumbnailRenderer::PaintTo(HDC target) {
  if (!Rescale())
    return;
  if (Opacity >= 255) {
    BitBlt(target, Left, Top, Width, Height, scaled_.Dc(), 0, 0, SRCCOPY);
    return;
  }
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(Opacity < 0 ? 0 : Opacity), 0};
  GdiAlphaBlend(target, Left, Top, Width, Height, scaled_.Dc(), 0, 0, Width, Height, blend);
}

} // namespace qv
