// Language files: read from the Languages folder as any user may have
// changed them.
#include "shell/language.h"

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("qv-language-fuzz-" + std::to_string(::getpid()));
  [[maybe_unused]] static const bool made = std::filesystem::create_directories(folder);
  std::ofstream(folder / "English.lng", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
  qv::TLanguageController controller(folder);
  controller.SetLanguage("English");
  for (const char *text : {"159.Options", "35", "", ".", "422.Desktop #1", "999"})
    (void)controller.Translate(text);
  return 0;
}
