#include "shell/startup_balloon.h"

#include "shell/language.h"
#include "shell/setup.h"
#include "shell/version.h"

namespace qv {

std::string FormatWithText(const std::string &format, const std::string &argument) {
  std::string result;
  bool substituted = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      const char next = format[i + 1];
      if (next == '%') {
        result += '%';
        ++i;
        continue;
      }
      if (next == 's' && !substituted) {
        result += argument;
        substituted = true;
        ++i;
        continue;
      }
    }
    result += format[i];
  }
  return result;
}

std::string StartupBalloonText(const TSetup &setup, const TLanguageController &language) {
  const std::pair<TShortCut, const char *> lines[] = {{setup.CubeHotKey, "170"},
                                                      {setup.ExposerHotKey, "171"},
                                                      {setup.ExplorerHotKey, "194"},
                                                      {setup.FlipHotKey, "269"},
                                                      {setup.CarouselHotKey, "292"}};
  std::string text;
  for (std::size_t i = 0; i < std::size(lines); ++i) {
    const auto &[shortCut, identifier] = lines[i];
    if (shortCut == 0)
      continue;
    // The cube's line is set apart by an empty line.
    text += i == 0 ? "\r\r" : "\r";
    text += FormatWithText(language.Translate(identifier), ShortCutToText(shortCut));
  }
  return text;
}

std::string StartupBalloonTitle() {
  return std::string(kProductName) + " " + kVersionText;
}

} // namespace qv
