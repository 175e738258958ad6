#pragma once
// The 3D effects as the running program has them: the render host with its
// device, and what an effect reaches of the program (the window manager and
// desktop pictures, the hook thread's zones, the on-screen display, the tray
// icons, the pointer and message boxes).
#include "render/effect_world.h"
#include "render/render_host_win32.h"
#include "shell/setup_enums.h"

#include <memory>
#include <string>

namespace qv {

class ProgramDesktops;
class ProgramTriggers;
class TDesktopProperties;
class TSettings;
class TLog;

class ProgramEffects : public EffectWorld {
public:
  ProgramEffects(const TSetup &setup, TLog &log, const TDesktopProperties &shell, int imageScale);
  ~ProgramEffects() override;

  void Connect(ProgramDesktops *desktops, ProgramTriggers *triggers, TSettings *mainForm);
  // Creates the host, parks it and makes its device; false with the reason.
  bool CreateHost(std::string &error);
  void DestroyHost();
  TRendererForm *Host() const { return host_.get(); }

  // Sorts the desktops, refreshes the current desktop's pictures and hands a
  // new effect of the kind to the host; false when none could be started.
  bool StartEffect(Action kind);

  // EffectWorld
  const TSetup &Setup() const override { return setup_; }
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  int ImageScale() const override { return imageScale_; }
  const PerformanceClock &Clock() const override { return SteadyClock(); }
  const HostTextures &Textures() const override;
  TWindowManager &WindowManager() override;
  bool TranslucentWindowsAvailable() const override;
  void SetTopmost(WindowHandle window, bool topmost) override;
  void MakeOpaque(WindowHandle window) override;
  void UseWorkHeight() override;
  void UseFullHeight() override;
  std::string Translate(const std::string &identifier) override;
  void ShowOsd(const std::string &text) override;
  void UpdateDesktopTrayIcons() override;
  void ParkHost() override;
  ScreenPoint CursorPos() override;
  bool LeftButtonDown() override;
  void ShowError(const std::string &text) override;
  void Log(const std::string &line) override;
  std::unique_ptr<LivePreview> CreateLivePreview() override;

private:
  const TSetup &setup_;
  TLog &log_;
  const TDesktopProperties &shell_;
  int imageScale_;
  ProgramDesktops *desktops_ = nullptr;
  ProgramTriggers *triggers_ = nullptr;
  TSettings *mainForm_ = nullptr;
  std::unique_ptr<TRendererForm> host_;
  HostTextures noTextures_;
};

} // namespace qv
