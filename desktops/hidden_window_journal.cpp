#include "desktops/hidden_window_journal.h"

#include "desktops/window_placement.h"
#include "shell/log.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

namespace qv {
namespace {

constexpr std::string_view kSessionWord = "session";
constexpr std::string_view kMovedWord = "moved";
constexpr std::string_view kTransparentWord = "transparent";
constexpr std::string_view kEmptyClassWord = "-";
constexpr std::uint64_t kBootTimeTolerance = 5; // seconds
constexpr std::uint32_t kTaskbarStyleBits =
    window_style::kExToolWindow | window_style::kExAppWindow;

std::filesystem::path TemporaryFile(const std::filesystem::path &file) {
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  return temporary;
}

template <typename Number> bool ParseDecimal(std::string_view text, Number &value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseHex(std::string_view text, unsigned &value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return error == std::errc() && end == text.data() + text.size();
}

std::string HexText(const std::string &text) {
  if (text.empty())
    return std::string(kEmptyClassWord);
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char c : text) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

std::optional<std::string> TextFromHex(std::string_view hex) {
  if (hex == kEmptyClassWord)
    return std::string();
  if (hex.size() % 2 != 0)
    return std::nullopt;
  std::string text;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    unsigned value = 0;
    if (!ParseHex(hex.substr(i, 2), value))
      return std::nullopt;
    text += static_cast<char>(value);
  }
  return text;
}

std::vector<std::string> Words(const std::string &line) {
  std::istringstream stream(line);
  std::vector<std::string> words;
  std::string word;
  while (stream >> word)
    words.push_back(word);
  return words;
}

std::optional<JournalSession> ParseSession(const std::vector<std::string> &words) {
  JournalSession session;
  if (words.size() != 3 || words[0] != kSessionWord || !ParseDecimal(words[1], session.BootTime) ||
      !ParseDecimal(words[2], session.LogonId))
    return std::nullopt;
  return session;
}

std::optional<HiddenWindowEntry> ParseEntry(const std::vector<std::string> &words) {
  if (words.size() != 5)
    return std::nullopt;
  HiddenWindowEntry entry;
  if (!ParseDecimal(words[0], entry.Handle) || entry.Handle == 0 ||
      !ParseDecimal(words[1], entry.ProcessId) || !ParseDecimal(words[2], entry.ExStyle))
    return std::nullopt;
  if (words[3] == kMovedWord)
    entry.Method = HideMethod::Moved;
  else if (words[3] == kTransparentWord)
    entry.Method = HideMethod::Transparent;
  else
    return std::nullopt;
  const auto className = TextFromHex(words[4]);
  if (!className)
    return std::nullopt;
  entry.ClassName = *className;
  return entry;
}

bool IsSameWindow(WindowSystem &system, const HiddenWindowEntry &entry) {
  return system.IsWindow(entry.Handle) && system.ProcessId(entry.Handle) == entry.ProcessId &&
         system.ClassName(entry.Handle) == entry.ClassName;
}

// Any trace of a hide, whichever step it stopped at.
bool LooksHidden(WindowSystem &system, const HiddenWindowEntry &entry) {
  const std::uint32_t exStyle = system.ExStyle(entry.Handle);
  if (entry.Method == HideMethod::Transparent)
    return (exStyle & window_style::kExLayered) != 0;
  const std::uint32_t hidden = HiddenExStyle(entry.ExStyle) & kTaskbarStyleBits;
  const bool styleTakenAway =
      (entry.ExStyle & kTaskbarStyleBits) != hidden && (exStyle & kTaskbarStyleBits) == hidden;
  return styleTakenAway || system.Rect(entry.Handle).top < kHiddenTopLimit;
}

void ShowAgain(WindowSystem &system, const HiddenWindowEntry &entry) {
  if (entry.Method == HideMethod::Transparent) {
    system.PostShellHook(kShellHookWindowCreated, entry.Handle);
    system.SetLayeredAlpha(entry.Handle, 255);
    system.SetExStyle(entry.Handle, entry.ExStyle);
    return;
  }
  const WindowRect rect = system.Rect(entry.Handle);
  system.SetExStyle(entry.Handle, entry.ExStyle);
  system.PostShellHook(kShellHookWindowCreated, entry.Handle);
  const WindowPosition position = ShownPosition(rect);
  system.SetPosition(entry.Handle, position.Left, position.Top, position.Move);
}

std::string JournalText(const JournalSession &session,
                        const std::vector<HiddenWindowEntry> &entries) {
  std::ostringstream out;
  out << kSessionWord << ' ' << session.BootTime << ' ' << session.LogonId << '\n';
  for (const auto &entry : entries) {
    out << entry.Handle << ' ' << entry.ProcessId << ' ' << entry.ExStyle << ' '
        << (entry.Method == HideMethod::Moved ? kMovedWord : kTransparentWord) << ' '
        << HexText(entry.ClassName) << '\n';
  }
  return out.str();
}

void RemoveJournal(const std::filesystem::path &file) {
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  std::filesystem::remove(TemporaryFile(file), ignored);
}

} // namespace

bool JournalSession::Matches(const JournalSession &other) const {
  const std::uint64_t apart =
      BootTime > other.BootTime ? BootTime - other.BootTime : other.BootTime - BootTime;
  return apart <= kBootTimeTolerance && LogonId == other.LogonId;
}

std::uint32_t HiddenExStyle(std::uint32_t exStyle) {
  return (exStyle & ~window_style::kExAppWindow) | window_style::kExToolWindow;
}

bool ReplaceFileContents(const std::filesystem::path &file, const std::string &contents,
                         std::string &error) {
  const std::filesystem::path temporary = TemporaryFile(file);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << contents;
    out.flush();
    if (!out) {
      error = "cannot write " + temporary.string();
      return false;
    }
  }
  std::error_code failure;
  std::filesystem::rename(temporary, file, failure);
  if (failure) {
    error = "cannot rename " + temporary.string() + ": " + failure.message();
    return false;
  }
  return true;
}

THiddenWindowJournal::THiddenWindowJournal(std::filesystem::path file, JournalSession session,
                                           FileReplacer replace, TLog *log)
    : file_(std::move(file)), session_(session), replace_(std::move(replace)), log_(log) {}

void THiddenWindowJournal::WindowHidden(const HiddenWindowEntry &entry) {
  const auto known = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const auto &e) { return e.Handle == entry.Handle; });
  if (known == entries_.end())
    entries_.push_back(entry);
  else if (*known == entry)
    return;
  else
    *known = entry;
  Changed();
}

void THiddenWindowJournal::WindowShown(WindowHandle window) {
  const auto removed = std::remove_if(entries_.begin(), entries_.end(),
                                      [&](const auto &e) { return e.Handle == window; });
  if (removed == entries_.end())
    return;
  entries_.erase(removed, entries_.end());
  Changed();
}

void THiddenWindowJournal::Clear() {
  entries_.clear();
  pendingWrite_ = false;
  RemoveJournal(file_);
}

void THiddenWindowJournal::Changed() {
  if (deferrals_ > 0)
    pendingWrite_ = true;
  else
    Write();
}

void THiddenWindowJournal::Write() {
  pendingWrite_ = false;
  if (entries_.empty()) {
    std::error_code failure;
    std::filesystem::remove(file_, failure);
    if (failure && log_)
      log_->Add("Hidden-window journal not removed: " + failure.message());
    return;
  }
  std::string error;
  if (!replace_(file_, JournalText(session_, entries_), error) && log_)
    log_->Add("Hidden-window journal not written: " + error);
}

THiddenWindowJournal::DeferredWrites::DeferredWrites(THiddenWindowJournal *journal)
    : journal_(journal) {
  if (journal_)
    ++journal_->deferrals_;
}

THiddenWindowJournal::DeferredWrites::~DeferredWrites() {
  if (!journal_)
    return;
  if (--journal_->deferrals_ == 0 && journal_->pendingWrite_)
    journal_->Write();
}

HiddenWindowJournalContents ParseHiddenWindowJournal(const std::string &text) {
  HiddenWindowJournalContents contents;
  std::istringstream in(text);
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    const std::vector<std::string> words = Words(line);
    if (first)
      contents.Session = ParseSession(words);
    first = false;
    if (const auto entry = ParseEntry(words))
      contents.Entries.push_back(*entry);
  }
  return contents;
}

HiddenWindowJournalContents ReadHiddenWindowJournal(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return ParseHiddenWindowJournal(text.str());
}

int RecoverHiddenWindows(WindowSystem &system, const std::filesystem::path &file,
                         const JournalSession &session, TLog *log) {
  if (!std::filesystem::exists(file))
    return 0;
  const HiddenWindowJournalContents contents = ReadHiddenWindowJournal(file);
  RemoveJournal(file);
  if (!contents.Session || !contents.Session->Matches(session)) {
    if (log)
      log->Add("Hidden-window journal of another boot or logon session discarded");
    return 0;
  }
  int shown = 0;
  for (const auto &entry : contents.Entries) {
    if (!IsSameWindow(system, entry)) {
      if (log && system.IsWindow(entry.Handle))
        log->Add("Journal window " + std::to_string(entry.Handle) + " is another window now");
      continue;
    }
    system.CancelPendingChange(entry.Handle);
    if (!LooksHidden(system, entry))
      continue;
    ShowAgain(system, entry);
    ++shown;
    if (log)
      log->Add("Recovered hidden window " + std::to_string(entry.Handle));
  }
  return shown;
}

} // namespace qv
