#pragma once
// What a running effect needs from the rest of the program: the settings and
// screen, the window manager and its desktops, the windows it carries, the
// on-screen display and tray, the host window it is shown in, the pointer,
// the live-preview composers and the textures the host shares. The program
// wires it to the real objects; tests use a fake.
#include "desktops/window_system.h"
#include "render/animation.h"
#include "render/effect_device.h"
#include "shell/setup_enums.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {

class TSetup;
class TWindowManager;
class T3DSkyBox;

struct ScreenPoint {
  int x;
  int y;
};

// Textures and sky boxes that live with the device and are shared by every
// effect; 0 where a picture could not be loaded.
struct HostTextures {
  TextureId ProtectedDesktop = 0;
  TextureId BlackGradient = 0;
  TextureId WhiteGradient = 0;
  // The gradients' colours from top to bottom; drawn from these when there are any.
  std::vector<std::uint32_t> BlackGradientColours;
  std::vector<std::uint32_t> WhiteGradientColours;
  std::array<TextureId, 4> Backgrounds{}; // by EffectKind
  TextureId RotateNormal = 0;
  TextureId RotateOver = 0;
  TextureId PointerNormal = 0;
  TextureId PointerOver = 0;
  std::array<std::array<TextureId, 2>, 6> Buttons{}; // desktop 1 to 6: normal, over
  std::array<T3DSkyBox *, 4> SkyBoxes{};             // by EffectKind
};

// The live-preview threads of one effect, one per desktop.
class LivePreview {
public:
  virtual ~LivePreview() = default;
  virtual bool Suspended() const = 0;
  virtual void ResumeAll() = 0;
  virtual bool Done(int desktop) const = 0;
  virtual void ClearDone(int desktop) = 0;
  virtual void StopAll() = 0;
};

class EffectWorld {
public:
  virtual ~EffectWorld() = default;

  virtual const TSetup &Setup() const = 0;
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  virtual int ImageScale() const = 0;
  virtual const PerformanceClock &Clock() const = 0;
  virtual const HostTextures &Textures() const = 0;

  virtual TWindowManager &WindowManager() = 0;
  // Whether carried windows can be made translucent over the effect (a system
  // with desktop composition).
  virtual bool TranslucentWindowsAvailable() const = 0;
  virtual void SetTopmost(WindowHandle window, bool topmost) = 0;
  // Gives back full opacity to a window made translucent over the effect.
  virtual void MakeOpaque(WindowHandle window) = 0;

  // Hot zones over the work area only (a window is carried) or the whole screen.
  virtual void UseWorkHeight() = 0;
  virtual void UseFullHeight() = 0;

  virtual std::string Translate(const std::string &identifier) = 0;
  virtual void ShowOsd(const std::string &text) = 0;
  virtual void UpdateDesktopTrayIcons() = 0;
  // Moves the host window off the screen.
  virtual void ParkHost() = 0;

  virtual ScreenPoint CursorPos() = 0;
  virtual bool LeftButtonDown() = 0;
  // A modal message box.
  virtual void ShowError(const std::string &text) = 0;
  // A line in the program's log.
  virtual void Log(const std::string &line) = 0;

  // Creates the suspended composers of the six desktops.
  virtual std::unique_ptr<LivePreview> CreateLivePreview() = 0;
};

} // namespace qv
