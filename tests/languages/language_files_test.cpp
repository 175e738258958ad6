// The language files shipped in languages/: well-formed Windows-1252 text,
// every translation complete for the English identifiers and true to their
// placeholders, and every identifier the program's code uses present in all
// of them. Failures name the file, the identifiers and where code uses them.
#include "tests/languages/identifier_scan.h"
#include "tests/languages/language_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace qv::test {
namespace {

const std::filesystem::path kSourceRoot = QV_SOURCE_DIR;
const std::filesystem::path kLanguageFolder = kSourceRoot / "languages";

// The names the language setting holds; the program opens "<name>.lng" in a
// case-insensitive file system, the fallback as "English.lng".
const char *const kLanguageNames[] = {"english",   "spanish", "italian",
                                      "portugues", "german",  "french"};

// Source files whose numeric string literals are setting values ("0", "750"),
// not text identifiers.
const std::vector<std::string> kDataFiles = {"shell/setup.cpp"};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::vector<std::string> LanguageFileNames(bool withEnglish) {
  std::vector<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(kLanguageFolder)) {
    const std::string name = entry.path().filename().string();
    if (Lower(entry.path().extension().string()) == ".lng" &&
        (withEnglish || name != "English.lng"))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

const LanguageFile &English() {
  static const LanguageFile english = ReadLanguageFile(kLanguageFolder / "English.lng");
  return english;
}

std::string TestName(const ::testing::TestParamInfo<std::string> &info) {
  return std::filesystem::path(info.param).stem().string();
}

TEST(LanguageFolder, HoldsOneFileForEachLanguageWhateverTheCaseOfItsName) {
  ASSERT_TRUE(std::filesystem::exists(kLanguageFolder / "English.lng"));
  const auto files = LanguageFileNames(true);
  for (const std::string name : kLanguageNames) {
    const auto matching = std::count_if(files.begin(), files.end(), [&](const std::string &file) {
      return Lower(file) == name + ".lng";
    });
    EXPECT_EQ(matching, 1) << "files that \"" << name << "\" opens";
  }
}

class LanguageFileTest : public ::testing::TestWithParam<std::string> {
protected:
  LanguageFile file_ = ReadLanguageFile(kLanguageFolder / GetParam());
};

TEST_P(LanguageFileTest, IsWindows1252TextWithOneIdentifierAndTextPerCrLfLine) {
  const auto encoding = EncodingFaults(file_.bytes);
  EXPECT_TRUE(encoding.empty()) << file_.name << ": " << JoinNames(encoding);
  EXPECT_TRUE(file_.formatFaults.empty()) << file_.name << ": " << JoinNames(file_.formatFaults);
  EXPECT_FALSE(file_.texts.empty()) << file_.name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFileTest, ::testing::ValuesIn(LanguageFileNames(true)),
                         TestName);

class TranslationTest : public LanguageFileTest {};

TEST_P(TranslationTest, HasATextForEveryEnglishIdentifierAndNoOthers) {
  std::vector<std::string> missing, empty, unknown;
  for (const auto &[identifier, text] : English().texts) {
    const auto found = file_.texts.find(identifier);
    if (found == file_.texts.end())
      missing.push_back(identifier);
    else if (found->second.empty())
      empty.push_back(identifier);
  }
  for (const auto &[identifier, text] : file_.texts)
    if (!English().texts.contains(identifier))
      unknown.push_back(identifier);
  EXPECT_TRUE(missing.empty()) << file_.name << " lacks " << JoinNames(missing);
  EXPECT_TRUE(empty.empty()) << file_.name << " has no text for " << JoinNames(empty);
  EXPECT_TRUE(unknown.empty()) << file_.name
                               << " has identifiers English.lng does not: " << JoinNames(unknown);
}

TEST_P(TranslationTest, KeepsThePlaceholdersNumbersAndFixedPartsOfTheEnglishTexts) {
  for (const auto &[identifier, english] : English().texts) {
    const auto found = file_.texts.find(identifier);
    if (found == file_.texts.end())
      continue;
    const std::string &text = found->second;
    const FixedParts expected = FixedPartsOf(english);
    const FixedParts actual = FixedPartsOf(text);
    const std::string context =
        file_.name + " " + identifier + "=" + text + "\n  English: " + english;
    EXPECT_EQ(actual.placeholders, expected.placeholders) << context;
    EXPECT_EQ(actual.quoted, expected.quoted) << context;
    EXPECT_EQ(actual.productNames, expected.productNames) << context;
    EXPECT_EQ(actual.accelerators, expected.accelerators) << context;
    EXPECT_EQ(actual.ending, expected.ending) << context;
    const auto englishNumbers = NumbersIn(english);
    const auto numbers = NumbersIn(text);
    EXPECT_TRUE(
        std::includes(numbers.begin(), numbers.end(), englishNumbers.begin(), englishNumbers.end()))
        << "numbers dropped: " << context;
  }
}

TEST_P(TranslationTest, IsMostlyTranslatedRatherThanCopiedFromEnglish) {
  // Names and words the languages share ("Quadrivista", "OK", "Desktop")
  // stay the same; a file that is mostly English was left untranslated.
  std::vector<std::string> copied;
  for (const auto &[identifier, text] : file_.texts)
    if (English().texts.contains(identifier) && English().texts.at(identifier) == text)
      copied.push_back(identifier);
  EXPECT_LT(copied.size() * 4, file_.texts.size())
      << file_.name << " keeps the English text of " << JoinNames(copied);
}

INSTANTIATE_TEST_SUITE_P(Shipped, TranslationTest, ::testing::ValuesIn(LanguageFileNames(false)),
                         TestName);

TEST(IdentifierScan, ReadsLiteralsButNotCommentsCharactersOrVersions) {
  const std::string source = "// \"11\" in a comment\n"
                             "/* \"12\"\n \"13\" */ Caption(L\"42\"); char q = '\"';\n"
                             "Item(\"13.3d cube\", 1'000); auto v = \"1.2.0\";\n"
                             "auto raw = R\"x(\"14\")x\"; Use(\"35\");\n";
  std::vector<std::pair<std::string, int>> found;
  for (const auto &literal : StringLiteralsIn(source))
    if (const auto identifier = IdentifierOf(literal.content); !identifier.empty())
      found.emplace_back(identifier, literal.line);
  const std::vector<std::pair<std::string, int>> expected = {{"42", 3}, {"13", 4}, {"35", 5}};
  EXPECT_EQ(found, expected);
}

TEST(ProgramSources, UseOnlyIdentifiersThatEveryLanguageFileDefines) {
  const auto uses = ScanIdentifierUses(kSourceRoot, kDataFiles);
  ASSERT_FALSE(uses.empty()) << "no text identifiers found under " << kSourceRoot;
  for (const auto &name : LanguageFileNames(true)) {
    const LanguageFile file = ReadLanguageFile(kLanguageFolder / name);
    for (const auto &use : uses) {
      const auto found = file.texts.find(use.identifier);
      EXPECT_TRUE(found != file.texts.end() && !found->second.empty())
          << name << " lacks " << use.identifier << ", used as \"" << use.literal << "\" at "
          << use.place << " (if that literal is a value, not a text, list its file in kDataFiles)";
    }
  }
}

} // namespace
} // namespace qv::test
