// A "Desktop.N.icons" file, whatever it holds, reads as one line per label with a position
// that parses, within the limits, and survives a save and a new read.
#include "desktops/icon_layout.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  std::vector<std::string> problems;
  const qv::IconLayout layout = qv::IconLayout::Parse(text, problems);
  if (layout.Lines().size() > qv::IconLayout::kMaxIcons)
    std::abort();
  std::set<std::string> labels;
  for (const auto &line : layout.Lines()) {
    if (line.label.empty() || line.label.size() > qv::IconLayout::kMaxLabelLength ||
        !labels.insert(line.label).second || !qv::IconLayout::ParsePosition(line.value))
      std::abort();
  }
  const std::string formatted = layout.Format();
  std::vector<std::string> again;
  if (qv::IconLayout::Parse(formatted, again).Format() != formatted || !again.empty())
    std::abort();
  return 0;
}
