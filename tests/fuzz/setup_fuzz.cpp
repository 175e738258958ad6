// The stored settings, enciphered hexadecimal text as the registry gives it:
// whatever is stored, loading ends with every number in its key's range and a
// save that reads back the same.
#include "shell/setup.h"
#include "tests/support/memory_settings_store.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size == 0)
    return 0;
  const std::string text(reinterpret_cast<const char *>(data) + 1, size - 1);
  qv::test::MemorySettingsStore store;
  if (data[0] & 1)
    store.setupText = text; // as stored, enciphered
  else
    store.StoreLines(text);
  qv::TSetup setup(store);
  if (setup.HotCornerSensibility < 0 || setup.HotCornerSensibility > 32 ||
      setup.TrayLivePreviewSize < 10 || setup.TrayLivePreviewSize > 90)
    std::abort();
  setup.Save();
  qv::TSetup again(store);
  if (again.Rules != setup.Rules || again.GeneralLanguage != setup.GeneralLanguage ||
      again.CubeDuration != setup.CubeDuration)
    std::abort();
  return 0;
}
