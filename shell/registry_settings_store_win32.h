#pragma once
#include "shell/settings_store.h"

#include <string>

namespace qv {

// Keeps the settings in the current user's registry: the "Setup" value of the settings
// key, and the "Quadrivista" value of the Run key that starts the program with Windows.
class RegistrySettingsStore : public SettingsStore {
public:
  static constexpr const wchar_t *kSettingsKeyPath = L"Software\\Quadrivista";
  static constexpr const wchar_t *kRunKeyPath =
      L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

  // Both paths are below HKEY_CURRENT_USER; tests pass keys of their own.
  explicit RegistrySettingsStore(std::wstring settingsKeyPath = kSettingsKeyPath,
                                 std::wstring runKeyPath = kRunKeyPath);

  std::optional<std::string> ReadSetupText() override;
  bool WriteSetupText(const std::string &text) override;
  void WriteRunValue(bool runAtStartup) override;

private:
  std::wstring settingsKeyPath_;
  std::wstring runKeyPath_;
};

// The full path of the running executable.
std::wstring ExecutablePath();

} // namespace qv
