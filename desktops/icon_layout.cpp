#include "desktops/icon_layout.h"

#include "desktops/side_file.h"

#include <charconv>

namespace qv {
namespace {

std::optional<int> ParseInteger(std::string_view text) {
  int value = 0;
  const char *end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end)
    return std::nullopt;
  return value;
}

} // namespace

const std::string *IconLayout::Value(std::string_view label) const {
  for (const auto &line : lines_)
    if (line.label == label)
      return &line.value;
  return nullptr;
}

void IconLayout::Set(std::string_view label, std::string value) {
  for (auto &line : lines_)
    if (line.label == label) {
      line.value = std::move(value);
      return;
    }
  lines_.push_back({std::string(label), std::move(value)});
}

std::optional<IconPosition> IconLayout::ParsePosition(std::string_view value) {
  const std::size_t comma = value.find(',');
  if (comma == std::string_view::npos)
    return std::nullopt;
  const auto x = ParseInteger(value.substr(0, comma));
  const auto y = ParseInteger(value.substr(comma + 1));
  if (!x || !y)
    return std::nullopt;
  return IconPosition{*x, *y};
}

std::string IconLayout::Format(IconPosition position) {
  return std::to_string(position.x) + "," + std::to_string(position.y);
}

std::string IconLayout::Format() const {
  std::string text;
  for (const auto &line : lines_)
    text += line.label + "=" + line.value + "\r\n";
  return text;
}

IconLayout IconLayout::Parse(std::string_view text, std::vector<std::string> &problems) {
  IconLayout layout;
  int skipped = 0;
  int lineNumber = 0;
  for (const std::string_view line : SplitLines(text)) {
    ++lineNumber;
    if (line.empty())
      continue;
    // The value never holds "=", a label may.
    const std::size_t equals = line.rfind('=');
    const std::string_view label =
        equals == std::string_view::npos ? std::string_view{} : line.substr(0, equals);
    const auto position =
        equals == std::string_view::npos ? std::nullopt : ParsePosition(line.substr(equals + 1));
    if (label.empty() || label.size() > kMaxLabelLength || HasControlCharacters(label) ||
        !position) {
      if (++skipped <= 3)
        problems.push_back("line " + std::to_string(lineNumber) +
                           " is not an icon position; it is left out");
      continue;
    }
    if (layout.lines_.size() >= kMaxIcons && !layout.Value(label)) {
      problems.push_back("more than " + std::to_string(kMaxIcons) +
                         " icons; the rest are left out");
      break;
    }
    layout.Set(label, Format(*position));
  }
  if (skipped > 3)
    problems.push_back(std::to_string(skipped) + " lines left out in all");
  return layout;
}

std::optional<IconLayout> IconLayout::Load(const std::filesystem::path &file,
                                           std::vector<std::string> &problems) {
  const auto contents = ReadSideFile(file, kMaxFileBytes);
  if (!contents)
    return std::nullopt;
  if (contents->cut)
    problems.push_back("larger than " + std::to_string(kMaxFileBytes) +
                       " bytes; only its start is read");
  return Parse(contents->text, problems);
}

bool IconLayout::Save(const std::filesystem::path &file) const {
  return ReplaceSideFile(file, Format());
}

bool IsIconShown(const IconLayout &desktop, std::string_view label) {
  const std::string *value = desktop.Value(label);
  return !value || IconLayout::ParsePosition(*value) != IconLayout::kParked;
}

void ShowIcon(IconLayout &desktop, const IconLayout &startup, std::string_view label, bool shown) {
  if (!shown) {
    desktop.Set(label, IconLayout::kParked);
    return;
  }
  if (IsIconShown(desktop, label))
    return;
  if (const std::string *original = startup.Value(label))
    desktop.Set(label, *original);
}

} // namespace qv
