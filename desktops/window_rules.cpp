#include "desktops/window_rules.h"

#include "desktops/managed_window.h"
#include "shell/text_util.h"

namespace qv {

std::string RuleValueFor(const std::vector<std::string> &rules, std::string_view processName) {
  for (const std::string &line : rules) {
    const auto equals = line.find('=');
    if (equals == std::string::npos)
      continue;
    if (EqualsIgnoreCase(std::string_view(line).substr(0, equals), processName))
      return line.substr(equals + 1);
  }
  return {};
}

void SetRule(std::vector<std::string> &rules, const std::string &name, int desktopIndex) {
  const std::string line = name + "=" + std::to_string(desktopIndex);
  for (std::string &existing : rules) {
    const auto equals = existing.find('=');
    if (equals != std::string::npos &&
        EqualsIgnoreCase(std::string_view(existing).substr(0, equals), name)) {
      existing = line;
      return;
    }
  }
  rules.push_back(line);
}

std::optional<int> RuleDesktopIndex(std::string_view value) {
  if (value.size() == 1 && value[0] >= '0' && value[0] <= '5')
    return value[0] - '0';
  return std::nullopt;
}

void ApplyWindowRules(TManagedWindow &window, const std::vector<std::string> &rules,
                      const std::array<TDesktop *, 6> &desktops) {
  const auto index = RuleDesktopIndex(RuleValueFor(rules, window.ProcessName));
  if (index && desktops[*index])
    window.MoveToDesktop(desktops[*index]);
}

} // namespace qv
