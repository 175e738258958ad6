#pragma once
// A language file as shipped: "identifier=text" lines in Windows-1252 with
// CR LF line ends, and the parts of a text that a translation must keep.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qv::test {

struct LanguageFile {
  std::string name;                         // "German.lng"
  std::string bytes;                        // the whole file as stored
  std::map<std::string, std::string> texts; // identifier -> text
  std::vector<std::string> formatFaults;    // malformed or repeated lines
};

LanguageFile ReadLanguageFile(const std::filesystem::path &file);

// What keeps the bytes from being Windows-1252 text with CR LF line ends:
// bytes the code page leaves undefined, control characters, lone CR or LF, a
// missing line end after the last line, or a file that is really UTF-8.
std::vector<std::string> EncodingFaults(const std::string &bytes);

// The parts of an English text that its translation must keep, each kind
// sorted so that the order within the sentence does not matter.
struct FixedParts {
  std::vector<std::string> placeholders; // "%s", "%d", "%%", "#1"
  std::vector<std::string> quoted;       // "\"Send to\"": names the program shows untranslated
  int productNames = 0;                  // "Quadrivista"
  int accelerators = 0;                  // "&x" (a doubled "&&" is a plain ampersand)
  std::string ending;                    // a trailing blank, ":" or "..."
};

FixedParts FixedPartsOf(const std::string &text);

// The numbers written in digits ("1", "3" of "3D", "1", "2", "0" of "1.2.0"), sorted.
std::vector<std::string> NumbersIn(const std::string &text);

// Names the identifiers joined by ", ".
std::string JoinNames(const std::vector<std::string> &names);

} // namespace qv::test
