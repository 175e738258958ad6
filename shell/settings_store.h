#pragma once
#include <optional>
#include <string>

namespace qv {

// Where the settings are kept between runs (the per-user registry on Windows).
class SettingsStore {
public:
  virtual ~SettingsStore() = default;
  // The stored "Setup" text; std::nullopt when the key cannot be opened (then Values stay as they
  // are).
  virtual std::optional<std::string> ReadSetupText() = 0;
  // Writes the "Setup" value; false when the key cannot be opened or written.
  virtual bool WriteSetupText(const std::string &text) = 0;
  // Writes the "Quadrivista" value of the per-user Run key, only when that key exists:
  // the running executable's full path when runAtStartup, otherwise the empty string.
  virtual void WriteRunValue(bool runAtStartup) = 0;
};

} // namespace qv
