// Batched window changes: within a batch, a window of another program whose
// thread runs the hook library gets its style change and move as one posted
// message that its own thread carries out, so that a switch neither waits on
// each program in turn nor makes three round trips per window. The taskbar
// message follows once the window is done. A window whose thread does not
// carry the change out in time gets it from here after all.
#include "desktops/window_system_win32.h"

#include <cstdint>

namespace qv {
namespace {

// Without one window done for this long, the rest is done from here.
constexpr ULONGLONG kPatienceMilliseconds = 300;

bool FitsInHalf(std::int32_t value) {
  return value >= INT16_MIN && value <= INT16_MAX;
}

} // namespace

void Win32WindowSystem::BeginBatch() {
  batching_ = true;
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
  WaitForPostedChanges();
  batchThreads_.clear();
  hookedThreads_.clear();
}

void Win32WindowSystem::CancelPendingChange(WindowHandle window) {
  RemovePropW(ToHwnd(window), kRestyleRequestProperty);
}

void Win32WindowSystem::PrepareForBatches(WindowHandle window) {
  ChangedByItsOwnThread(ToHwnd(window));
}

bool Win32WindowSystem::ChangedByItsOwnThread(HWND window) {
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
  PostMessageW(window, restyleMessage_, 0, 0);
  return false;
}

std::size_t Win32WindowSystem::FindPending(HWND window) const {
  std::size_t index = 0;
  while (index < pending_.size() && pending_[index].window != window)
    ++index;
  return index;
}

bool Win32WindowSystem::PostChange(PendingChange &change, std::int32_t left, std::int32_t top) {
  if (change.posted || !FitsInHalf(left) || !FitsInHalf(top))
    return false;
  change.left = left;
  change.top = top;
  if (!SetPropW(change.window, kRestyleRequestProperty, reinterpret_cast<HANDLE>(1)))
    return false;
  const auto packed = static_cast<DWORD>(static_cast<std::uint16_t>(left)) |
                      (static_cast<DWORD>(static_cast<std::uint16_t>(top)) << 16);
  if (!PostMessageW(change.window, restyleMessage_, change.exStyle, static_cast<LPARAM>(packed))) {
    RemovePropW(change.window, kRestyleRequestProperty);
    return false;
  }
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
  std::size_t done = 0; // in the order posted: one thread works through its windows in turn
  while (done < pending_.size()) {
    const PendingChange &change = pending_[done];
    if (!GetPropW(change.window, kRestyleRequestProperty) || !::IsWindow(change.window)) {
      if (change.shellCode)
        PostShellHookNow(*change.shellCode, change.window);
      ++done;
      lastDone = GetTickCount64();
      continue;
    }
    const ULONGLONG now = GetTickCount64();
    if (now - lastDone > kPatienceMilliseconds)
      break;
    // A pause, not a spin: each look asks the window server, which the
    // windows' threads need for the changes themselves.
    Sleep(1);
  }
  for (std::size_t index = done; index < pending_.size(); ++index) {
    const PendingChange &change = pending_[index];
    if (!Responds(ToWindowHandle(change.window))) {
      // Left to its thread, which carries it out when it answers again; a
      // change from here would wait for it.
      if (change.shellCode)
        PostShellHookNow(*change.shellCode, change.window);
      continue;
    }
    RemovePropW(change.window, kRestyleRequestProperty);
    CarryOutHere(change);
    MoveHere(change.window, change.left, change.top, true);
  }
  pending_.clear();
}

} // namespace qv
