#pragma once
// Finds the text identifiers the program's code uses: string literals that
// are a number, optionally followed by "." and a note ("42", L"42",
// "263.Cannot modify #1"), outside comments and outside the test sources.
#include <filesystem>
#include <string>
#include <vector>

namespace qv::test {

struct IdentifierUse {
  std::string identifier; // "263"
  std::string literal;    // "263.Cannot modify #1"
  std::string place;      // "shell/tray_menu.cpp:63"
};

// The string literals of C++ source text with their line numbers; comments
// and character literals are skipped, raw strings are read whole.
struct StringLiteral {
  std::string content;
  int line = 0;
};
std::vector<StringLiteral> StringLiteralsIn(const std::string &source);

// The identifier a literal names, or "" when it names none. A version such as
// "1.2.0" is not an identifier.
std::string IdentifierOf(const std::string &literal);

// Every use in the product's source folders below `root`: each top-level
// folder with a CMakeLists.txt except tests/, and their subfolders, without
// *_test.cpp files and without the files listed in `dataFiles` (paths relative
// to `root`, whose numeric literals are values, not texts).
std::vector<IdentifierUse> ScanIdentifierUses(const std::filesystem::path &root,
                                              const std::vector<std::string> &dataFiles);

} // namespace qv::test
