#include "shell/settings/background_picture_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/system_properties_win32.h"
#include "shell/unique_handle_win32.h"
#include "shell/window_dc_win32.h"

#include <algorithm>
#include <span>
#include <system_error>

namespace qv {

namespace {

using UniqueBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;

// Windows bitmaps, which the image decoder does not read, through GDI.
std::optional<DecodedImage> LoadBitmapFile(const std::filesystem::path &file) {
  UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  BITMAP info{};
  if (!bitmap.Get() || !GetObjectW(bitmap.Get(), sizeof(info), &info) || info.bmWidth <= 0 ||
      info.bmHeight <= 0)
    return std::nullopt;
  DecodedImage picture{info.bmWidth, info.bmHeight,
                       std::vector<std::uint8_t>(static_cast<std::size_t>(info.bmWidth) *
                                                 static_cast<std::size_t>(info.bmHeight) * 4)};
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB};
  const WindowDc screen(nullptr);
  if (GetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(info.bmHeight),
                picture.bgra.data(), &format, DIB_RGB_COLORS) != info.bmHeight)
    return std::nullopt;
  return picture;
}

} // namespace

std::filesystem::path SkyBoxFolder() {
  return ExecutableFolder() / L"SkyBoxes";
}

std::vector<std::string> SkyBoxThemes(const std::filesystem::path &folder) {
  std::vector<std::string> themes;
  std::error_code error;
  for (const auto &entry : std::filesystem::directory_iterator(folder, error)) {
    const std::wstring name = entry.path().filename().wstring();
    if (entry.is_directory(error) && !name.empty() && name[0] != L'.')
      themes.push_back(WideToAnsi(name));
  }
  std::sort(themes.begin(), themes.end());
  return themes;
}

std::filesystem::path ThemeFrontPicture(const std::filesystem::path &folder,
                                        const std::string &theme) {
  const std::wstring name = AnsiToWide(theme);
  return folder / name / (name + L"_front.jpg");
}

std::optional<DecodedImage> LoadPictureFile(const std::filesystem::path &file) {
  auto ext = file.extension().wstring();
  std::transform(ext.begin(), ext.end(), ext.begin(), ::towlower);
  return ext == L".bmp" ? LoadBitmapFile(file) : DecodeImageFile(file);
}

std::optional<DecodedImage> LoadPictureResource(const wchar_t *name) {
  const HMODULE program = GetModuleHandleW(nullptr);
  const HRSRC resource = FindResourceW(program, name, MAKEINTRESOURCEW(10)); // RT_RCDATA
  const HGLOBAL data = resource ? LoadResource(program, resource) : nullptr;
  const void *bytes = data ? LockResource(data) : nullptr;
  if (!bytes)
    return std::nullopt;
  return DecodeImage(
      std::span(static_cast<const std::uint8_t *>(bytes), SizeofResource(program, resource)));
}

void DrawPicture(HDC dc, const DecodedImage &picture, const RECT &area) {
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB};
  const int oldMode = SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchDIBits(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, 0,
                picture.width, picture.height, picture.bgra.data(), &format, DIB_RGB_COLORS,
                SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

} // namespace qv
