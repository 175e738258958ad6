#pragma once
// How the program asks the windows of other programs to change their extended
// style and move, each in its own thread, where neither waits on the other and
// the windows of many programs change at once.
//
// The program keeps one section, named by RestyleSectionName(its process id):
// a RestyleHeader and up to kRestyleCapacity RestyleEntry records. For each
// window it fills a free entry and then sets its ticket to (the window's
// thread, Asked). It posts one window of each such thread the registered
// message kRestyleMessageName with wParam its process id and lParam
// kRestyleTakeRequests; the library, taking the message from the thread's
// queue, takes every entry asked of its thread (ticket to Taken), carries it
// out and sets the ticket to Done, entry by entry. The program reads the
// tickets, with no call into the window server per window; one it gives up
// waiting for it withdraws (Asked to Withdrawn) and carries out itself. A
// ticket changes in one atomic step on each side, so each request is carried
// out by one side only, and an entry used again for another thread cannot be
// taken by the thread it was asked of before.
//
// The same message with lParam kRestyleMarkWindow asks the library to mark
// the window with kHookedProperty if it can open the section: requests for
// that thread's windows may follow. With lParam kRestyleGiveFocus it asks the
// thread to give the window the keyboard focus, if the window is the
// foreground window and the focus is not already in it.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "shell/object_name.h"

namespace qv {

inline constexpr std::uint32_t kRestyleMagic = 0x31525651; // "QVR1"
inline constexpr std::uint32_t kRestyleCapacity = 4096;
inline constexpr std::intptr_t kRestyleMarkWindow = 0;
inline constexpr std::intptr_t kRestyleTakeRequests = 1;
inline constexpr std::intptr_t kRestyleGiveFocus = 2;

enum class RestyleState : std::uint32_t { Free = 0, Asked = 1, Taken = 2, Done = 3, Withdrawn = 4 };

struct RestyleHeader {
  std::uint32_t Magic;
  std::uint32_t Count; // entries in use lie below this index
  std::uint32_t Reserved[2];
};
static_assert(sizeof(RestyleHeader) == 16);

struct RestyleEntry {
  std::uint64_t Ticket; // thread id << 32 | RestyleState
  std::uint64_t Window; // the handle as a number
  std::uint32_t ExStyle;
  std::int32_t Left;
  std::int32_t Top;
  std::uint32_t Reserved;
};
static_assert(sizeof(RestyleEntry) == 32);

inline constexpr std::uint64_t kRestyleSectionBytes =
    sizeof(RestyleHeader) + std::uint64_t{kRestyleCapacity} * sizeof(RestyleEntry);

inline constexpr std::size_t kRestyleNameLength = 40;
// "QuadrivistaRestyle-<process id>", zero-terminated.
inline void RestyleSectionName(std::uint32_t process, wchar_t (&name)[kRestyleNameLength]) {
  std::size_t length = 0;
  AppendText(name, length, L"QuadrivistaRestyle-");
  AppendDecimal(name, length, process);
}

constexpr std::uint64_t RestyleTicket(std::uint32_t thread, RestyleState state) {
  return std::uint64_t{thread} << 32 | static_cast<std::uint32_t>(state);
}

inline std::uint64_t LoadTicket(const RestyleEntry &entry) {
  return __atomic_load_n(&entry.Ticket, __ATOMIC_ACQUIRE);
}

inline RestyleState StateOf(const RestyleEntry &entry) {
  return static_cast<RestyleState>(static_cast<std::uint32_t>(LoadTicket(entry)));
}

// The library's side: takes an entry asked of `thread`; its other fields may
// be read once this returns true.
inline bool TakeRestyle(RestyleEntry &entry, std::uint32_t thread) {
  std::uint64_t expected = RestyleTicket(thread, RestyleState::Asked);
  if (LoadTicket(entry) != expected) // most entries: no locked step for them
    return false;
  return __atomic_compare_exchange_n(&entry.Ticket, &expected,
                                     RestyleTicket(thread, RestyleState::Taken), false,
                                     __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE);
}

inline void FinishRestyle(RestyleEntry &entry, std::uint32_t thread) {
  __atomic_store_n(&entry.Ticket, RestyleTicket(thread, RestyleState::Done), __ATOMIC_RELEASE);
}

// The program's side: withdraws an entry nobody has taken yet; true if it is
// now the program's to carry out.
inline bool WithdrawRestyle(RestyleEntry &entry) {
  std::uint64_t ticket = LoadTicket(entry);
  if (static_cast<RestyleState>(static_cast<std::uint32_t>(ticket)) != RestyleState::Asked)
    return false;
  return __atomic_compare_exchange_n(
      &entry.Ticket, &ticket,
      RestyleTicket(static_cast<std::uint32_t>(ticket >> 32), RestyleState::Withdrawn), false,
      __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE);
}

// The program's table of requests over a section's memory.
class RestyleTable {
public:
  // `memory` holds kRestyleSectionBytes, zeroed.
  explicit RestyleTable(void *memory)
      : header_(static_cast<RestyleHeader *>(memory)),
        entries_(reinterpret_cast<RestyleEntry *>(header_ + 1)) {
    header_->Magic = kRestyleMagic;
  }

  // Asks the change of `thread`; the entry's index, or none when every entry
  // is in use.
  std::optional<std::uint32_t> Ask(std::uint32_t thread, std::uint64_t window,
                                   std::uint32_t exStyle, std::int32_t left, std::int32_t top) {
    // From where the last one was asked, so that entries done early in a
    // batch are not used again within it.
    for (std::uint32_t step = 0; step < kRestyleCapacity; ++step) {
      const std::uint32_t index = (next_ + step) % kRestyleCapacity;
      RestyleEntry &entry = entries_[index];
      const RestyleState state = StateOf(entry);
      if (state == RestyleState::Asked || state == RestyleState::Taken)
        continue;
      entry.Window = window;
      entry.ExStyle = exStyle;
      entry.Left = left;
      entry.Top = top;
      if (index >= header_->Count)
        __atomic_store_n(&header_->Count, index + 1, __ATOMIC_RELEASE);
      __atomic_store_n(&entry.Ticket, RestyleTicket(thread, RestyleState::Asked), __ATOMIC_RELEASE);
      next_ = (index + 1) % kRestyleCapacity;
      return index;
    }
    return std::nullopt;
  }

  RestyleEntry &operator[](std::uint32_t index) { return entries_[index]; }

private:
  RestyleHeader *header_;
  RestyleEntry *entries_;
  std::uint32_t next_ = 0;
};

// The library's side: the entries a section of `bytes` may hold, as its
// header claims them (0 for a section that is not one).
inline std::uint32_t RestyleEntriesIn(const RestyleHeader &header, std::uint64_t bytes) {
  if (bytes < sizeof(RestyleHeader) || header.Magic != kRestyleMagic)
    return 0;
  const std::uint32_t count = __atomic_load_n(&header.Count, __ATOMIC_ACQUIRE);
  const std::uint64_t room = (bytes - sizeof(RestyleHeader)) / sizeof(RestyleEntry);
  return count <= room ? count : static_cast<std::uint32_t>(room);
}

inline RestyleEntry *RestyleEntriesOf(RestyleHeader &header) {
  return reinterpret_cast<RestyleEntry *>(&header + 1);
}

} // namespace qv
