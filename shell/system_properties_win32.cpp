#include "shell/system_properties_win32.h"

#include <windows.h>

#include <shlobj.h>

namespace qv {

namespace {
constexpr const wchar_t *kVendorFolder = L"Quadrivista Labs";
constexpr const wchar_t *kProductFolder = L"Quadrivista";

std::filesystem::path ProductFolderUnder(int folder) {
  wchar_t base[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, folder, nullptr, 0, base);
  return std::filesystem::path(base) / kVendorFolder / kProductFolder;
}
} // namespace

std::filesystem::path TSystemProperties::DefaultAppDataPath() {
  return ProductFolderUnder(CSIDL_APPDATA);
}

std::filesystem::path TSystemProperties::DefaultLocalAppDataPath() {
  return ProductFolderUnder(CSIDL_LOCAL_APPDATA);
}

TSystemProperties::TSystemProperties(int imageScale)
    : AppDataPath(DefaultAppDataPath()), LocalAppDataPath(DefaultLocalAppDataPath()),
      ImageScale(imageScale) {
  std::error_code ignored;
  std::filesystem::create_directories(AppDataPath, ignored);
  std::filesystem::create_directories(LocalAppDataPath, ignored);
}

std::filesystem::path ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::filesystem::path(path).parent_path();
}

} // namespace qv
