// The comma text of lists (the window rules): any text reads, and any list
// written reads back as itself.
#include "shell/setup.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  const std::vector<std::string> items = qv::FromCommaText(text);
  if (!items.empty() && qv::FromCommaText(qv::ToCommaText(items)) != items)
    std::abort();
  return 0;
}
