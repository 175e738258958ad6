#pragma once
// The one full-screen window every 3D effect is drawn in. It owns the
// Direct3D device for the program's life and the textures all effects share,
// stays parked off the screen while no effect runs, draws frames while one
// does, passes it the user's input and frees it when it has finished.
#include "render/d3d9_device_win32.h"
#include "render/effect_world.h"
#include "render/generic_renderer.h"
#include "render/sky_box.h"
#include "shell/unique_handle_win32.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

namespace qv {

class TSetup;
class TLog;

class TRendererForm {
public:
  // Where a parked host waits: full size, far off the visible screen.
  static constexpr int kParkedLeft = 20000;

  struct Callbacks {
    // The effect has ended and its renderer is gone.
    std::function<void()> effectEnded;
    // Whether the translucent and composited paths are there.
    std::function<bool()> compositionEnabled;
  };

  TRendererForm(const TSetup &setup, TLog &log, int screenWidth, int screenHeight,
                std::filesystem::path themesFolder, Callbacks callbacks);
  ~TRendererForm();
  TRendererForm(const TRendererForm &) = delete;
  TRendererForm &operator=(const TRendererForm &) = delete;

  // Parks the window and creates the device with the shared textures; false
  // with the reason when no device can be made.
  bool Show(std::string &error);

  HWND Handle() const { return form_.Get(); }
  D3D9Device &Device() { return device_; }
  const HostTextures &Textures() const { return textures_; }

  bool HasRenderer() const { return renderer_ != nullptr; }
  TGeneric3DRenderer *Renderer() const { return renderer_.get(); }
  // The frame loop drives it from the next idle moment on.
  void SetRenderer(std::unique_ptr<TGeneric3DRenderer> renderer);
  // True when the device can draw or could be reset.
  bool EnsureDevice();
  bool Cooperating() const { return cooperating_; }

  // The idle step of the message loop while a renderer is set: frees a
  // finished renderer, or draws one frame and brings the effect on screen at
  // its second frame.
  void Idle();
  // Every message taken from the queue while a renderer is set.
  void OfferMessage(const MSG &message);
  // Moves the window back off the screen.
  void Park();
  // Reloads the background pictures and themes after their settings changed.
  void ReloadBackgrounds();

private:
  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateGeometry();
  void LoadProtectedPicture();
  void DestroyGeometry();
  void LoadBackgrounds();
  void ReleaseBackgrounds();
  void DeviceLost();
  void DeviceReset();
  void RenderFrame();
  void BringOnScreen();
  void CheckCooperation();
  bool Parked() const;

  const TSetup &setup_;
  TLog &log_;
  int screenWidth_;
  int screenHeight_;
  std::filesystem::path themesFolder_;
  Callbacks callbacks_;
  UniqueWindow form_;
  D3D9Device device_;
  HostTextures textures_;
  std::array<std::unique_ptr<T3DSkyBox>, 4> skyBoxes_;
  std::unique_ptr<TGeneric3DRenderer> renderer_;
  // Set by the first effect that shows the protected picture; from then on
  // the geometry includes it.
  bool protectedPictureWanted_ = false;
  bool cooperating_ = true;
  std::chrono::steady_clock::time_point effectStart_;
};

} // namespace qv
