#pragma once
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// Replaces text identifiers ("35", "232.Duration") by the text of the chosen
// language. The English file is always loaded as the fallback. Files are
// "identifier=text" lines in the system's single-byte code page.
class TLanguageController {
public:
  // `languagesFolder` is the "Languages" folder beside the executable.
  explicit TLanguageController(std::filesystem::path languagesFolder);

  // Replaces the current list by the lines of "<language>.lng"; a missing
  // file leaves it empty.
  void SetLanguage(const std::string &language);

  std::string Translate(const std::string &text) const;

  const std::filesystem::path &LanguagesFolder() const { return folder_; }

private:
  using Lines = std::vector<std::pair<std::string, std::string>>;
  static Lines LoadFile(const std::filesystem::path &file);
  static const std::string *Find(const Lines &lines, const std::string &key);

  std::filesystem::path folder_;
  Lines fallback_;
  Lines current_;
};

} // namespace qv
