#pragma once
// Pictures of other programs' windows taken inside their own processes by
// the hook library, for where printing them from here draws nothing (Wine).
#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace qv {

// One window to print, Width x Height, as a picture of PictureWidth x
// PictureHeight 32-bit pixels, rows top-down (resampled in the window's
// process), into Pixels when given.
struct RemotePrint {
  HWND Window = nullptr;
  int Width = 0;
  int Height = 0;
  int PictureWidth = 0;
  int PictureHeight = 0;
  std::uint32_t *Pixels = nullptr;
  bool Printed = false;
};

class RemoteWindowPrinter {
public:
  explicit RemoteWindowPrinter(std::chrono::milliseconds timeout = std::chrono::milliseconds(250));

  // Asks the windows' processes to print them, every request at once (one
  // per thread), and as each picture comes copies it into its Pixels and
  // calls `arrived` on this thread with its index and the picture (which
  // lasts until the call returns). Returns when every
  // window is answered or none was for the time-out. Not printed, with
  // their pixels untouched: windows of this process, too big, hung, out of
  // reach (a program of a higher integrity level), without the hook library,
  // or too slow to answer.
  void PrintAll(std::span<RemotePrint> prints,
                const std::function<void(std::size_t index, const std::uint32_t *picture)>
                    &arrived = {}) const;
  // One window at its own size; false when it was not printed.
  bool Print(HWND window, int width, int height, std::uint32_t *pixels) const;

private:
  std::chrono::milliseconds timeout_;
};

} // namespace qv
