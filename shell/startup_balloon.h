#pragma once
#include <string>

namespace qv {

class TSetup;
class TLanguageController;

// Replaces the first "%s" of a translated format text by `argument` and "%%"
// by "%". Translations are data, so nothing else in them is interpreted.
std::string FormatWithText(const std::string &format, const std::string &argument);

// The start-up balloon's text: one line for each effect shortcut that is set.
std::string StartupBalloonText(const TSetup &setup, const TLanguageController &language);

// The balloon's title: the product name and its version.
std::string StartupBalloonTitle();

} // namespace qv
