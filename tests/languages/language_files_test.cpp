// The language files shipped in languages/: Windows-1252 text with CR LF line
// ends, every translation complete and true to its placeholders, and every
// identifier the program's code uses defined.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>

namespace {

namespace fs = std::filesystem;

const fs::path kSourceRoot = QV_SOURCE_DIR;
const fs::path kLanguageFolder = kSourceRoot / "languages";

// Source files whose numeric string literals are setting values ("0", "750"),
// not text identifiers.
const std::set<std::string> kDataFiles = {"shell/setup.cpp"};

std::string ReadBytes(const fs::path &file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Lower(std::string text) {
  for (char &c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Accented text in Windows-1252 practically never forms UTF-8 sequences; a
// file that holds them was saved in the wrong encoding.
bool HoldsUtf8Letters(const std::string &bytes) {
  static const std::regex sequence("[\xC2-\xDF][\x80-\xBF]|[\xE0-\xEF][\x80-\xBF]{2}");
  return std::regex_search(bytes, sequence);
}

struct LanguageFile {
  std::string name;
  std::map<std::string, std::string> texts; // identifier -> text
  std::vector<std::string> faults;          // encoding and format
};

LanguageFile ReadLanguageFile(const std::string &name) {
  LanguageFile file{name, {}, {}};
  const std::string bytes = ReadBytes(kLanguageFolder / name);
  if (HoldsUtf8Letters(bytes))
    file.faults.push_back("the file is UTF-8, not Windows-1252");
  for (std::size_t start = 0, number = 1; start < bytes.size(); ++number) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      file.faults.push_back("the last line does not end with CR LF");
      end = bytes.size();
    }
    const std::string line = bytes.substr(start, end - start);
    const std::string where = "line " + std::to_string(number);
    start = end + 2;
    // Control characters, a lone CR or LF, and the bytes Windows-1252 leaves undefined.
    static const std::regex unusable(R"([\x00-\x1F\x7F\x81\x8D\x8F\x90\x9D])");
    if (std::regex_search(line, unusable))
      file.faults.push_back(where + " holds a control character or a byte Windows-1252 lacks");
    static const std::regex identifierAndText(R"((0|[1-9][0-9]*)=([\s\S]*))");
    std::smatch match;
    if (!std::regex_match(line, match, identifierAndText))
      file.faults.push_back(where + " is not identifier=text: \"" + line + "\"");
    else if (!file.texts.emplace(match[1].str(), match[2].str()).second)
      file.faults.push_back(where + " repeats identifier " + match[1].str());
  }
  return file;
}

const LanguageFile &English() {
  static const LanguageFile english = ReadLanguageFile("English.lng");
  return english;
}

std::vector<std::string> LanguageFileNames() {
  std::vector<std::string> names;
  for (const auto &entry : fs::directory_iterator(kLanguageFolder))
    if (Lower(entry.path().extension().string()) == ".lng")
      names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// What a translation must keep of the English text, sorted so that word order
// does not matter: placeholders ("%s", "%%", "#1"), quoted names the program
// shows untranslated, the product's name, accelerators ("&&" is a plain
// ampersand) and a trailing blank, ":" or "...".
std::vector<std::string> FixedParts(const std::string &text) {
  static const std::regex part(R"(%%|%[-0-9.]*[a-zA-Z]|#[0-9]+|"[^"]*"|Quadrivista|&&|&)");
  std::vector<std::string> parts;
  for (std::sregex_iterator it(text.begin(), text.end(), part), end; it != end; ++it)
    if (it->str() != "&&")
      parts.push_back(it->str());
  if (text.ends_with("..."))
    parts.push_back("ends with ...");
  else if (text.ends_with(' ') || text.ends_with(':'))
    parts.push_back(std::string("ends with ") + text.back());
  std::sort(parts.begin(), parts.end());
  return parts;
}

class LanguageFileTest : public ::testing::TestWithParam<std::string> {};

TEST_P(LanguageFileTest, IsWellFormedAndTranslatesEveryEnglishTextKeepingItsFixedParts) {
  const LanguageFile file = ReadLanguageFile(GetParam());
  EXPECT_TRUE(file.faults.empty()) << file.name << ": " << testing::PrintToString(file.faults);
  EXPECT_FALSE(file.texts.empty()) << file.name;
  std::vector<std::string> missing, unknown, copied;
  for (const auto &[identifier, english] : English().texts) {
    const auto found = file.texts.find(identifier);
    if (found == file.texts.end() || found->second.empty()) {
      missing.push_back(identifier);
      continue;
    }
    const std::string &text = found->second;
    if (text == english)
      copied.push_back(identifier);
    const std::string context =
        file.name + " " + identifier + "=" + text + "\n  English: " + english;
    EXPECT_EQ(FixedParts(text), FixedParts(english)) << context;
  }
  for (const auto &[identifier, text] : file.texts)
    if (!English().texts.contains(identifier))
      unknown.push_back(identifier);
  EXPECT_TRUE(missing.empty()) << file.name << " has no text for "
                               << testing::PrintToString(missing);
  EXPECT_TRUE(unknown.empty()) << file.name << " has identifiers English.lng lacks: "
                               << testing::PrintToString(unknown);
  // Names and words the languages share ("Quadrivista", "OK") stay the same;
  // a file that is mostly English was left untranslated.
  if (file.name != "English.lng") {
    EXPECT_LT(copied.size() * 4, file.texts.size())
        << file.name << " keeps the English text of " << testing::PrintToString(copied);
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFileTest, ::testing::ValuesIn(LanguageFileNames()),
                         [](const auto &info) { return fs::path(info.param).stem().string(); });

// The text identifiers of C++ source: string literals that are a number,
// optionally followed by "." and a note ("42", L"42", "263.Cannot modify #1"),
// outside comments and character literals, with the line each stands on.
std::vector<std::pair<std::string, int>> IdentifiersIn(const std::string &source) {
  static const std::regex identifier(R"(([0-9]+)(\..*)?)"), version(R"([0-9]+(\.[0-9]+)+)");
  static const std::set<std::string> rawPrefixes = {"R", "LR", "uR", "UR", "u8R"};
  static const std::set<std::string> charPrefixes = {"", "L", "u", "U", "u8"};
  std::vector<std::pair<std::string, int>> found;
  const auto literal = [&](const std::string &content, int line) {
    std::smatch match;
    if (std::regex_match(content, match, identifier) && !std::regex_match(content, version))
      found.emplace_back(match[1].str(), line);
  };
  int line = 1;
  for (std::size_t i = 0; i < source.size();) {
    const char c = source[i];
    std::size_t word = i;
    while (word > 0 &&
           (std::isalnum(static_cast<unsigned char>(source[word - 1])) || source[word - 1] == '_'))
      --word;
    const std::string prefix = c == '"' || c == '\'' ? source.substr(word, i - word) : "";
    std::size_t next = i + 1;
    if (source.compare(i, 2, "//") == 0) {
      next = std::min(source.find('\n', i), source.size());
    } else if (source.compare(i, 2, "/*") == 0) {
      next = std::min(source.find("*/", i + 2), source.size() - 2) + 2;
    } else if (c == '"' && rawPrefixes.contains(prefix)) {
      const std::size_t open = std::min(source.find('(', i), source.size() - 1);
      const std::string closing = ")" + source.substr(i + 1, open - i - 1) + "\"";
      const std::size_t end = std::min(source.find(closing, open), source.size());
      literal(source.substr(open + 1, end - open - 1), line);
      next = std::min(end + closing.size(), source.size());
    } else if (c == '"' || (c == '\'' && charPrefixes.contains(prefix))) {
      std::size_t end = i + 1; // a quote after other words is a digit separator, as in 1'000
      while (end < source.size() && source[end] != c && source[end] != '\n')
        end += source[end] == '\\' ? 2 : 1;
      if (c == '"')
        literal(source.substr(i + 1, std::min(end, source.size()) - i - 1), line);
      next = std::min(end + 1, source.size());
    }
    line += static_cast<int>(std::count(source.data() + i, source.data() + next, '\n'));
    i = next;
  }
  return found;
}

// Every other file is held to English.lng above, so English.lng stands for all.
TEST(ProgramSources, UseOnlyIdentifiersThatTheLanguageFilesDefine) {
  int uses = 0;
  for (const auto &folder : fs::directory_iterator(kSourceRoot)) {
    if (!folder.is_directory() || folder.path().filename() == "tests" ||
        !fs::exists(folder.path() / "CMakeLists.txt"))
      continue;
    for (const auto &entry : fs::recursive_directory_iterator(folder.path())) {
      const std::string relative = entry.path().lexically_relative(kSourceRoot).generic_string();
      const std::string extension = entry.path().extension().string();
      if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h") ||
          relative.ends_with("_test.cpp") || kDataFiles.contains(relative))
        continue;
      for (const auto &[identifier, line] : IdentifiersIn(ReadBytes(entry.path()))) {
        ++uses;
        const auto found = English().texts.find(identifier);
        EXPECT_TRUE(found != English().texts.end() && !found->second.empty())
            << "English.lng lacks " << identifier << ", used at " << relative << ":" << line
            << " (if that literal is a value, not a text, list its file in kDataFiles)";
      }
    }
  }
  EXPECT_GT(uses, 0) << "no text identifiers found under " << kSourceRoot;
}

} // namespace
