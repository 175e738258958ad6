#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

// Names are enclosed in ";". In the sticky and override lists each name is
// followed by ":" and the digit of its rendering kind. Names are compared
// exactly: window class names as reported, process names in lower case.
inline constexpr std::string_view kStickyWindowList =
    ";BaseWindow_RootWnd:1;SideBar_HTMLHostWindow:2;ThunderRT6FormDC:0;skintrash.exe:0;"
    "titlebardate.exe:0;chamclock.exe:0;";
inline constexpr std::string_view kOverrideWindowList = ";delphi32.exe:0;photoshop.exe:0;";
inline constexpr std::string_view kIgnoredWindowList =
    ";BatMeterFlyout;SCA_VolumeToolTip;ThumbnailClass;ClockTooltipWindow;IPTip_AutoHide_Window;"
    "IPTip_InPlaceTarget_Window;wisptis_feedback_window;#32768;#32774;BaseBar;Desktop User "
    "Picture;DV2ControlHost;Winamp v1.x;tooltips_class32;SysShadow;Button;Shell_TrayWnd;"
    "TaskSwitcherOverlayWnd;BasicWindow;SideBar_AppBarBullet;SideBar_AppBarWindow;Progman;"
    "ThunderRT6Main;ROCKETDOCK;atkosd2.exe;atkosd.exe;yahoowidgets.exe;googledesktop.exe;";
inline constexpr std::string_view kTrickyWindowList = ";BaseWindow_RootWnd;USurface_75131930;";

// How a window is drawn into a desktop picture.
enum class RenderingKind {
  Default = 0,    // plain capture
  AlphaPrint = 1, // printed with its alpha channel
  Gadget = 2,     // colour-keyed gadget
};

// Listed digits 1 and 8 both select the alpha-print drawing.
RenderingKind RenderingKindFromDigit(int digit);

struct WindowClassification {
  int KindDigit = 0; // as listed; written to the debug record
  bool Sticky = false;
  bool Tricky = false;
};

// The facts about a top-level window not managed yet that decide whether it
// will be.
struct NewWindowFacts {
  std::uint32_t Style = 0;
  std::uint32_t ExStyle = 0;
  bool HasOwner = false;
  std::string_view ClassName;
  std::string_view ProcessName;
};

// How a window not managed yet is to be managed; nothing when it is left
// alone (a child, invisible, an unowned popup tool window that is not
// sticky, or one the ignore rules exclude).
std::optional<WindowClassification> ClassifyNewWindow(const NewWindowFacts &window);

// Whether windows of the class are hidden by transparency instead of a move.
bool IsTrickyClass(std::string_view className);

} // namespace qv
