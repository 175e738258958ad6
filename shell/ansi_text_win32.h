#pragma once
#include <string>
#include <string_view>

namespace qv {

// Settings and language files hold text in the system's single-byte code
// page; the user interface works in UTF-16.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

} // namespace qv
