#include "shell/settings/desktop_page_values.h"

#include "shell/setup.h"
#include "shell/text_util.h"

#include <algorithm>
#include <charconv>

namespace qv {

DesktopNamesValues DesktopNamesValues::Read(const TSetup &setup) {
  DesktopNamesValues values;
  for (int n = 1; n <= kDesktopCount; ++n)
    values.names[static_cast<std::size_t>(n)] = setup.DisplayName(n);
  values.showMenus = setup.GeneralShowMenus;
  return values;
}

void DesktopNamesValues::Write(TSetup &setup) const {
  setup.GeneralShowMenus = showMenus;
  for (int n = 1; n <= kDesktopCount; ++n)
    setup.DesktopName[static_cast<std::size_t>(n)] = names[static_cast<std::size_t>(n)];
}

const std::array<std::string, 3> &PrivacyLevelCaptions() {
  static const std::array<std::string, 3> captions = {"259", "260", "261"};
  return captions;
}

PrivacyPageValues PrivacyPageValues::Read(const TSetup &setup) {
  PrivacyPageValues values;
  for (int n = 1; n <= kDesktopCount; ++n)
    values.levels[static_cast<std::size_t>(n)] = setup.DesktopPrivacy[static_cast<std::size_t>(n)];
  values.pendingPassword = setup.DesktopPassword;
  return values;
}

void PrivacyPageValues::Write(TSetup &setup) const {
  for (int n = 1; n <= kDesktopCount; ++n)
    setup.DesktopPrivacy[static_cast<std::size_t>(n)] = levels[static_cast<std::size_t>(n)];
  setup.DesktopPassword = Trim(pendingPassword);
}

namespace {

std::string RuleDesktopText(const TSetup &setup, std::string_view value) {
  const std::string trimmed = Trim(value);
  int index = 0;
  const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), index);
  if (trimmed.empty() || error != std::errc() || end != trimmed.data() + trimmed.size() ||
      index < 0 || index >= 1000)
    return std::string(value);
  return setup.DisplayName(index + 1);
}

} // namespace

std::vector<std::pair<std::string, std::string>> RuleRows(const std::vector<std::string> &rules,
                                                          const TSetup &setup) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const std::string &line : rules) {
    const auto equals = line.find('=');
    const std::string name = line.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
    rows.emplace_back(name, RuleDesktopText(setup, value));
  }
  return rows;
}

std::vector<std::string> DistinctNames(const std::vector<std::string> &names) {
  std::vector<std::string> distinct;
  for (const std::string &name : names)
    if (!name.empty() && std::find(distinct.begin(), distinct.end(), name) == distinct.end())
      distinct.push_back(name);
  return distinct;
}

} // namespace qv
