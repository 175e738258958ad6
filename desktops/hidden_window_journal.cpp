#include "desktops/hidden_window_journal.h"

#include "desktops/window_placement.h"
#include "shell/log.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>

namespace qv {
namespace {

constexpr std::string_view kMovedWord = "moved";
constexpr std::string_view kTransparentWord = "transparent";

std::filesystem::path TemporaryFile(const std::filesystem::path &file) {
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  return temporary;
}

template <typename Number> bool ParseDecimal(std::string_view text, Number &value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<HiddenWindowEntry> ParseLine(const std::string &line) {
  std::istringstream words(line);
  std::string handle, exStyle, method, extra;
  if (!(words >> handle >> exStyle >> method) || (words >> extra))
    return std::nullopt;
  HiddenWindowEntry entry;
  if (!ParseDecimal(handle, entry.Handle) || entry.Handle == 0 ||
      !ParseDecimal(exStyle, entry.ExStyle))
    return std::nullopt;
  if (method == kMovedWord)
    entry.Method = HideMethod::Moved;
  else if (method == kTransparentWord)
    entry.Method = HideMethod::Transparent;
  else
    return std::nullopt;
  return entry;
}

bool LooksHidden(WindowSystem &system, const HiddenWindowEntry &entry) {
  if (entry.Method == HideMethod::Transparent)
    return (system.ExStyle(entry.Handle) & window_style::kExLayered) != 0;
  return system.Rect(entry.Handle).top < kHiddenTopLimit;
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

} // namespace

THiddenWindowJournal::THiddenWindowJournal(std::filesystem::path file) : file_(std::move(file)) {}

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
  std::error_code ignored;
  std::filesystem::remove(file_, ignored);
  std::filesystem::remove(TemporaryFile(file_), ignored);
}

void THiddenWindowJournal::Changed() {
  if (deferrals_ > 0)
    pendingWrite_ = true;
  else
    Write();
}

void THiddenWindowJournal::Write() {
  pendingWrite_ = false;
  std::error_code ignored;
  if (entries_.empty()) {
    std::filesystem::remove(file_, ignored);
    return;
  }
  const std::filesystem::path temporary = TemporaryFile(file_);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (const auto &entry : entries_) {
      out << entry.Handle << ' ' << entry.ExStyle << ' '
          << (entry.Method == HideMethod::Moved ? kMovedWord : kTransparentWord) << '\n';
    }
    out.flush();
    if (!out)
      return; // keep the previous journal rather than a partial one
  }
  std::filesystem::rename(temporary, file_, ignored);
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

std::vector<HiddenWindowEntry> ReadHiddenWindowJournal(const std::filesystem::path &file) {
  std::vector<HiddenWindowEntry> entries;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (const auto entry = ParseLine(line))
      entries.push_back(*entry);
  }
  return entries;
}

int RecoverHiddenWindows(WindowSystem &system, const std::filesystem::path &file, TLog *log) {
  int shown = 0;
  for (const auto &entry : ReadHiddenWindowJournal(file)) {
    if (!system.IsWindow(entry.Handle) || !LooksHidden(system, entry))
      continue;
    ShowAgain(system, entry);
    ++shown;
    if (log)
      log->Add("Recovered hidden window " + std::to_string(entry.Handle));
  }
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  std::filesystem::remove(TemporaryFile(file), ignored);
  return shown;
}

} // namespace qv
