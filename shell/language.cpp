#include "shell/language.h"

#include "shell/text_util.h"

#include <algorithm>
#include <fstream>

namespace qv {

TLanguageController::TLanguageController(std::filesystem::path languagesFolder)
    : folder_(std::move(languagesFolder)), fallback_(LoadFile(folder_ / "English.lng")) {}

void TLanguageController::SetLanguage(const std::string &language) {
  current_.clear();
  // A stored name must not lead the path out of the folder.
  const bool plainName = !language.empty() && language != "." && language != ".." &&
                         language.find_first_of("/\\:") == std::string::npos &&
                         std::none_of(language.begin(), language.end(),
                                      [](char c) { return static_cast<unsigned char>(c) < ' '; });
  if (!plainName)
    return;
  const std::filesystem::path file = folder_ / (language + ".lng");
  std::error_code ignored;
  if (std::filesystem::is_regular_file(file, ignored) &&
      std::filesystem::equivalent(file.parent_path(), folder_, ignored))
    current_ = LoadFile(file);
}

TLanguageController::Lines TLanguageController::LoadFile(const std::filesystem::path &file) {
  Lines lines;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    const auto equals = line.find('=');
    if (equals == std::string::npos)
      continue;
    lines.emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
  return lines;
}

const std::string *TLanguageController::Find(const Lines &lines, const std::string &key) {
  for (const auto &[name, value] : lines)
    if (EqualsIgnoreCase(name, key))
      return &value;
  return nullptr;
}

std::string TLanguageController::Translate(const std::string &text) const {
  const std::string keyPart = text.substr(0, text.find('.'));
  const std::string key = Trim(AsciiLower(keyPart));
  if (key.empty())
    return {};
  const std::string *value = Find(current_, key);
  if (!value)
    value = Find(fallback_, key);
  if (!value || value->empty())
    return text;
  return *value;
}

} // namespace qv
