#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

class TSetup;

// The languages of the language page, in row order.
inline constexpr std::array<std::string_view, 6> kLanguageNames = {
    "english", "spanish", "italian", "portugues", "german", "french"};

// The language a selected row stands for: nothing when no row is selected
// (negative), "english" for a row outside the list.
std::optional<std::string> LanguageOfRow(int row);
// The row of a language name (letter case ignored); -1 when it has none.
int RowOfLanguage(std::string_view language);

inline constexpr int kMinOsdTimeout = 1;
inline constexpr int kMaxOsdTimeout = 5;
inline constexpr int kMinPreviewSize = 10;
inline constexpr int kMaxPreviewSize = 90;

struct OsdPageValues {
  bool enabled = false;
  int timeout = 0;
  bool showControls = false;

  static OsdPageValues Read(const TSetup &setup);
  void Write(TSetup &setup) const;
};

struct TrayPageValues {
  int defaultAction = 0; // 0 options, 1 cube, 2 exposer
  bool showWindowList = false;
  bool createIcons = false;
  bool livePreview = false;
  int previewSize = 0;

  static TrayPageValues Read(const TSetup &setup);
  void Write(TSetup &setup) const;
};

struct AutorunPageValues {
  bool runAtStartup = false;
  bool showBalloon = false;

  static AutorunPageValues Read(const TSetup &setup);
  void Write(TSetup &setup) const;
};

} // namespace qv
