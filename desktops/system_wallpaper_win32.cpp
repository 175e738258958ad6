#include "desktops/system_wallpaper_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/registry_key_win32.h"

#include <memory>

namespace qv {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

std::wstring RegistryWallpaper() {
  const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey);
  return key.ReadString(L"Wallpaper").value_or(std::wstring());
}

void WriteRegistryWallpaper(const std::wstring &path) {
  // A missing key only skips the write.
  if (const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey, KEY_SET_VALUE))
    key.WriteString(L"WallPaper", path);
}

void AskSystem(const std::wstring &path) {
  SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t *>(path.c_str()),
                        SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

DWORD WINAPI WallpaperThread(void *parameter) {
  const std::unique_ptr<std::wstring> path(static_cast<std::wstring *>(parameter));
  AskSystem(*path);
  return 0;
}

} // namespace

std::string CurrentSystemWallpaper() {
  wchar_t buffer[MAX_PATH + 1] = {};
  SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, buffer, 0);
  const std::wstring stored = RegistryWallpaper();
  return WideToAnsi(!stored.empty() && stored != buffer ? stored : std::wstring(buffer));
}

void SetSystemWallpaper(const std::string &path, bool wait) {
  const std::wstring wide = AnsiToWide(path);
  WriteRegistryWallpaper(wide);
  if (wait) {
    AskSystem(wide);
    return;
  }
  auto owned = std::make_unique<std::wstring>(wide);
  if (HANDLE thread = CreateThread(nullptr, 0, &WallpaperThread, owned.get(), 0, nullptr)) {
    owned.release(); // the thread frees it
    CloseHandle(thread);
  } else {
    AskSystem(wide);
  }
}

} // namespace qv
