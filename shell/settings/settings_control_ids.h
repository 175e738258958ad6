#pragma once
// Control identifiers of the settings window, its pages and dialogs. The
// end-to-end tests find the controls by these numbers.

namespace qv::settings_id {

// The main form.
inline constexpr int kPanel = 100;          // Panel1, the link panel that hosts the pages
inline constexpr int kHeaderFeatures = 101; // Label31
inline constexpr int kHeaderForum = 102;    // Label34
inline constexpr int kHeaderHelp = 103;     // Label24
inline constexpr int kHeaderTitle = 104;    // Label13 and the other hidden header texts
inline constexpr int kHeaderLine1 = 105;    // Label14
inline constexpr int kHeaderLine2 = 106;    // Label17
inline constexpr int kHeaderLine3 = 107;    // Label15
inline constexpr int kLinkBase = 1000;      // + the link's tag
inline constexpr int kGroupHeadingBase = 900;

// Every page and dialog.
inline constexpr int kAccept = 1;       // btAccept (IDOK)
inline constexpr int kCancel = 2;       // btCancel (IDCANCEL)
inline constexpr int kTitle = 10;       // Label1
inline constexpr int kDescription = 11; // Label2

// Controls that several pages have.
inline constexpr int kEnable = 20;          // cbEnable / cbEnabled
inline constexpr int kList = 21;            // lvKeys, lvRules, lvLanguage
inline constexpr int kEdit = 22;            // btEdit
inline constexpr int kClear = 23;           // btClear
inline constexpr int kRestoreDefaults = 24; // Label16 of the keyboard page

// Hot corners: cbHotZone1 ... cbHotZone8 are kHotZoneBase + zone.
inline constexpr int kHotZoneBase = 30;
inline constexpr int kSensibility = 40;

// Special controls: cbEffect0 ... cbEffect3 are kEffectBase + n.
inline constexpr int kEffectBase = 50;
inline constexpr int kMouseZoom = 55;
inline constexpr int kMouseSwitch = 56;

// On-screen display.
inline constexpr int kTimeout = 60;
inline constexpr int kControls = 61;

// Tray.
inline constexpr int kDefaultOptions = 70;
inline constexpr int kDefaultCube = 71;
inline constexpr int kDefaultExposer = 72;
inline constexpr int kShowWindowList = 73;
inline constexpr int kCreateIcons = 74;
inline constexpr int kLivePreview = 75;
inline constexpr int kPreviewSize = 76;

// Autorun.
inline constexpr int kAutorun = 80;
inline constexpr int kMessage = 81;

// Desktop names: ed1 ... ed6 are kNameBase + desktop.
inline constexpr int kNameBase = 90;
inline constexpr int kAttach = 97;
inline constexpr int kIconList = 98; // ListView1

// Privacy: cb1 ... cb6 are kPrivacyBase + desktop, l1 ... l6 kPrivacyLabelBase + desktop.
inline constexpr int kPrivacyBase = 110;
inline constexpr int kPrivacyLabelBase = 120;
inline constexpr int kChangePassword = 117; // Button1

// Icons and wallpapers, and the icon manager.
inline constexpr int kWallpapers = 130;      // cbWallpapers
inline constexpr int kIconLayouts = 131;     // cbIcons
inline constexpr int kWaitWallpaper = 132;   // cbWaitWallpaper
inline constexpr int kWallpaperList = 133;   // lvWallpapers
inline constexpr int kChangeWallpaper = 134; // the "Change wallpaper" link
inline constexpr int kIcons = 135;           // lvIcons
inline constexpr int kResetIcons = 136;      // the "Reset icon layouts" link

// Animation.
inline constexpr int kEffectIn = 400;
inline constexpr int kEffectOut = 401;
inline constexpr int kElasticity = 402;
inline constexpr int kZoomFactor = 403;

// Performance: tbLevel with the labels that describe its level.
inline constexpr int kLevel = 404;
inline constexpr int kLevelSize = 405;       // lbSize
inline constexpr int kLevelAllocation = 406; // lbAllocation
inline constexpr int kLevelBuffering = 407;  // lbBuffering
inline constexpr int kRealtime = 408;
inline constexpr int kRate = 409;
inline constexpr int kReflection = 410;
inline constexpr int kAntialias = 411;
inline constexpr int kTransparentWindows = 412;
inline constexpr int kLighting = 413;
inline constexpr int kWater = 414;

// The cube's appearance (lvAppearance is kList) and transparency.
inline constexpr int kEnableTransparency = 415;
inline constexpr int kTransparency = 416;

// The effects' distance pages.
inline constexpr int kInitialDistance = 417;
inline constexpr int kEdgeMovement = 418;
inline constexpr int kDuration = 419;

// The effects' background pages: rbColorWhite ... rbTheme are
// kBackgroundBase + the background value.
inline constexpr int kBackgroundBase = 420;
inline constexpr int kTheme = 426;    // cbTheme
inline constexpr int kFileName = 427; // laFileName
inline constexpr int kBrowse = 428;   // Button1
inline constexpr int kPreview = 429;  // paColor

// The exposer's page: rbTransparent, rbLiveDesktop, rbColor are
// kExposerBackgroundBase + the background value.
inline constexpr int kExposerBackgroundBase = 460;
inline constexpr int kExposerTransparency = 463; // cbTransparency
inline constexpr int kExposerAnimation = 464;    // cbAnimation
inline constexpr int kExposerMinimized = 465;    // cbMinimized
inline constexpr int kExposerDesktop = 466;      // cbDesktop
inline constexpr int kExposerAllDesktops = 467;  // the overview of every desktop

// The label showing a trackbar's value has the trackbar's id + this.
inline constexpr int kValueLabelOffset = 100;

// Hotkey selector.
inline constexpr int kKeys = 200;
inline constexpr int kShift = 201;
inline constexpr int kControl = 202;
inline constexpr int kAlt = 203;

// Application selector.
inline constexpr int kApplications = 210;
inline constexpr int kActions = 211;

// Set password.
inline constexpr int kPassword1 = 220;
inline constexpr int kPassword2 = 221;

} // namespace qv::settings_id
