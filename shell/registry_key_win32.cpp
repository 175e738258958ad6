#include "shell/registry_key_win32.h"

#include <utility>

namespace qv {

RegistryKey::~RegistryKey() {
  Close();
}

RegistryKey::RegistryKey(RegistryKey &&other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegistryKey &RegistryKey::operator=(RegistryKey &&other) noexcept {
  if (this != &other) {
    Close();
    key_ = std::exchange(other.key_, nullptr);
  }
  return *this;
}

void RegistryKey::Close() {
  if (key_)
    RegCloseKey(key_);
  key_ = nullptr;
}

RegistryKey RegistryKey::Create(HKEY root, const std::wstring &path, REGSAM access) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return {};
  return RegistryKey(key);
}

RegistryKey RegistryKey::Open(HKEY root, const std::wstring &path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
    return {};
  return RegistryKey(key);
}

std::optional<std::wstring> RegistryKey::ReadString(const wchar_t *name) const {
  if (!key_)
    return std::nullopt;
  // The value may grow between asking for its size and reading it: retry until it fits.
  for (;;) {
    DWORD bytes = 0;
    if (RegGetValueW(key_, nullptr, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
      return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegGetValueW(key_, nullptr, name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes);
    if (status == ERROR_MORE_DATA)
      continue;
    if (status != ERROR_SUCCESS)
      return std::nullopt;
    // The size counts the terminating null, which RegGetValueW always writes.
    text.resize(bytes >= sizeof(wchar_t) ? bytes / sizeof(wchar_t) - 1 : 0);
    return text;
  }
}

bool RegistryKey::WriteString(const wchar_t *name, std::wstring_view value) const {
  if (!key_)
    return false;
  const std::wstring text(value);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                        bytes) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const wchar_t *name) const {
  return key_ && RegDeleteValueW(key_, name) == ERROR_SUCCESS;
}

} // namespace qv
