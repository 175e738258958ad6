#include "tests/languages/language_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

namespace qv::test {

namespace {

std::string ReadBytes(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsIdentifier(const std::string &text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         (text.size() == 1 || text[0] != '0');
}

// Windows-1252 leaves these five bytes without a character.
bool IsUndefinedIn1252(unsigned char byte) {
  return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

bool IsValidUtf8(const std::string &bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const int length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
    if (length == 0 || i + length > bytes.size())
      return false;
    for (int k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 0x2)
        return false;
    i += length;
  }
  return true;
}

std::vector<std::string> AllMatches(const std::string &text, const std::regex &pattern) {
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
       it != std::sregex_iterator(); ++it)
    found.push_back(it->str());
  std::sort(found.begin(), found.end());
  return found;
}

int Count(const std::string &text, const std::string &part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
    ++count;
  return count;
}

} // namespace

LanguageFile ReadLanguageFile(const std::filesystem::path &file) {
  LanguageFile result;
  result.name = file.filename().string();
  result.bytes = ReadBytes(file);
  std::map<std::string, int> firstLine;
  std::istringstream in(result.bytes);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    const std::string where = "line " + std::to_string(number);
    const auto equals = line.find('=');
    if (equals == std::string::npos) {
      result.formatFaults.push_back(where + " is not identifier=text: \"" + line + "\"");
      continue;
    }
    const std::string identifier = line.substr(0, equals);
    if (!IsIdentifier(identifier)) {
      result.formatFaults.push_back(where + " does not start with a text identifier: \"" + line +
                                    "\"");
      continue;
    }
    const auto [previous, added] = firstLine.emplace(identifier, number);
    if (!added) {
      result.formatFaults.push_back(where + " repeats identifier " + identifier + " of line " +
                                    std::to_string(previous->second));
      continue;
    }
    result.texts[identifier] = line.substr(equals + 1);
  }
  return result;
}

std::vector<std::string> EncodingFaults(const std::string &bytes) {
  std::vector<std::string> faults;
  if (bytes.empty())
    return {"the file is empty"};
  if (bytes.starts_with("\xEF\xBB\xBF"))
    faults.push_back("starts with a UTF-8 byte order mark");
  int line = 1;
  bool anyHighByte = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const std::string where = "line " + std::to_string(line);
    anyHighByte = anyHighByte || byte >= 0x80;
    if (byte == '\r') {
      if (i + 1 >= bytes.size() || bytes[i + 1] != '\n')
        faults.push_back(where + " ends with a CR without LF");
    } else if (byte == '\n') {
      if (i == 0 || bytes[i - 1] != '\r')
        faults.push_back(where + " ends with an LF without CR");
      ++line;
    } else if (byte < 0x20 || byte == 0x7F) {
      faults.push_back(where + " holds the control character " + std::to_string(byte));
    } else if (IsUndefinedIn1252(byte)) {
      faults.push_back(where + " holds byte " + std::to_string(byte) +
                       ", which Windows-1252 does not define");
    }
  }
  if (!bytes.ends_with("\r\n"))
    faults.push_back("the last line does not end with CR LF");
  // Accented text in Windows-1252 is practically never valid UTF-8; a file
  // that is valid UTF-8 was saved in the wrong encoding.
  if (anyHighByte && IsValidUtf8(bytes))
    faults.push_back("the file is UTF-8, not Windows-1252");
  constexpr std::size_t kShown = 5;
  if (faults.size() > kShown) {
    const std::size_t more = faults.size() - kShown;
    faults.resize(kShown);
    faults.push_back("and " + std::to_string(more) + " more");
  }
  return faults;
}

FixedParts FixedPartsOf(const std::string &text) {
  // "%s", "%d", "%5.2f", "%%" and "#1"; "50% of" holds none.
  static const std::regex placeholder(R"(%%|%[-0-9.]*[a-zA-Z]|#[0-9]+)");
  static const std::regex quoted(R"("[^"]*")");
  FixedParts parts;
  parts.placeholders = AllMatches(text, placeholder);
  parts.quoted = AllMatches(text, quoted);
  parts.productNames = Count(text, "Quadrivista");
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&')
      continue;
    if (i + 1 < text.size() && text[i + 1] == '&')
      ++i;
    else
      ++parts.accelerators;
  }
  if (text.ends_with("..."))
    parts.ending = "...";
  else if (!text.empty() && (text.back() == ' ' || text.back() == ':'))
    parts.ending = text.back();
  return parts;
}

std::vector<std::string> NumbersIn(const std::string &text) {
  static const std::regex number("[0-9]+");
  return AllMatches(text, number);
}

std::string JoinNames(const std::vector<std::string> &names) {
  std::string joined;
  for (const auto &name : names)
    joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

} // namespace qv::test
