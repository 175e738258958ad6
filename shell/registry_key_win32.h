#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Owns an open registry key and closes it when it goes. An object without a key
// (a failed open) converts to false and all its operations fail.
class RegistryKey {
public:
  RegistryKey() = default;
  ~RegistryKey();
  RegistryKey(RegistryKey &&other) noexcept;
  RegistryKey &operator=(RegistryKey &&other) noexcept;
  RegistryKey(const RegistryKey &) = delete;
  RegistryKey &operator=(const RegistryKey &) = delete;

  // Opens root\path, creating the missing keys on the way.
  static RegistryKey Create(HKEY root, const std::wstring &path,
                            REGSAM access = KEY_READ | KEY_WRITE);
  // Opens root\path only when it already exists.
  static RegistryKey Open(HKEY root, const std::wstring &path, REGSAM access = KEY_READ);

  explicit operator bool() const { return key_ != nullptr; }
  HKEY Get() const { return key_; }

  // A REG_SZ value; nothing when it is absent, of another type or unreadable.
  std::optional<std::wstring> ReadString(const wchar_t *name) const;
  // Writes a REG_SZ value, replacing what was there.
  bool WriteString(const wchar_t *name, std::wstring_view value) const;
  bool DeleteValue(const wchar_t *name) const;

private:
  explicit RegistryKey(HKEY key) : key_(key) {}
  void Close();

  HKEY key_ = nullptr;
};

} // namespace qv
