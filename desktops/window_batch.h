#pragma once
// A scope in which the window system may batch window changes.
#include "desktops/window_system.h"

namespace qv {

class WindowBatch {
public:
  explicit WindowBatch(WindowSystem &system) : system_(system) { system_.BeginBatch(); }
  ~WindowBatch() { system_.EndBatch(); }
  WindowBatch(const WindowBatch &) = delete;
  WindowBatch &operator=(const WindowBatch &) = delete;

private:
  WindowSystem &system_;
};

} // namespace qv
