#pragma once
// The life every full-screen effect shares: starting on the current desktop,
// one frame at a time, choosing a desktop, finishing with the switch, the
// window the user carries across desktops, the on-screen buttons, the
// background and a few drawing helpers. One object lives for one effect.
#include "render/animation.h"
#include "render/effect_device.h"
#include "render/effect_world.h"
#include "render/water_surface.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace qv {

class TManagedWindow;

// A window message as the host forwards it to an effect.
struct EffectMessage {
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

inline constexpr std::uint32_t kMessageLeftDoubleClick = 0x0203; // WM_LBUTTONDBLCLK
inline constexpr std::uint32_t kMessageMouseWheel = 0x020A;      // WM_MOUSEWHEEL

// Virtual-key codes the effects react to.
namespace effect_key {
inline constexpr int kEnter = 0x0D;
inline constexpr int kEscape = 0x1B;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
} // namespace effect_key

// The code a released special key sends: choose the presented desktop.
inline constexpr std::uint32_t kChooseTrigger = 31;

class TGeneric3DRenderer {
public:
  TGeneric3DRenderer(EffectDevice &device, EffectWorld &world, EffectKind kind);
  virtual ~TGeneric3DRenderer();
  TGeneric3DRenderer(const TGeneric3DRenderer &) = delete;
  TGeneric3DRenderer &operator=(const TGeneric3DRenderer &) = delete;

  // Creates the geometry; an effect whose geometry cannot be made ends at
  // once, without a switch. Called once, right after construction.
  void Initialise();
  // One frame.
  void Render();
  // Ends the effect: drops the carried window, switches when a desktop was
  // chosen, parks the host.
  void Finish();

  virtual void HandleTrigger(std::uint32_t) {}
  // The same in every effect: a double click and Enter choose the presented
  // desktop, Escape goes back; the wheel turns through the desktops or zooms,
  // as the settings say, the left and right arrows step back and forward,
  // the up and down arrows zoom out and in.
  virtual void HandleMessage(const EffectMessage &message);
  virtual void HandleKeyDown(int key);

  bool Finished() const { return finished_; }
  int FrameCount() const { return frameCount_; }
  // The carried window's handle; -1 when none.
  std::intptr_t CarriedWindowHandle() const { return carriedWindowHandle_; }
  int SelectedDesktop() const { return selectedDesktop_; }
  // Whether some desktop is kept out of this effect behind the protected
  // picture.
  bool ShowsAnyProtectedPicture() const;
  int TargetDesktop() const { return targetDesktop_; }
  bool Interactive() const { return interactive_; }
  bool Closing() const { return closing_; }
  bool Paused() const { return paused_; }
  // The ripple that ends the effect: running, and its surface while one is
  // prepared or running.
  bool WaterRunning() const { return waterRunning_; }
  const WaterSurface *Water() const { return water_.get(); }
  // The camera's distance from the scene; none while there is no geometry.
  const TAnimation *Distance() const { return distance_.get(); }

protected:
  // Each effect: false when its geometry could not be created.
  virtual bool CreateGeometry() = 0;
  // Chooses the presented desktop (asking for its password when `ask`), or
  // goes back to the starting one; both start the closing motion.
  virtual void Choose(bool ask) = 0;
  virtual void Cancel() = 0;
  // One step back (-1) or forward (+1) through the desktops, as the effect
  // lays them out.
  virtual void StepDesktop(int direction) = 0;
  virtual void DestroyGeometry() = 0;
  virtual void RenderScene() = 0;

  // Subclass destructors call this so that their geometry goes with them.
  void ReleaseGeometry();
  void RequestFinish();
  // While a window is carried: when the button lets it go, chooses the
  // desktop presented, or goes back when that one is closed to it. True
  // while a window is carried (the mouse then steers nothing else).
  bool FollowCarriedWindow(bool buttonDown);
  void Pause() { paused_ = true; }

  // Sets the world transform: rotation z, x, y, then scaling, then translation.
  void SetWorld(Vec3 translation, Vec3 rotation, Vec3 scale);
  // A screen-aligned textured rectangle in pixels.
  void DrawScreenQuad(TextureId texture, std::uint32_t colour, float left, float top, float right,
                      float bottom, float depth);
  // The desktop's picture into the texture; false (after telling the user)
  // when the texture's surface cannot be drawn on.
  bool CopyImageToTexture(TextureId texture, int desktop);
  // The six desktops' pictures at the effect's scale; false (after telling
  // the user) when one cannot be created.
  bool CreateDesktopTextures(std::array<TextureId, 6> &textures);
  void ReleaseDesktopTextures(std::array<TextureId, 6> &textures);
  // Starts the live preview once the opening animation is over and copies
  // the pictures it has finished into the textures; pauses the effect when
  // one cannot be copied.
  void RefreshLivePreview(LivePreview *preview, const std::array<TextureId, 6> &textures,
                          TAnimation &opening);
  // Starts the live preview when the settings ask for it.
  void CreateLivePreviewIfWanted();
  // What every effect's DestroyGeometry does: the full height back, the carried
  // window painted again, the live preview stopped, then `buffers` and the
  // desktops' textures released.
  void ReleaseScene(std::initializer_list<BufferId *> buffers);
  // The camera never comes closer than where the scene fills the screen.
  void KeepDistance(float fullScreenDistance);
  void ZoomIn();
  void ZoomOut();
  // What every effect does first with a trigger: true when the trigger is used
  // up, because there is no geometry or the effect ends before its first frame.
  bool TriggerEndsEffect(std::uint32_t code);
  // The background of the effect's setting: clears, and draws the gradient
  // or picture quads. Call before BeginScene returns control to the scene.
  void ClearBackground();
  // The gradient (its texture and the colours it is drawn from) or picture
  // of the effect's background setting; empty for a plain colour or the sky.
  struct BackgroundSource {
    TextureId texture = 0;
    const std::vector<std::uint32_t> *colours = nullptr;
    bool HasColours() const { return colours && colours->size() >= 2; }
  };
  BackgroundSource Background() const;
  bool BackgroundCoversScreen() const;
  void DrawBackgroundQuad();
  // The theme's sky box, when the background is the theme and it is loaded.
  void DrawSkyBox();
  void DrawButtons(int highlighted);
  // A message box with a text, at most once per effect for each text.
  void ReportError(const std::string &text);
  // Whether desktop d shows the protected picture in this effect.
  bool ShowsProtectedPicture(int desktop) const;

  int BackgroundSetting() const;

  EffectDevice &device_;
  EffectWorld &world_;
  const TSetup &setup_;
  const EffectKind kind_;

  bool initialised_ = false;
  bool finished_ = false;
  bool closing_ = false;
  bool interactive_ = true;
  bool paused_ = false;
  bool finishRequested_ = false;
  // A carried window dropped with the water setting on ends the effect in a
  // ripple over the chosen desktop's picture, waterTexture_.
  bool waterRequested_ = false;
  bool waterRunning_ = false;
  bool desktopChanged_ = false;
  int selectedDesktop_ = 1;
  int currentDesktop_ = 1;
  int targetDesktop_ = 1;
  int frameCount_ = 0;
  TextureId waterTexture_ = 0;
  std::array<bool, 7> unlocked_{};                             // desktops 1 to 6
  std::array<int, 9> buttonAlpha_{};                           // buttons 1 to 8
  std::vector<ScreenVertex> gradientBands_;                    // the background gradient, made once
  const std::vector<std::uint32_t> *gradientSource_ = nullptr; // the colours it was made from

  bool carryingWindow_ = false;
  TManagedWindow *carriedWindow_ = nullptr;
  std::intptr_t carriedWindowHandle_ = -1;

  // The desktops' pictures, the live preview that refreshes them, and the
  // camera's distance: every effect has them.
  std::array<TextureId, 6> textures_{};
  std::unique_ptr<LivePreview> livePreview_;
  std::unique_ptr<TAnimation> distance_;

private:
  void CreateWater();
  void DestroyWater();
  void StartWater();
  void RenderWater();
  void DrawWater();

  std::unique_ptr<WaterSurface> water_;
  std::unique_ptr<TAnimation> waterAnimation_;
  BufferId waterBuffer_ = 0;
  int waterSteps_ = 0;
  int waterStartFrame_ = 0;
  std::set<std::string> reported_;
};

} // namespace qv
