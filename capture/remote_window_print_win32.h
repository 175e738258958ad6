#pragma once
// Pictures of other programs' windows taken inside their own processes by
// the hook library, for where printing them from here draws nothing (Wine).
#include <windows.h>

#include <chrono>
#include <cstdint>

namespace qv {

class RemoteWindowPrinter {
public:
  explicit RemoteWindowPrinter(std::chrono::milliseconds timeout = std::chrono::milliseconds(250));

  // Asks the window's process to print the window into `pixels`: width x
  // height 32-bit pixels, rows top-down. False, with `pixels` untouched, for
  // windows of this process, too big, hung, out of reach (a program of a
  // higher integrity level), without the hook library, or too slow to answer.
  bool Print(HWND window, int width, int height, std::uint32_t *pixels) const;

private:
  std::chrono::milliseconds timeout_;
};

} // namespace qv
