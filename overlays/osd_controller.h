#pragma once
#include <cstdint>
#include <string>

namespace qv {

class TSetup;

// The box of the on-screen display as the controller sees it.
class OsdWindow {
public:
  virtual ~OsdWindow() = default;

  virtual void SetText(const std::string &text) = 0;
  // 0 transparent to 255 opaque.
  virtual void SetAlpha(std::uint8_t alpha) = 0;
  // Puts the box at (left, top) above every top-most window and shows it
  // without activating it, painted at once.
  virtual void ShowAt(int left, int top) = 0;
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The screen's size now; it changes with the resolution.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
};

// A timer that ticks every interval while it runs.
class OsdTimer {
public:
  virtual ~OsdTimer() = default;
  // Starts the timer, or begins its wait anew when it runs.
  virtual void Start(std::uint32_t intervalMs) = 0;
  virtual void Stop() = 0;
};

enum class OsdState { Hidden, Holding, Fading };

// When the on-screen display shows, how long it stays and how it fades:
// shown at alpha 200 for OSDTimeout seconds, then 5 less every 10 ms until
// a tick finds a value below 11 and hides the box. Main thread only.
class OsdController {
public:
  static constexpr std::uint8_t kShownAlpha = 200;
  static constexpr std::uint8_t kFadeStep = 5;
  static constexpr std::uint8_t kHideBelow = 11;
  static constexpr std::uint32_t kFadeIntervalMs = 10;
  static constexpr int kBottomMargin = 32; // between the box and the screen's bottom edge

  OsdController(const TSetup &setup, OsdWindow &window, OsdTimer &holdTimer, OsdTimer &fadeTimer);

  // Shows `text` at the bottom right and starts the hold time anew; nothing
  // at all while OSDEnable is off.
  void ShowText(const std::string &text);
  // Stops both timers and hides the box if it is visible.
  void HideNow();

  // The end of the hold time: the fade begins.
  void HoldTimerTick();
  // One step of the fade.
  void FadeTimerTick();

  OsdState State() const { return state_; }
  std::uint8_t Alpha() const { return alpha_; }
  // The hold time for a timeout of `seconds`: none for 0 or less, and at
  // most what a window timer can wait.
  static std::uint32_t HoldMilliseconds(int seconds);

private:
  const TSetup &setup_;
  OsdWindow &window_;
  OsdTimer &holdTimer_;
  OsdTimer &fadeTimer_;
  OsdState state_ = OsdState::Hidden;
  std::uint8_t alpha_ = kShownAlpha;
};

} // namespace qv
