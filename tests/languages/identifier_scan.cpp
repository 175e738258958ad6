#include "tests/languages/identifier_scan.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>

namespace qv::test {

namespace {

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The identifier characters right before `at` ("u8R" before a raw string).
std::string WordBefore(const std::string &text, std::size_t at) {
  std::size_t start = at;
  while (start > 0 && IsWordChar(text[start - 1]))
    --start;
  return text.substr(start, at - start);
}

bool IsCharLiteralPrefix(const std::string &word) {
  return word.empty() || word == "L" || word == "u" || word == "U" || word == "u8";
}

bool IsRawStringPrefix(const std::string &word) {
  return word == "R" || word == "LR" || word == "uR" || word == "UR" || word == "u8R";
}

bool IsSourceFile(const std::filesystem::path &file) {
  const std::string extension = file.extension().string();
  const std::string name = file.filename().string();
  return (extension == ".cpp" || extension == ".h" || extension == ".hpp" || extension == ".cc") &&
         !name.ends_with("_test.cpp");
}

std::string ReadText(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

std::vector<StringLiteral> StringLiteralsIn(const std::string &source) {
  std::vector<StringLiteral> literals;
  int line = 1;
  const auto advanceTo = [&](std::size_t from, std::size_t to) {
    line += static_cast<int>(std::count(source.begin() + static_cast<std::ptrdiff_t>(from),
                                        source.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
  };
  std::size_t i = 0;
  while (i < source.size()) {
    const char c = source[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (source.compare(i, 2, "//") == 0) {
      i = std::min(source.find('\n', i), source.size());
    } else if (source.compare(i, 2, "/*") == 0) {
      const std::size_t end = std::min(source.find("*/", i + 2), source.size());
      advanceTo(i, end);
      i = std::min(end + 2, source.size());
    } else if (c == '\'' && !IsCharLiteralPrefix(WordBefore(source, i))) {
      ++i; // a digit separator, as in 1'000
    } else if (c == '\'' || c == '"') {
      const std::size_t start = i;
      if (c == '"' && IsRawStringPrefix(WordBefore(source, i))) {
        const std::size_t open = source.find('(', i);
        if (open == std::string::npos)
          break;
        const std::string closing = ")" + source.substr(i + 1, open - i - 1) + "\"";
        const std::size_t end = std::min(source.find(closing, open), source.size());
        literals.push_back({source.substr(open + 1, end - open - 1), line});
        i = std::min(end + closing.size(), source.size());
      } else {
        std::size_t j = i + 1;
        while (j < source.size() && source[j] != c && source[j] != '\n')
          j += source[j] == '\\' ? 2 : 1;
        if (c == '"')
          literals.push_back({source.substr(i + 1, std::min(j, source.size()) - i - 1), line});
        i = std::min(j + 1, source.size());
      }
      advanceTo(start, i);
    } else {
      ++i;
    }
  }
  return literals;
}

std::string IdentifierOf(const std::string &literal) {
  static const std::regex identifier(R"(([0-9]+)(\..*)?)");
  static const std::regex version(R"([0-9]+(\.[0-9]+)+)");
  std::smatch match;
  if (!std::regex_match(literal, match, identifier) || std::regex_match(literal, version))
    return {};
  return match[1].str();
}

std::vector<IdentifierUse> ScanIdentifierUses(const std::filesystem::path &root,
                                              const std::vector<std::string> &dataFiles) {
  std::vector<std::filesystem::path> files;
  for (const auto &folder : std::filesystem::directory_iterator(root)) {
    if (!folder.is_directory() || folder.path().filename() == "tests" ||
        !std::filesystem::exists(folder.path() / "CMakeLists.txt"))
      continue;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder.path()))
      if (entry.is_regular_file() && IsSourceFile(entry.path()))
        files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());

  std::vector<IdentifierUse> uses;
  for (const auto &file : files) {
    const std::string relative = file.lexically_relative(root).generic_string();
    if (std::find(dataFiles.begin(), dataFiles.end(), relative) != dataFiles.end())
      continue;
    for (const auto &literal : StringLiteralsIn(ReadText(file))) {
      const std::string identifier = IdentifierOf(literal.content);
      if (!identifier.empty())
        uses.push_back(
            {identifier, literal.content, relative + ":" + std::to_string(literal.line)});
    }
  }
  return uses;
}

} // namespace qv::test
