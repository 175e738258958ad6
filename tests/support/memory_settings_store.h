#pragma once
#include "shell/settings_store.h"
#include "shell/setup.h"

#include <string>

namespace qv::test {

// Settings kept in memory, with what was saved last readable as lines.
class MemorySettingsStore : public SettingsStore {
public:
  std::optional<std::string> ReadSetupText() override { return setupText; }
  bool WriteSetupText(const std::string &text) override {
    setupText = text;
    ++saves;
    return true;
  }
  void WriteRunValue(bool runAtStartup) override { runValue = runAtStartup; }

  // The stored lines, deciphered.
  ValueList Stored() const {
    ValueList values;
    values.SetText(SetupCipher().DecipherFromHex(setupText).value_or(""));
    return values;
  }

  std::string setupText;
  int saves = 0;
  bool runValue = false;
};

} // namespace qv::test
