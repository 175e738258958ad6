#include "shell/setup.h"

#include "shell/text_util.h"

#include <charconv>
#include <stdexcept>
#include <variant>

namespace qv {
namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::optional<int> ParseInt(std::string_view text) {
  if (!text.empty() && text.front() == '+')
    text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

// One stored key: where its value lives and its default in stored form.
using FieldRef =
    std::variant<bool *, int *, std::string *, TShortCut *, std::vector<std::string> *>;
struct Binding {
  std::string name;
  FieldRef field;
  std::string_view fallback;
};

// Every key in the order it is appended to Values when not stored yet.
std::vector<Binding> Bindings(TSetup &s) {
  std::vector<Binding> keys = {
      {"GeneralEnableHotKeys", &s.GeneralEnableHotKeys, "1"},
      {"GeneralEnableGestures", &s.GeneralEnableGestures, "1"},
      {"GeneralEnableHotZones", &s.GeneralEnableHotZones, "1"},
      {"GeneralRunAtStartup", &s.GeneralRunAtStartup, "0"},
      {"GeneralLanguage", &s.GeneralLanguage, "english"},
      {"GeneralShowControls", &s.GeneralShowControls, "1"},
      {"GeneralShowMenus", &s.GeneralShowMenus, "1"},
      {"GeneralShowBalloon", &s.GeneralShowBalloon, "1"},

      {"DesktopEnableMultipleWallpapers", &s.DesktopEnableMultipleWallpapers, "1"},
      {"DesktopEnableMultipleIcons", &s.DesktopEnableMultipleIcons, "0"},
      {"DesktopWaitWallpaper", &s.DesktopWaitWallpaper, "1"},
      {"DesktopEnableRules", &s.DesktopEnableRules, "0"},
      {"DesktopRules", &s.Rules, ""},
      {"OSDEnable", &s.OSDEnable, "1"},
      {"OSDTimeout", &s.OSDTimeout, "2"},
  };
  for (int n = 1; n <= kStoredDesktopCount; ++n)
    keys.push_back({"Desktop" + std::to_string(n) + "Name", &s.DesktopName[n], ""});
  for (int n = 1; n <= kStoredDesktopCount; ++n)
    keys.push_back({"Desktop" + std::to_string(n) + "Privacy", &s.DesktopPrivacy[n], "0"});

  const Binding rest[] = {
      {"DesktopPassword", &s.DesktopPassword, ""},

      {"HotCorner1Action", &s.HotCorner1Action, "10"},
      {"HotCorner2Action", &s.HotCorner2Action, "0"},
      {"HotCorner3Action", &s.HotCorner3Action, "0"},
      {"HotCorner4Action", &s.HotCorner4Action, "0"},
      {"HotCorner5Action", &s.HotCorner5Action, "9"},
      {"HotCorner6Action", &s.HotCorner6Action, "0"},
      {"HotCorner7Action", &s.HotCorner7Action, "0"},
      {"HotCorner8Action", &s.HotCorner8Action, "0"},
      {"HotCornerSensibility", &s.HotCornerSensibility, "0"},

      {"PerformanceLevel", &s.PerformanceLevel, "1"},
      {"PerformanceLivePreview", &s.PerformanceLivePreview, "1"},
      {"PerformanceLivePreviewRate", &s.PerformanceLivePreviewRate, "75"},
      {"PerformanceReflection", &s.PerformanceReflection, "1"},
      {"PerformanceAntialiasing", &s.PerformanceAntialiasing, "1"},
      {"PerformanceLighting", &s.PerformanceLighting, "0"},
      {"PerformanceTransparentWindows", &s.PerformanceTransparentWindows, "1"},
      {"PerformanceWaterDrop", &s.PerformanceWaterDrop, "1"},

      {"Desktop1HotKey", &s.Desktop1HotKey, "Ctrl+1"},
      {"Desktop1Gesture", &s.Desktop1Gesture, ""},
      {"Desktop2HotKey", &s.Desktop2HotKey, "Ctrl+2"},
      {"Desktop2Gesture", &s.Desktop2Gesture, ""},
      {"Desktop3HotKey", &s.Desktop3HotKey, "Ctrl+3"},
      {"Desktop3Gesture", &s.Desktop3Gesture, ""},
      {"Desktop4HotKey", &s.Desktop4HotKey, "Ctrl+4"},
      {"Desktop4Gesture", &s.Desktop4Gesture, ""},
      {"Desktop5HotKey", &s.Desktop5HotKey, "Ctrl+5"},
      {"Desktop5Gesture", &s.Desktop5Gesture, ""},
      {"Desktop6HotKey", &s.Desktop6HotKey, "Ctrl+6"},
      {"Desktop6Gesture", &s.Desktop6Gesture, ""},
      {"NextDesktopHotKey", &s.NextDesktopHotKey, "Ctrl+0"},
      {"NextDesktopGesture", &s.NextDesktopGesture, ""},
      {"PrevDesktopHotKey", &s.PrevDesktopHotKey, "Ctrl+9"},
      {"PrevDesktopGesture", &s.PrevDesktopGesture, ""},

      {"ControlMouseWheelEffect", &s.ControlMouseWheelEffect, "1"},
      {"ControlMouseWheelAction", &s.ControlMouseWheelAction, "0"},
      {"ControlSpecialKey1Effect", &s.ControlSpecialKey1Effect, "1"},
      {"ControlSpecialKey2Effect", &s.ControlSpecialKey2Effect, "0"},
      {"ControlSpecialKey3Effect", &s.ControlSpecialKey3Effect, "0"},
      {"AnimationIn", &s.AnimationIn, "0"},
      {"AnimationOut", &s.AnimationOut, "0"},
      {"AnimationElasticity", &s.AnimationElasticity, "75"},
      {"AnimationZoomFactor", &s.AnimationZoomFactor, "50"},

      {"CubeHotKey", &s.CubeHotKey, "F11"},
      {"CubeGesture", &s.CubeGesture, "D"},
      {"CubeAppearance", &s.CubeAppearance, "0"},
      {"CubeEdgeMovement", &s.CubeEdgeMovement, "1"},
      {"CubeEnableTransparency", &s.CubeEnableTransparency, "1"},
      {"CubeTransparency", &s.CubeTransparency, "75"},
      {"CubeDistance", &s.CubeDistance, "50"},
      {"CubeDuration", &s.CubeDuration, "750"},
      {"CubeBackground", &s.CubeBackground, "3"},
      {"CubeBackgroundImage", &s.CubeBackgroundImage, ""},
      {"CubeBackgroundTheme", &s.CubeBackgroundTheme, ""},

      {"ExposerHotKey", &s.ExposerHotKey, "F9"},
      {"ExposerCurrentHotKey", &s.ExposerCurrentHotKey, "F10"},
      {"ExposerGesture", &s.ExposerGesture, "DL"},
      {"ExposerBackground", &s.ExposerBackground, "0"},
      {"ExposerTransparency", &s.ExposerTransparency, "1"},
      {"ExposerAnimation", &s.ExposerAnimation, "1"},
      {"ExposerDuration", &s.ExposerDuration, "750"},
      {"ExposerShowMinimized", &s.ExposerShowMinimized, "1"},
      {"ExposerShowDesktop", &s.ExposerShowDesktop, "1"},
      {"ExposerShowAll", &s.ExposerShowAll, "0"},

      {"ExplorerHotKey", &s.ExplorerHotKey, "F7"},
      {"ExplorerGesture", &s.ExplorerGesture, ""},
      {"ExplorerDuration", &s.ExplorerDuration, "750"},
      {"ExplorerDistance", &s.ExplorerDistance, "100"},
      {"ExplorerEdgeMovement", &s.ExplorerEdgeMovement, "1"},
      {"ExplorerBackground", &s.ExplorerBackground, "3"},
      {"ExplorerBackgroundImage", &s.ExplorerBackgroundImage, ""},
      {"ExplorerBackgroundTheme", &s.ExplorerBackgroundTheme, ""},

      {"FlipHotKey", &s.FlipHotKey, "F8"},
      {"FlipGesture", &s.FlipGesture, ""},
      {"FlipDuration", &s.FlipDuration, "750"},
      {"FlipDistance", &s.FlipDistance, "100"},
      {"FlipEdgeMovement", &s.FlipEdgeMovement, "1"},
      {"FlipBackground", &s.FlipBackground, "3"},
      {"FlipBackgroundImage", &s.FlipBackgroundImage, ""},
      {"FlipBackgroundTheme", &s.FlipBackgroundTheme, ""},

      {"CarouselHotKey", &s.CarouselHotKey, "Ctrl+F8"},
      {"CarouselGesture", &s.CarouselGesture, ""},
      {"CarouselDuration", &s.CarouselDuration, "750"},
      {"CarouselDistance", &s.CarouselDistance, "100"},
      {"CarouselEdgeMovement", &s.CarouselEdgeMovement, "1"},
      {"CarouselBackground", &s.CarouselBackground, "3"},
      {"CarouselBackgroundImage", &s.CarouselBackgroundImage, ""},
      {"CarouselBackgroundTheme", &s.CarouselBackgroundTheme, ""},

      {"TrayDefaultAction", &s.TrayDefaultAction, "0"},
      {"TrayShowWindowList", &s.TrayShowWindowList, "1"},
      {"TrayCreateIcons", &s.TrayCreateIcons, "1"},
      {"TrayShowLivePreview", &s.TrayShowLivePreview, "1"},
      {"TrayLivePreviewSize", &s.TrayLivePreviewSize, "25"},
  };
  keys.insert(keys.end(), std::begin(rest), std::end(rest));
  return keys;
}

struct IntRange {
  int low;
  int high;
};

// The values each number key may take; anything else would upset the code
// that uses it (a hot zone of 100000 pixels covers the whole screen).
IntRange RangeOf(std::string_view name) {
  static const std::pair<std::string_view, IntRange> kRanges[] = {
      {"OSDTimeout", {1, 5}},
      {"HotCornerSensibility", {0, 32}},
      {"PerformanceLevel", {0, 4}},
      {"PerformanceLivePreviewRate", {0, 100}},
      {"ControlMouseWheelEffect", {0, 5}},
      {"ControlMouseWheelAction", {0, 1}},
      {"ControlSpecialKey1Effect", {0, 5}},
      {"ControlSpecialKey2Effect", {0, 5}},
      {"ControlSpecialKey3Effect", {0, 5}},
      {"AnimationIn", {0, 9}},
      {"AnimationOut", {0, 9}},
      {"AnimationElasticity", {50, 99}},
      {"AnimationZoomFactor", {10, 100}},
      {"CubeAppearance", {0, 1}},
      {"CubeTransparency", {0, 100}},
      {"ExposerBackground", {0, 2}},
      {"TrayDefaultAction", {0, 2}},
      {"TrayLivePreviewSize", {10, 90}},
  };
  for (const auto &[key, range] : kRanges)
    if (key == name)
      return range;
  const auto endsWith = [&](std::string_view end) {
    return name.size() >= end.size() && name.substr(name.size() - end.size()) == end;
  };
  if (endsWith("Privacy"))
    return {0, 2};
  if (endsWith("Action")) // HotCorner1Action to HotCorner8Action
    return {0, 13};
  if (endsWith("Duration"))
    return {0, 5000};
  if (endsWith("Distance"))
    return {0, 500};
  if (endsWith("Background")) // the four effects' backgrounds
    return {0, 5};
  return {0, 0};
}

// The read rules: a stored text that does not read as its type gives the key's default.
struct FieldReader {
  std::string_view name;
  std::string_view stored; // trimmed; empty when absent
  std::string_view fallback;
  std::vector<std::string> &rejected;

  void operator()(bool *field) const {
    *field = stored == "1" || (stored != "0" && fallback == "1");
  }
  void operator()(int *field) const {
    const int fallbackValue = *ParseInt(fallback);
    const std::optional<int> value = ParseInt(stored);
    const IntRange range = RangeOf(name);
    if (value && (*value < range.low || *value > range.high)) {
      rejected.push_back("Setting " + std::string(name) + "=" + std::to_string(*value) +
                         " is outside " + std::to_string(range.low) + " to " +
                         std::to_string(range.high) + ": the default " +
                         std::to_string(fallbackValue) + " is used");
      *field = fallbackValue;
      return;
    }
    *field = value.value_or(fallbackValue);
  }
  void operator()(std::string *field) const {
    *field = std::string(stored.empty() ? fallback : stored);
  }
  void operator()(TShortCut *field) const {
    const TShortCut read = TextToShortCut(stored);
    *field = read != 0 ? read : TextToShortCut(fallback);
  }
  void operator()(std::vector<std::string> *field) const { *field = FromCommaText(stored); }
};

struct FieldWriter {
  std::string operator()(const bool *field) const { return *field ? "1" : "0"; }
  std::string operator()(const int *field) const { return std::to_string(*field); }
  std::string operator()(const std::string *field) const { return *field; }
  std::string operator()(const TShortCut *field) const { return ShortCutToText(*field); }
  std::string operator()(const std::vector<std::string> *field) const {
    return ToCommaText(*field);
  }
};

// The line holding name: the first whose text before its first "=" matches.
template <typename Lines> auto FindLine(Lines &lines, std::string_view name) {
  auto line = lines.begin();
  for (; line != lines.end(); ++line) {
    const auto equals = line->find('=');
    if (equals != std::string::npos &&
        EqualsIgnoreCase(std::string_view(*line).substr(0, equals), name))
      break;
  }
  return line;
}

constexpr int TSetup::*kHotCornerActions[kHotZoneCount] = {
    &TSetup::HotCorner1Action, &TSetup::HotCorner2Action, &TSetup::HotCorner3Action,
    &TSetup::HotCorner4Action, &TSetup::HotCorner5Action, &TSetup::HotCorner6Action,
    &TSetup::HotCorner7Action, &TSetup::HotCorner8Action};

constexpr TShortCut TSetup::*kDesktopHotKeys[kDesktopCount] = {
    &TSetup::Desktop1HotKey, &TSetup::Desktop2HotKey, &TSetup::Desktop3HotKey,
    &TSetup::Desktop4HotKey, &TSetup::Desktop5HotKey, &TSetup::Desktop6HotKey};

constexpr std::string TSetup::*kDesktopGestures[kDesktopCount] = {
    &TSetup::Desktop1Gesture, &TSetup::Desktop2Gesture, &TSetup::Desktop3Gesture,
    &TSetup::Desktop4Gesture, &TSetup::Desktop5Gesture, &TSetup::Desktop6Gesture};

template <typename Member, std::size_t N> Member Select(Member (&members)[N], int number) {
  if (number < 1 || number > static_cast<int>(N))
    throw std::out_of_range("setting number out of range: " + std::to_string(number));
  return members[number - 1];
}

} // namespace

// ValueList

std::optional<std::string> ValueList::Get(std::string_view name) const {
  const auto line = FindLine(lines_, name);
  if (line == lines_.end())
    return std::nullopt;
  return Trim(std::string_view(*line).substr(line->find('=') + 1));
}

void ValueList::Set(std::string_view name, std::string_view value) {
  const auto line = FindLine(lines_, name);
  if (value.empty()) {
    if (line != lines_.end())
      lines_.erase(line);
    return;
  }
  // A line break inside the value would split it into two lines when stored.
  std::string text = std::string(name) + "=" + std::string(value);
  for (char &c : text)
    if (c == '\r' || c == '\n')
      c = ' ';
  if (line != lines_.end())
    *line = std::move(text);
  else
    lines_.push_back(std::move(text));
}

std::string ValueList::Text() const {
  std::string text;
  for (const auto &line : lines_)
    text += line + "\r\n";
  return text;
}

void ValueList::SetText(std::string_view text) {
  lines_.clear();
  std::size_t start = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r' && text[at] != '\n')
      continue;
    lines_.emplace_back(text.substr(start, at - start));
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
      ++at;
    start = at + 1;
  }
  if (start < text.size())
    lines_.emplace_back(text.substr(start));
}

// Comma text

std::string ToCommaText(const std::vector<std::string> &items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string &item = items[i];
    if (i > 0)
      text += ',';
    bool quote = item.empty();
    for (const char c : item)
      quote = quote || IsBlank(c) || c == ',' || c == '"';
    if (!quote) {
      text += item;
      continue;
    }
    text += '"';
    for (const char c : item) {
      if (c == '"')
        text += '"';
      text += c;
    }
    text += '"';
  }
  return text;
}

std::vector<std::string> FromCommaText(std::string_view text) {
  std::vector<std::string> items;
  std::size_t at = 0;
  const auto skipBlanks = [&] {
    while (at < text.size() && IsBlank(text[at]))
      ++at;
  };
  skipBlanks();
  while (at < text.size()) {
    std::string item;
    if (text[at] == '"') {
      // Quoted item: up to the closing quote, a doubled quote standing for one.
      for (++at; at < text.size(); ++at) {
        if (text[at] == '"') {
          if (at + 1 < text.size() && text[at + 1] == '"') {
            ++at;
          } else {
            ++at;
            break;
          }
        }
        item += text[at];
      }
    } else {
      while (at < text.size() && !IsBlank(text[at]) && text[at] != ',')
        item += text[at++];
    }
    items.push_back(std::move(item));
    skipBlanks();
    if (at < text.size() && text[at] == ',') {
      ++at;
      if (at == text.size())
        items.emplace_back(); // a trailing comma ends with an empty item
      skipBlanks();
    }
  }
  return items;
}

// TSetup

TSetup::TSetup(SettingsStore &store) : store_(store) {
  Load();
}

void TSetup::Load() {
  if (const auto stored = store_.ReadSetupText()) {
    Values.Clear();
    if (!stored->empty()) {
      // Text that cannot be deciphered counts as nothing stored: every key gets its default.
      if (const auto plain = Cipher.DecipherFromHex(*stored))
        Values.SetText(*plain);
    }
  }
  ReadFields();
  store_.WriteRunValue(GeneralRunAtStartup);
}

bool TSetup::Save() {
  WriteFields();
  const bool written = store_.WriteSetupText(Cipher.EncipherToHex(Values.Text()));
  store_.WriteRunValue(GeneralRunAtStartup);
  return written;
}

void TSetup::ReadFields() {
  RejectedValues.clear();
  for (const auto &key : Bindings(*this)) {
    const std::string stored = Values.Get(key.name).value_or("");
    std::visit(FieldReader{key.name, stored, key.fallback, RejectedValues}, key.field);
  }
}

void TSetup::WriteFields() {
  for (const auto &key : Bindings(*this))
    Values.Set(key.name, std::visit(FieldWriter{}, key.field));
}

std::string TSetup::DisplayName(int n) const {
  if (n >= 1 && n <= kStoredDesktopCount) {
    std::string name = Trim(DesktopName[n]);
    if (!name.empty())
      return name;
  }
  return "Desktop " + std::to_string(n);
}

void TSetup::SetDesktopPassword(std::string_view password) {
  DesktopPassword = Trim(password);
}

int &TSetup::HotCornerAction(int zone) {
  return this->*Select(kHotCornerActions, zone);
}
int TSetup::HotCornerAction(int zone) const {
  return this->*Select(kHotCornerActions, zone);
}
TShortCut &TSetup::DesktopHotKey(int n) {
  return this->*Select(kDesktopHotKeys, n);
}
TShortCut TSetup::DesktopHotKey(int n) const {
  return this->*Select(kDesktopHotKeys, n);
}
std::string &TSetup::DesktopGesture(int n) {
  return this->*Select(kDesktopGestures, n);
}
const std::string &TSetup::DesktopGesture(int n) const {
  return this->*Select(kDesktopGestures, n);
}

} // namespace qv
