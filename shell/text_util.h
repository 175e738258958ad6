#pragma once
#include <string>
#include <string_view>

namespace qv {

// Trims leading and trailing blanks and control characters (bytes <= 0x20).
std::string Trim(std::string_view text);
// Lower-cases ASCII letters only; other bytes of the code page stay as they are.
std::string AsciiLower(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

} // namespace qv
