#include "desktops/side_file.h"

#include <fstream>

namespace qv {

std::optional<SideFileText> ReadSideFile(const std::filesystem::path &file, std::size_t maxBytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in)
    return std::nullopt;
  SideFileText result;
  result.text.resize(maxBytes);
  in.read(result.text.data(), static_cast<std::streamsize>(maxBytes));
  result.text.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad())
    return std::nullopt;
  result.cut = result.text.size() == maxBytes && in.peek() != std::char_traits<char>::eof();
  return result;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos)
      break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool ReplaceSideFile(const std::filesystem::path &file, std::string_view contents) {
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.flush();
    if (!out)
      return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

bool HasControlCharacters(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
      return true;
  return false;
}

} // namespace qv
