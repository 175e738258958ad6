// Batched window changes: within a batch, the windows of another program whose
// thread runs the hook library get their style changes and moves from that
// thread, asked in a table the two share and started by one posted message per
// thread, so that a switch neither waits on each program in turn nor makes
// round trips per window. The taskbar message follows once the window is done.
// A window whose thread does not carry the change out in time gets it from here
// after all.
#include "desktops/window_system_win32.h"

#include <cstdint>

namespace qv {
namespace {

// Without one window done for this long, the rest is done from here.
constexpr ULONGLONG kPatienceMilliseconds = 300;
// A window not done for this long may have gone with its thread: asked then.
constexpr ULONGLONG kLookForGoneWindowsMilliseconds = 20;

} // namespace

void Win32WindowSystem::OpenRequestTable() {
  wchar_t name[kRestyleNameLength];
  RestyleSectionName(GetCurrentProcessId(), name);
  restyleSection_.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(kRestyleSectionBytes), name));
  // A section of that name left by someone else is not ours to trust.
  if (!restyleSection_ || GetLastError() == ERROR_ALREADY_EXISTS) {
    restyleSection_.Reset();
    return;
  }
  restyleView_.Reset(MapViewOfFile(restyleSection_.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0,
                                   static_cast<SIZE_T>(kRestyleSectionBytes)));
  if (restyleView_)
    restyleTable_.emplace(restyleView_.Get());
}

void Win32WindowSystem::BeginBatch() {
  batching_ = true;
  batchBegan_ = GetTickCount64();
}

DWORD Win32WindowSystem::ThreadOf(HWND window) {
  if (!batching_)
    return GetWindowThreadProcessId(window, nullptr);
  const auto [known, added] = batchThreads_.try_emplace(window, 0);
  if (added)
    known->second = GetWindowThreadProcessId(window, nullptr);
  return known->second;
}

void Win32WindowSystem::EndBatch() {
  batching_ = false;
  // Style changes that never got a move (the layered-window way) are done here.
  for (const PendingChange &change : pending_)
    if (!change.posted)
      CarryOutHere(change);
  std::erase_if(pending_, [](const PendingChange &change) { return !change.posted; });
  // A thread busy with its first message may have missed what came after it.
  for (const auto &[thread, asked] : askedThreads_)
    if (asked.since)
      AskThread(asked.window, kRestyleTakeRequests);
  WaitForPostedChanges();
  ForgetRequestsOfVanishedWindows();
  askedThreads_.clear();
  batchThreads_.clear();
  hookedThreads_.clear();
}

void Win32WindowSystem::CancelPendingChange(WindowHandle window) {
  WithdrawLeftRequests(ToHwnd(window));
}

// What an earlier batch left to a thread that did not answer, overtaken.
void Win32WindowSystem::WithdrawLeftRequests(HWND window) {
  std::erase_if(leftToThreads_, [&](const PendingChange &change) {
    return change.window == window && WithdrawRestyle((*restyleTable_)[change.entry]);
  });
}

void Win32WindowSystem::PrepareForBatches(WindowHandle window) {
  ChangedByItsOwnThread(ToHwnd(window));
}

bool Win32WindowSystem::ChangedByItsOwnThread(HWND window) {
  if (!restyleTable_)
    return false;
  const DWORD thread = ThreadOf(window);
  if (thread == 0 || thread == GetCurrentThreadId())
    return false;
  // The library serves a thread's every window once it runs there.
  if (hookedThreads_.contains(thread))
    return true;
  if (GetPropW(window, kHookedProperty)) {
    hookedThreads_.insert(thread);
    return true;
  }
  // Not known yet: the library, if it runs there, marks the window for next time.
  AskThread(window, kRestyleMarkWindow);
  return false;
}

bool Win32WindowSystem::AskThread(HWND window, LPARAM what) {
  return PostMessageW(window, restyleMessage_, GetCurrentProcessId(), what);
}

std::size_t Win32WindowSystem::FindPending(HWND window) const {
  std::size_t index = 0;
  while (index < pending_.size() && pending_[index].window != window)
    ++index;
  return index;
}

bool Win32WindowSystem::PostChange(PendingChange &change, std::int32_t left, std::int32_t top) {
  if (change.posted)
    return false;
  const auto window = ToWindowHandle(change.window);
  WithdrawLeftRequests(change.window);
  const DWORD thread = ThreadOf(change.window);
  const auto entry = restyleTable_->Ask(thread, window, change.exStyle, left, top);
  if (!entry)
    return false;
  const auto [asked, first] = askedThreads_.try_emplace(thread, AskedThread{change.window});
  if (!first) {
    asked->second.since = true;
  } else if (!AskThread(change.window, kRestyleTakeRequests)) {
    askedThreads_.erase(asked);
    WithdrawRestyle((*restyleTable_)[*entry]);
    return false;
  }
  change.left = left;
  change.top = top;
  change.entry = *entry;
  change.posted = true;
  return true;
}

// The style change and the taskbar message of a change, from here; the move
// is the caller's.
void Win32WindowSystem::CarryOutHere(const PendingChange &change) {
  SetWindowLongW(change.window, GWL_EXSTYLE, static_cast<LONG>(change.exStyle));
  if (change.shellCode)
    PostShellHookNow(*change.shellCode, change.window);
}

void Win32WindowSystem::CarryOutPendingHere(std::size_t index) {
  CarryOutHere(pending_[index]);
  pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(index));
}

void Win32WindowSystem::WaitForPostedChanges() {
  ULONGLONG lastDone = GetTickCount64();
  std::size_t done = 0; // in the order asked: one thread works through its windows in turn
  while (done < pending_.size()) {
    const PendingChange &change = pending_[done];
    const ULONGLONG now = GetTickCount64();
    // The table is memory: reading it costs the window server nothing.
    if (StateOf((*restyleTable_)[change.entry]) == RestyleState::Done ||
        (now - lastDone > kLookForGoneWindowsMilliseconds && !::IsWindow(change.window))) {
      if (change.shellCode)
        PostShellHookNow(*change.shellCode, change.window);
      ++done;
      lastDone = now;
      continue;
    }
    if (now - lastDone > kPatienceMilliseconds)
      break;
    Sleep(1);
  }
  for (std::size_t index = done; index < pending_.size(); ++index)
    GiveUpWaiting(pending_[index]);
  pending_.clear();
}

void Win32WindowSystem::GiveUpWaiting(const PendingChange &change) {
  RestyleEntry &entry = (*restyleTable_)[change.entry];
  if (StateOf(entry) == RestyleState::Asked && !Responds(ToWindowHandle(change.window))) {
    // Left to its thread, which carries it out when it answers again; a
    // change from here would wait for it.
    leftToThreads_.push_back(change);
  } else if (WithdrawRestyle(entry)) {
    SetWindowLongW(change.window, GWL_EXSTYLE, static_cast<LONG>(change.exStyle));
    MoveHere(change.window, change.left, change.top, true);
  }
  // Taken meanwhile: its thread is at it.
  if (change.shellCode)
    PostShellHookNow(*change.shellCode, change.window);
}

// A request left to a thread that ended with its window would hold its entry
// for good.
void Win32WindowSystem::ForgetRequestsOfVanishedWindows() {
  std::erase_if(leftToThreads_, [&](const PendingChange &change) {
    RestyleEntry &entry = (*restyleTable_)[change.entry];
    if (StateOf(entry) != RestyleState::Asked ||
        entry.Window != static_cast<std::uint64_t>(ToWindowHandle(change.window)))
      return true;
    return !::IsWindow(change.window) && WithdrawRestyle(entry);
  });
}

} // namespace qv
