#pragma once

namespace qv {

inline constexpr const char *kProductName = "Quadrivista";
inline constexpr const char *kVersionText = "1.2.0";

} // namespace qv
