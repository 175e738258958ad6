#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A keyboard shortcut: virtual-key code in the low byte plus modifier flags; 0 is none.
using TShortCut = std::uint16_t;

inline constexpr TShortCut kShortCutShift = 0x2000;
inline constexpr TShortCut kShortCutCtrl = 0x4000;
inline constexpr TShortCut kShortCutAlt = 0x8000;
inline constexpr TShortCut kShortCutKeyMask = 0x00FF;

// Virtual-key codes used by name elsewhere (the values of the Windows VK_ constants).
namespace vk {
inline constexpr std::uint8_t kBack = 0x08;
inline constexpr std::uint8_t kTab = 0x09;
inline constexpr std::uint8_t kReturn = 0x0D;
inline constexpr std::uint8_t kEscape = 0x1B;
inline constexpr std::uint8_t kSpace = 0x20;
inline constexpr std::uint8_t kPrior = 0x21;
inline constexpr std::uint8_t kNext = 0x22;
inline constexpr std::uint8_t kEnd = 0x23;
inline constexpr std::uint8_t kHome = 0x24;
inline constexpr std::uint8_t kLeft = 0x25;
inline constexpr std::uint8_t kUp = 0x26;
inline constexpr std::uint8_t kRight = 0x27;
inline constexpr std::uint8_t kDown = 0x28;
inline constexpr std::uint8_t kInsert = 0x2D;
inline constexpr std::uint8_t kDelete = 0x2E;
inline constexpr std::uint8_t k0 = 0x30;
inline constexpr std::uint8_t kA = 0x41;
inline constexpr std::uint8_t kNumpad0 = 0x60;
inline constexpr std::uint8_t kF1 = 0x70;
inline constexpr std::uint8_t kF24 = 0x87;
} // namespace vk

struct KeyName {
  std::uint8_t virtualKey;
  std::string name;
};

// The menu text of a shortcut, e.g. "Ctrl+F8" or "Shift+Alt+Num 5": modifier prefixes in
// the order "Shift+", "Ctrl+", "Alt+", then the key's name. Empty for none or an unnamed key.
std::string ShortCutToText(TShortCut shortCut);

// The shortcut a menu text stands for; prefixes (in any order) and key names are matched
// without regard to letter case and surrounding blanks. 0 when the text names no key.
TShortCut TextToShortCut(std::string_view text);

// The name of a virtual-key code ("" when it has none).
std::string KeyNameText(std::uint8_t virtualKey);

// Every virtual-key code that has a name, in ascending code order.
std::vector<KeyName> NamedKeys();

} // namespace qv
