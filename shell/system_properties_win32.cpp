#include "shell/system_properties_win32.h"

#include <windows.h>

#include <shlobj.h>

namespace qv {

namespace {
constexpr const wchar_t *kVendorFolder = L"Quadrivista Labs";
constexpr const wchar_t *kProductFolder = L"Quadrivista";
} // namespace

std::filesystem::path TSystemProperties::DefaultAppDataPath() {
  wchar_t roaming[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, roaming);
  return std::filesystem::path(roaming) / kVendorFolder / kProductFolder;
}

TSystemProperties::TSystemProperties(int imageScale)
    : AppDataPath(DefaultAppDataPath()), ImageScale(imageScale) {
  std::error_code ignored;
  std::filesystem::create_directories(AppDataPath, ignored);
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
