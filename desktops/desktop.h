#pragma once
#include "desktops/window_classification.h"
#include "desktops/window_system.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <vector>

namespace qv {

class TManagedWindow;
struct DesktopEnvironment;

// One of the six virtual desktops: the windows that belong to it and the
// work of leaving and entering it.
class TDesktop {
public:
  static constexpr std::size_t kMaxWindows = 4096;

  TDesktop(int number, const DesktopEnvironment &environment);
  TDesktop(const TDesktop &) = delete;
  TDesktop &operator=(const TDesktop &) = delete;

  int Number() const { return number_; }

  // The windows of the desktop; after SortByZOrder the bottom-most first.
  const std::vector<TManagedWindow *> &Windows() const { return windows_; }
  bool Contains(const TManagedWindow *window) const;
  bool Full() const { return windows_.size() >= kMaxWindows; }

  // What a picture of the desktop draws of one window, copied out of the list.
  struct PictureEntry {
    WindowHandle Handle = 0;
    RenderingKind Kind = RenderingKind::Default;
    bool Paintable = false;
  };
  // The list as it is now, bottom-most first after SortByZOrder. Safe on any
  // thread: the copy is taken under the list's own lock, and a record stays
  // alive while it is listed, so the copy never points at a freed record.
  std::vector<PictureEntry> PictureEntries() const;
  // Whether the list holds a window; safe on any thread as well.
  bool HasWindows() const;

  // Only TManagedWindow::SetDesktop calls these. Add appends a window not
  // yet listed (false when the list is full); Remove closes the gap.
  bool Add(TManagedWindow *window);
  void Remove(TManagedWindow *window);

  // Orders the list bottom-most (largest ZOrder) first; a stable sort.
  void SortByZOrder();
  // Entering: wallpaper, icons, every window shown bottom-most first, and
  // when restoreFocus the top-most window (or the desktop) gets the focus.
  void Activate(bool restoreFocus);
  // Leaving: taskbar picture, icon layout saved, every window hidden. When
  // a tricky window has the focus, the desktop window takes it first.
  void Deactivate(bool foregroundIsTricky);

  // The privacy level of the setting "Desktop" + number + "Privacy": 0 free,
  // 1 password required, 2 also kept out of the 3D effects.
  int PrivacyLevel() const;
  // Whether the desktop is closed to someone coming from desktop `from`:
  // strict, for any level above 0; otherwise only for level 2, whose picture
  // the effects replace. Never for the desktop itself.
  bool IsProtected(int from, bool strict) const;
  // Whether the user may enter the desktop from desktop `current`. A private
  // desktop asks for the password (one attempt, compared exactly with the
  // stored one); any other answer, or no way to ask, refuses.
  bool RequestAccess(int current);

  // Set whenever the list changes; cleared by whoever composes the picture.
  std::atomic<bool> Changed{false};

private:
  int number_;
  const DesktopEnvironment &environment_;
  std::vector<TManagedWindow *> windows_;
  // Guards changes of windows_ against the copies taken on other threads;
  // the user-interface thread, the only one that changes it, reads freely.
  mutable std::mutex listLock_;
};

} // namespace qv
