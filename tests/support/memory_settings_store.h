#pragma once
#include "shell/settings_store.h"
#include "shell/setup.h"

#include <string>
#include <vector>

namespace qv::test {

// Settings kept in memory (nothing stored at first), with what was saved last readable
// as lines.
class MemorySettingsStore : public SettingsStore {
public:
  std::optional<std::string> ReadSetupText() override {
    return openable ? std::optional(setupText) : std::nullopt;
  }
  bool WriteSetupText(const std::string &text) override {
    if (!openable)
      return false;
    setupText = text;
    ++saves;
    return true;
  }
  void WriteRunValue(bool runAtStartup) override { runValues.push_back(runAtStartup); }

  // Stores plain "key=value" lines enciphered, as a save would.
  void StoreLines(const std::string &plain) { setupText = SetupCipher().EncipherToHex(plain); }
  // The stored lines, deciphered.
  ValueList Stored() const {
    ValueList values;
    values.SetText(SetupCipher().DecipherFromHex(setupText).value_or(""));
    return values;
  }

  std::string setupText;
  bool openable = true; // false: reads and writes fail as with a key that cannot be opened
  int saves = 0;
  std::vector<bool> runValues;
};

} // namespace qv::test
