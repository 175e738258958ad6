#pragma once
#include "shell/settings_store.h"
#include "shell/setup_cipher.h"
#include "shell/setup_enums.h"
#include "shell/shortcut_text.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Lines of "name=value" in order. Names are matched without regard to letter case;
// lines without a known name (or without "=") are kept untouched.
class ValueList {
public:
  // The text after the first "=" of the named line, trimmed; nothing when there is no line.
  std::optional<std::string> Get(std::string_view name) const;
  // Replaces the named line or appends one; an empty value removes the line instead.
  void Set(std::string_view name, std::string_view value);

  // Every line followed by CR LF.
  std::string Text() const;
  // Replaces the lines by those of text (separated by CR LF, LF or CR).
  void SetText(std::string_view text);

  void Clear() { lines_.clear(); }
  const std::vector<std::string> &Lines() const { return lines_; }

private:
  std::vector<std::string> lines_;
};

// The list as comma-separated items; an item that is empty or contains a blank, control
// character, comma or double quote is written in double quotes with inner quotes doubled.
std::string ToCommaText(const std::vector<std::string> &items);
// The items of a comma text; unquoted blanks also separate items.
std::vector<std::string> FromCommaText(std::string_view text);

// Every user setting as a typed field, persisted as one enciphered text in a SettingsStore.
// Fields are named after their keys; text values are bytes in the system code page.
class TSetup {
public:
  explicit TSetup(SettingsStore &store);

  // Reads the stored text into Values and every field from Values (defaults where
  // nothing readable is stored), then updates the Run value.
  void Load();
  // Writes every field into Values and Values into the store, then updates the Run value.
  // Returns whether the settings text was written.
  bool Save();

  // The trimmed name of desktop n, or "Desktop " followed by n when that is empty.
  std::string DisplayName(int n) const;
  // Sets DesktopPassword to `password` without its leading and trailing blanks and control
  // characters, as loading does.
  void SetDesktopPassword(std::string_view password);

  // The named per-number fields by number: hot zones 1 to 8, desktops 1 to 6.
  int &HotCornerAction(int zone);
  int HotCornerAction(int zone) const;
  TShortCut &DesktopHotKey(int n);
  TShortCut DesktopHotKey(int n) const;
  std::string &DesktopGesture(int n);
  const std::string &DesktopGesture(int n) const;

  ValueList Values;
  SetupCipher Cipher;
  std::vector<std::string> Rules; // persisted as comma text under DesktopRules

  // General
  bool GeneralEnableHotKeys{};
  bool GeneralEnableGestures{};
  bool GeneralEnableHotZones{};
  bool GeneralRunAtStartup{};
  std::string GeneralLanguage;
  bool GeneralShowControls{};
  bool GeneralShowMenus{};
  bool GeneralShowBalloon{};

  // Desktops
  bool DesktopEnableMultipleWallpapers{};
  bool DesktopEnableMultipleIcons{};
  bool DesktopWaitWallpaper{};
  bool DesktopEnableRules{};
  bool OSDEnable{};
  int OSDTimeout{};
  std::array<std::string, kStoredDesktopCount + 1> DesktopName; // 1 to 32; 0 unused
  std::array<int, kStoredDesktopCount + 1> DesktopPrivacy{};    // 1 to 32; 0 unused
  std::string DesktopPassword;

  // Hot zones
  int HotCorner1Action{};
  int HotCorner2Action{};
  int HotCorner3Action{};
  int HotCorner4Action{};
  int HotCorner5Action{};
  int HotCorner6Action{};
  int HotCorner7Action{};
  int HotCorner8Action{};
  int HotCornerSensibility{};

  // Performance
  int PerformanceLevel{};
  bool PerformanceLivePreview{};
  int PerformanceLivePreviewRate{};
  bool PerformanceReflection{};
  bool PerformanceAntialiasing{};
  bool PerformanceLighting{};
  bool PerformanceTransparentWindows{};
  bool PerformanceWaterDrop{};

  // Desktop switching triggers
  TShortCut Desktop1HotKey{};
  std::string Desktop1Gesture;
  TShortCut Desktop2HotKey{};
  std::string Desktop2Gesture;
  TShortCut Desktop3HotKey{};
  std::string Desktop3Gesture;
  TShortCut Desktop4HotKey{};
  std::string Desktop4Gesture;
  TShortCut Desktop5HotKey{};
  std::string Desktop5Gesture;
  TShortCut Desktop6HotKey{};
  std::string Desktop6Gesture;
  TShortCut NextDesktopHotKey{};
  std::string NextDesktopGesture;
  TShortCut PrevDesktopHotKey{};
  std::string PrevDesktopGesture;

  // Controls and animation
  int ControlMouseWheelEffect{};
  int ControlMouseWheelAction{};
  int ControlSpecialKey1Effect{};
  int ControlSpecialKey2Effect{};
  int ControlSpecialKey3Effect{};
  int AnimationIn{};
  int AnimationOut{};
  int AnimationElasticity{};
  int AnimationZoomFactor{};

  // Cube
  TShortCut CubeHotKey{};
  std::string CubeGesture;
  int CubeAppearance{};
  bool CubeEdgeMovement{};
  bool CubeEnableTransparency{};
  int CubeTransparency{};
  int CubeDistance{};
  int CubeDuration{};
  int CubeBackground{};
  std::string CubeBackgroundImage;
  std::string CubeBackgroundTheme;

  // Exposer
  TShortCut ExposerHotKey{};
  TShortCut ExposerCurrentHotKey{};
  std::string ExposerGesture;
  int ExposerBackground{};
  bool ExposerTransparency{};
  bool ExposerAnimation{};
  int ExposerDuration{};
  bool ExposerShowMinimized{};
  bool ExposerShowDesktop{};
  bool ExposerShowAll{};

  // Explorer
  TShortCut ExplorerHotKey{};
  std::string ExplorerGesture;
  int ExplorerDuration{};
  int ExplorerDistance{};
  bool ExplorerEdgeMovement{};
  int ExplorerBackground{};
  std::string ExplorerBackgroundImage;
  std::string ExplorerBackgroundTheme;

  // Flip
  TShortCut FlipHotKey{};
  std::string FlipGesture;
  int FlipDuration{};
  int FlipDistance{};
  bool FlipEdgeMovement{};
  int FlipBackground{};
  std::string FlipBackgroundImage;
  std::string FlipBackgroundTheme;

  // Carousel
  TShortCut CarouselHotKey{};
  std::string CarouselGesture;
  int CarouselDuration{};
  int CarouselDistance{};
  bool CarouselEdgeMovement{};
  int CarouselBackground{};
  std::string CarouselBackgroundImage;
  std::string CarouselBackgroundTheme;

  // Tray
  int TrayDefaultAction{};
  bool TrayShowWindowList{};
  bool TrayCreateIcons{};
  bool TrayShowLivePreview{};
  int TrayLivePreviewSize{};

  // What the last load found out of range and replaced by the default, one
  // sentence each, for the log.
  std::vector<std::string> RejectedValues;

private:
  void ReadFields();
  void WriteFields();

  SettingsStore &store_;
};

} // namespace qv
