#pragma once
#include "desktops/window_system.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace qv {

class TLog;

// How the program took a window off the screen.
enum class HideMethod {
  Moved,       // 25000 pixels up, without its taskbar button
  Transparent, // layered with alpha 0
};

struct HiddenWindowEntry {
  WindowHandle Handle = 0;
  std::uint32_t ExStyle = 0; // the extended style to write back
  HideMethod Method = HideMethod::Moved;
  friend bool operator==(const HiddenWindowEntry &, const HiddenWindowEntry &) = default;
};

// The windows the program keeps hidden, mirrored to a file so that they can
// be brought back when the process ended without showing them. The file
// exists only while some window is hidden; each change replaces it whole
// ("<file>.tmp" renamed over it), so a reader never sees half a journal.
// One line per window: handle, extended style, "moved" or "transparent".
class THiddenWindowJournal {
public:
  explicit THiddenWindowJournal(std::filesystem::path file);

  // Records (or updates) a hidden window; writes only when something changed.
  void WindowHidden(const HiddenWindowEntry &entry);
  // Forgets a window that is shown again or gone.
  void WindowShown(WindowHandle window);
  // Forgets every window and removes the file (a clean exit).
  void Clear();

  const std::vector<HiddenWindowEntry> &Entries() const { return entries_; }
  const std::filesystem::path &File() const { return file_; }

  // Holds the writes of a series of changes back until the scope ends, then
  // writes once if anything changed.
  class DeferredWrites {
  public:
    explicit DeferredWrites(THiddenWindowJournal *journal);
    ~DeferredWrites();
    DeferredWrites(const DeferredWrites &) = delete;
    DeferredWrites &operator=(const DeferredWrites &) = delete;

  private:
    THiddenWindowJournal *journal_;
  };

private:
  void Changed();
  void Write();

  std::filesystem::path file_;
  std::vector<HiddenWindowEntry> entries_;
  int deferrals_ = 0;
  bool pendingWrite_ = false;
};

// The entries of a journal file; a missing or empty file gives none, and
// lines that cannot be read are skipped.
std::vector<HiddenWindowEntry> ReadHiddenWindowJournal(const std::filesystem::path &file);

// Brings back every window of the journal file that still exists and still
// looks hidden (a moved one above -5000, a transparent one layered), with
// its extended style and taskbar button, then removes the file. Called at
// start-up before the first discovery pass. Returns the number shown.
int RecoverHiddenWindows(WindowSystem &system, const std::filesystem::path &file,
                         TLog *log = nullptr);

} // namespace qv
