#pragma once
#include "shell/setup_enums.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace qv {

class TSetup;

// What the desktop-names page edits. Desktops are numbered 1 to 6 (index 0 unused).
struct DesktopNamesValues {
  std::array<std::string, kDesktopCount + 1> names; // display names on show, as typed on accept
  bool showMenus = false;

  static DesktopNamesValues Read(const TSetup &setup);
  // An empty name makes the display name "Desktop N" again.
  void Write(TSetup &setup) const;
};

// The privacy levels the page offers, as text identifiers in level order.
const std::array<std::string, 3> &PrivacyLevelCaptions();

// What the privacy page edits: the six levels and the password it will
// store, which starts as the stored one and changes with "Change password".
struct PrivacyPageValues {
  std::array<int, kDesktopCount + 1> levels{};
  std::string pendingPassword;

  static PrivacyPageValues Read(const TSetup &setup);
  // The password is stored trimmed of blanks and control characters.
  void Write(TSetup &setup) const;
};

// The rows of the rules page: each rule's name and the display name of its
// desktop (the raw value when it names no desktop number).
std::vector<std::pair<std::string, std::string>> RuleRows(const std::vector<std::string> &rules,
                                                          const TSetup &setup);

// The distinct non-empty names, in their first order.
std::vector<std::string> DistinctNames(const std::vector<std::string> &names);

} // namespace qv
