#pragma once
// Test support: a window system held in memory, for the desktop logic.
#include "desktops/window_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv::test {

struct FakeWindow {
  std::string ClassName = "Notepad";
  std::string Title;
  std::string ProcessName = "notepad.exe";
  std::uint32_t ProcessId = 500;
  std::uint32_t Style = window_style::kVisible;
  std::uint32_t ExStyle = window_style::kExAppWindow;
  WindowRect Rect{100, 100, 500, 400};
  WindowHandle Owner = 0;
  std::uint32_t Thread = 7;
  bool Minimized = false, MaximizedBeforeMinimized = false, Maximized = false, OwnThread = false;
  std::optional<std::uint8_t> Alpha;  // set once made layered
  std::vector<std::string> MenuItems; // "Send to" texts in the system menu
  bool Hung = false;                  // its program takes no messages; changes to it would wait
};

class FakeWindowSystem : public WindowSystem {
public:
  static constexpr WindowHandle kDesktop = 0x10010;

  // Adds a window below the ones added before (the first is the top-most).
  FakeWindow &Add(WindowHandle handle, FakeWindow window = {}) {
    windows[handle] = std::move(window);
    zOrder.push_back(handle);
    return windows[handle];
  }
  void Close(WindowHandle handle) {
    windows.erase(handle);
    std::erase(zOrder, handle);
  }
  void RaiseToTop(WindowHandle handle) {
    std::erase(zOrder, handle);
    zOrder.insert(zOrder.begin(), handle);
  }
  FakeWindow &operator[](WindowHandle handle) { return windows.at(handle); }
  // Whether the window would be seen on the screen.
  bool OnScreen(WindowHandle handle) const {
    const FakeWindow &w = windows.at(handle);
    return w.Rect.top > -5000 && !(w.Alpha && *w.Alpha == 0);
  }
  int PostsFor(WindowHandle handle, int code) const {
    return static_cast<int>(
        std::count(shellHookPosts.begin(), shellHookPosts.end(), std::make_pair(code, handle)));
  }

  std::vector<WindowHandle> TopLevelWindows() override { return zOrder; }
  bool IsWindow(WindowHandle window) override { return windows.contains(window); }
  bool IsOwnWindow(WindowHandle window) override { return Get(window).OwnThread; }
  std::uint32_t Style(WindowHandle window) override {
    ++styleReads;
    return Get(window).Style;
  }
  std::uint32_t ExStyle(WindowHandle window) override { return Get(window).ExStyle; }
  bool Responds(WindowHandle window) override { return !Get(window).Hung; }
  void SetExStyle(WindowHandle window, std::uint32_t exStyle) override {
    if (!frozen)
      Answering(window).ExStyle = exStyle, Changed();
  }
  WindowHandle Owner(WindowHandle window) override { return Get(window).Owner; }
  std::string ClassName(WindowHandle window) override { return Get(window).ClassName; }
  std::string Title(WindowHandle window) override { return Get(window).Title; }
  std::string ProcessName(WindowHandle window) override { return Get(window).ProcessName; }
  std::uint32_t ProcessId(WindowHandle window) override { return Get(window).ProcessId; }
  std::uint32_t ThreadId(WindowHandle window) override { return Get(window).Thread; }
  std::uint32_t CurrentThreadId() override { return 1; }
  WindowRect Rect(WindowHandle window) override { return Get(window).Rect; }
  void SetPosition(WindowHandle window, std::int32_t left, std::int32_t top, bool move) override {
    if (frozen)
      return;
    WindowRect &rect = Answering(window).Rect;
    ++positionCalls;
    if (!move)
      return;
    rect.right += left - rect.left;
    rect.bottom += top - rect.top;
    rect.left = left;
    rect.top = top;
    Changed();
  }
  void SetLayeredAlpha(WindowHandle window, std::uint8_t alpha) override {
    if (!frozen)
      Get(window).Alpha = alpha, Changed();
  }
  void PostShellHook(int code, WindowHandle window) override {
    if (!frozen)
      shellHookPosts.emplace_back(code, window), Changed();
  }
  bool IsMinimized(WindowHandle window) override { return Get(window).Minimized; }
  void BringToFront(WindowHandle window) override {
    Answering(window);
    foreground = window;
    RaiseToTop(window);
  }
  void RestoreMinimized(WindowHandle window) override {
    FakeWindow &w = Get(window);
    w.Minimized = false;
    w.Maximized = w.MaximizedBeforeMinimized;
  }
  WindowHandle ForegroundWindow() override { return foreground; }
  void SetForegroundWindow(WindowHandle window) override { foreground = window; }
  WindowHandle DesktopWindow() override { return kDesktop; }
  WindowHandle ProgmanWindow() override { return progman; }
  void ShowDesktop() override { ++showDesktopCalls; }
  WindowHandle WindowDraggedByCaption() override { return dragged; }
  void SetSendToMenu(WindowHandle window, const std::array<std::string, 6> *names) override {
    FakeWindow &w = Get(window);
    w.MenuItems.clear();
    if (names)
      for (const auto &name : *names)
        w.MenuItems.push_back("Send to " + name);
  }

  std::map<WindowHandle, FakeWindow> windows;
  std::vector<WindowHandle> zOrder; // top first
  WindowHandle foreground = 0, dragged = 0, progman = 0;
  std::vector<std::pair<int, WindowHandle>> shellHookPosts;
  int positionCalls = 0, showDesktopCalls = 0, styleReads = 0;
  // Called after each change to a window, its style, alpha or taskbar button.
  std::function<void()> afterChange;
  // Changes are ignored, as after the program that makes them was killed.
  bool frozen = false;

private:
  void Changed() {
    if (afterChange)
      afterChange();
  }
  // A window whose program takes no messages would hold up a caller that changes it.
  FakeWindow &Answering(WindowHandle window) {
    EXPECT_FALSE(Get(window).Hung) << "a hung window's program would hold the caller up";
    return Get(window);
  }
  // A vanished window behaves like an empty one, as the system's calls do.
  FakeWindow &Get(WindowHandle window) {
    auto found = windows.find(window);
    if (found != windows.end())
      return found->second;
    vanished = FakeWindow{};
    vanished.Style = 0;
    return vanished;
  }
  FakeWindow vanished;
};

} // namespace qv::test
