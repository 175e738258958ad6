#include "shell/registry_settings_store_win32.h"

#include "shell/registry_key_win32.h"

#include <utility>

namespace qv {
namespace {

constexpr const wchar_t *kSetupValueName = L"Setup";
constexpr const wchar_t *kRunValueName = L"Quadrivista";

// The stored text is hexadecimal, so only ASCII matters; anything else becomes a
// character that the hexadecimal decoding rejects.
std::string ToBytes(const std::wstring &text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (const wchar_t c : text)
    bytes += c < 0x80 ? static_cast<char>(c) : '?';
  return bytes;
}

std::wstring FromBytes(const std::string &bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (const char c : bytes)
    text += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return text;
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore(std::wstring settingsKeyPath, std::wstring runKeyPath)
    : settingsKeyPath_(std::move(settingsKeyPath)), runKeyPath_(std::move(runKeyPath)) {}

std::optional<std::string> RegistrySettingsStore::ReadSetupText() {
  const auto key = RegistryKey::Create(HKEY_CURRENT_USER, settingsKeyPath_);
  if (!key)
    return std::nullopt;
  return ToBytes(key.ReadString(kSetupValueName).value_or(L""));
}

bool RegistrySettingsStore::WriteSetupText(const std::string &text) {
  const auto key = RegistryKey::Create(HKEY_CURRENT_USER, settingsKeyPath_);
  return key.WriteString(kSetupValueName, FromBytes(text));
}

void RegistrySettingsStore::WriteRunValue(bool runAtStartup) {
  const auto key = RegistryKey::Open(HKEY_CURRENT_USER, runKeyPath_, KEY_SET_VALUE);
  if (key)
    key.WriteString(kRunValueName, runAtStartup ? ExecutablePath() : std::wstring());
}

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2); // truncated: try a larger buffer
  }
}

} // namespace qv
