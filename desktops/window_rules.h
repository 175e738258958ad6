#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class TDesktop;
class TManagedWindow;

// Rules are "name=value" lines: an executable file name (compared without
// regard to case) and the index of the target desktop, "0" to "5".

// The value of the first line whose name equals the process name; empty
// when there is none.
std::string RuleValueFor(const std::vector<std::string> &rules, std::string_view processName);

// The desktop index the value names, only when it is exactly "0" to "5".
std::optional<int> RuleDesktopIndex(std::string_view value);

// Makes the name's rule send its windows to the desktop of the index: the
// first line with that name (letter case ignored) is replaced, or a line is
// added at the end.
void SetRule(std::vector<std::string> &rules, const std::string &name, int desktopIndex);

// Sends a newly discovered window to the desktop its program's rule names
// (hidden at once unless that is its desktop already).
void ApplyWindowRules(TManagedWindow &window, const std::vector<std::string> &rules,
                      const std::array<TDesktop *, 6> &desktops);

} // namespace qv
