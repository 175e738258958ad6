#include "shell/shortcut_text.h"

#include "shell/text_util.h"

#include <array>
#include <string_view>

namespace qv {
namespace {

using NameTable = std::array<std::string, 256>;

// Names of the keys a shortcut can use. Modifier and Windows keys have none: they only
// ever take part as modifiers. Keys whose caption depends on the keyboard layout are
// named after the US layout, which is what their virtual-key codes are defined by.
NameTable BuildNameTable() {
  NameTable names;
  const std::pair<std::uint8_t, const char *> fixed[] = {
      {vk::kBack, "BkSp"},
      {vk::kTab, "Tab"},
      {0x0C, "Clear"},
      {vk::kReturn, "Enter"},
      {0x13, "Pause"},
      {0x14, "CapsLock"},
      {vk::kEscape, "Esc"},
      {vk::kSpace, "Space"},
      {vk::kPrior, "PgUp"},
      {vk::kNext, "PgDn"},
      {vk::kEnd, "End"},
      {vk::kHome, "Home"},
      {vk::kLeft, "Left"},
      {vk::kUp, "Up"},
      {vk::kRight, "Right"},
      {vk::kDown, "Down"},
      {0x2C, "PrtSc"},
      {vk::kInsert, "Ins"},
      {vk::kDelete, "Del"},
      {0x5D, "Apps"},
      {0x6A, "Num *"},
      {0x6B, "Num +"},
      {0x6D, "Num -"},
      {0x6E, "Num ."},
      {0x6F, "Num /"},
      {0x90, "NumLock"},
      {0x91, "ScrollLock"},
      {0xA6, "BrowserBack"},
      {0xA7, "BrowserForward"},
      {0xA8, "BrowserRefresh"},
      {0xA9, "BrowserStop"},
      {0xAA, "BrowserSearch"},
      {0xAB, "BrowserFavorites"},
      {0xAC, "BrowserHome"},
      {0xAD, "VolumeMute"},
      {0xAE, "VolumeDown"},
      {0xAF, "VolumeUp"},
      {0xB0, "MediaNext"},
      {0xB1, "MediaPrev"},
      {0xB2, "MediaStop"},
      {0xB3, "MediaPlay"},
      {0xB4, "LaunchMail"},
      {0xB5, "LaunchMedia"},
      {0xB6, "LaunchApp1"},
      {0xB7, "LaunchApp2"},
      {0xBA, ";"},
      {0xBB, "="},
      {0xBC, ","},
      {0xBD, "-"},
      {0xBE, "."},
      {0xBF, "/"},
      {0xC0, "`"},
      {0xDB, "["},
      {0xDC, "\\"},
      {0xDD, "]"},
      {0xDE, "'"},
      {0xE2, "Oem102"},
  };
  for (const auto &[code, name] : fixed)
    names[code] = name;
  for (int i = 0; i < 10; ++i) {
    names[vk::k0 + i] = std::string(1, static_cast<char>('0' + i));
    names[vk::kNumpad0 + i] = "Num " + std::to_string(i);
  }
  for (int i = 0; i < 26; ++i)
    names[vk::kA + i] = std::string(1, static_cast<char>('A' + i));
  for (int i = 0; i <= vk::kF24 - vk::kF1; ++i)
    names[vk::kF1 + i] = "F" + std::to_string(i + 1);
  return names;
}

const NameTable &Names() {
  static const NameTable names = BuildNameTable();
  return names;
}

bool ConsumePrefix(std::string_view &text, std::string_view prefix) {
  if (text.size() < prefix.size() || !EqualsIgnoreCase(text.substr(0, prefix.size()), prefix))
    return false;
  text.remove_prefix(prefix.size());
  return true;
}

struct Modifier {
  std::string_view prefix;
  TShortCut flag;
};
constexpr Modifier kModifiers[] = {
    {"Shift+", kShortCutShift}, {"Ctrl+", kShortCutCtrl}, {"Alt+", kShortCutAlt}};

} // namespace

std::string KeyNameText(std::uint8_t virtualKey) {
  return Names()[virtualKey];
}

std::string ShortCutToText(TShortCut shortCut) {
  const std::string &name = Names()[shortCut & kShortCutKeyMask];
  if (name.empty())
    return {};
  std::string text;
  for (const auto &modifier : kModifiers)
    if (shortCut & modifier.flag)
      text += modifier.prefix;
  return text + name;
}

TShortCut TextToShortCut(std::string_view untrimmed) {
  const std::string trimmed = Trim(untrimmed);
  std::string_view text = trimmed;
  TShortCut flags = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto &modifier : kModifiers) {
      if (ConsumePrefix(text, modifier.prefix)) {
        flags |= modifier.flag;
        found = true;
      }
    }
  }
  const NameTable &names = Names();
  for (std::size_t code = 0; code < names.size(); ++code)
    if (!names[code].empty() && EqualsIgnoreCase(names[code], text))
      return static_cast<TShortCut>(flags | code);
  return 0;
}

std::vector<KeyName> NamedKeys() {
  std::vector<KeyName> keys;
  const NameTable &names = Names();
  for (std::size_t code = 0; code < names.size(); ++code)
    if (!names[code].empty())
      keys.push_back({static_cast<std::uint8_t>(code), names[code]});
  return keys;
}

} // namespace qv
