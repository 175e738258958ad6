#pragma once

namespace qv {

// The product's web pages that the tray menu and the settings window open.
inline constexpr const wchar_t *kFeaturesPage = L"https://www.quadrivista.net/features";
inline constexpr const wchar_t *kForumPage = L"https://www.quadrivista.net/forum";
inline constexpr const wchar_t *kHelpPage = L"https://www.quadrivista.net/help";

} // namespace qv
