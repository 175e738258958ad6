#pragma once
#include "desktops/window_system.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class TLog;

// How the program took a window off the screen.
enum class HideMethod {
  Moved,       // 25000 pixels up, without its taskbar button
  Transparent, // layered with alpha 0
};

// A handle alone names a window only until the system reuses its value, so
// an entry also carries what the window's owning process and class were.
struct HiddenWindowEntry {
  WindowHandle Handle = 0;
  std::uint32_t ProcessId = 0;
  std::uint32_t ExStyle = 0; // the extended style to write back
  HideMethod Method = HideMethod::Moved;
  std::string ClassName;
  friend bool operator==(const HiddenWindowEntry &, const HiddenWindowEntry &) = default;
};

// The boot and logon session a journal was written in: outside them its
// handles and process ids name other windows.
struct JournalSession {
  std::uint64_t BootTime = 0; // seconds, as the system reports its start
  std::uint64_t LogonId = 0;
  // The same boot (start times a few seconds apart at most) and logon.
  bool Matches(const JournalSession &other) const;
};

// Puts `contents` in place of the file's content as one step (a temporary
// file renamed over it); returns false with a reason when it could not.
using FileReplacer = std::function<bool(const std::filesystem::path &file,
                                        const std::string &contents, std::string &error)>;
// The portable replacer: a stream written and flushed, then renamed.
bool ReplaceFileContents(const std::filesystem::path &file, const std::string &contents,
                         std::string &error);

// The windows the program keeps hidden, mirrored to a file so that they can
// be brought back when the process ended without showing them. The file
// exists only while some window is hidden; each change replaces it whole,
// so a reader never sees half a journal. Its first line names the session,
// then one line per window: handle, process id, extended style, "moved" or
// "transparent", and the class name in hexadecimal.
class THiddenWindowJournal {
public:
  explicit THiddenWindowJournal(std::filesystem::path file, JournalSession session = {},
                                FileReplacer replace = ReplaceFileContents, TLog *log = nullptr);

  // Records (or updates) a hidden window; writes only when something changed.
  void WindowHidden(const HiddenWindowEntry &entry);
  // Forgets a window that is shown again or gone.
  void WindowShown(WindowHandle window);
  // Forgets every window and removes the file (a clean exit).
  void Clear();

  const std::vector<HiddenWindowEntry> &Entries() const { return entries_; }
  const std::filesystem::path &File() const { return file_; }
  const JournalSession &Session() const { return session_; }

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
  JournalSession session_;
  FileReplacer replace_;
  TLog *log_;
  std::vector<HiddenWindowEntry> entries_;
  int deferrals_ = 0;
  bool pendingWrite_ = false;
};

struct HiddenWindowJournalContents {
  std::optional<JournalSession> Session; // none when the file names none
  std::vector<HiddenWindowEntry> Entries;
};

// What a journal file holds; a missing or empty file gives nothing, and
// lines that cannot be read are skipped.
HiddenWindowJournalContents ReadHiddenWindowJournal(const std::filesystem::path &file);
HiddenWindowJournalContents ParseHiddenWindowJournal(const std::string &text);

// Brings back every window of a journal file of this session that is still
// the same window (process id and class) and still shows a trace of hiding
// (moved above -5000, the taskbar style taken away, or made transparent),
// with its extended style and taskbar button, then removes the file. A
// journal of another boot or logon is discarded. Called at start-up before
// the first discovery pass. Returns the number shown.
int RecoverHiddenWindows(WindowSystem &system, const std::filesystem::path &file,
                         const JournalSession &session, TLog *log = nullptr);

// The extended style hiding by moving gives a window: a tool window, so that
// the taskbar keeps no button for it.
std::uint32_t HiddenExStyle(std::uint32_t exStyle);

} // namespace qv
