#pragma once
// The program's side files (the wallpaper list, the icon layouts) are input
// it does not control: a reader takes at most a bounded number of bytes and
// splits them into lines, and a writer replaces the whole file at once.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct SideFileText {
  std::string text;
  bool cut = false; // the file was longer than the limit; only its start is here
};

// The first `maxBytes` bytes of the file; nullopt when it does not exist or
// cannot be read.
std::optional<SideFileText> ReadSideFile(const std::filesystem::path &file, std::size_t maxBytes);

// Lines ended by LF or CR LF; a last line without an end counts too.
std::vector<std::string_view> SplitLines(std::string_view text);

// Writes `<file>.tmp` and renames it over the file, so a reader (or a
// process killed half-way) sees the old file or the new one, never a part.
bool ReplaceSideFile(const std::filesystem::path &file, std::string_view contents);

// Whether the text holds a control character (bytes below 0x20 except tab),
// which no path or icon label of ours contains.
bool HasControlCharacters(std::string_view text);

} // namespace qv
