#pragma once
// How the program asks another process to print some of its windows into
// memory the two share. Under Wine, PrintWindow on another process's window
// draws nothing, so the hook library, which lives in every program, prints
// the windows from inside their own process instead.
//
// One request serves windows of one thread. The program creates a section
// named by WindowPrintSectionName(its process id, a fresh number): a
// WindowPrintHeader, Count WindowPrintEntry records (state Asked), then for
// each entry room for PictureWidth x PictureHeight 32-bit pixels, rows
// top-down, at its Offset from the section's start: the window, printed at
// its Width x Height, resampled to the picture's size. It creates an auto-reset event named by
// WindowPrintDoneEventName, posts one of the windows the registered message
// kWindowPrintMessageName with wParam its process id and lParam the number,
// and waits on the event. The library, taking the message from the thread's
// queue, prints each entry's window (windows of other threads it refuses),
// writes the entry's state (Printed or Failed) as the last write for that
// entry and sets the event, entry by entry, so the program can take each
// picture as it comes. Every request has a section of its own, so an answer
// that comes too late writes where nobody reads.
#include <cstddef>
#include <cstdint>

#include "shell/object_name.h"

namespace qv {

inline constexpr char kWindowPrintMessageName[] = "QuadrivistaPrintWindow";

inline constexpr std::uint32_t kWindowPrintMagic = 0x32505651; // "QVP2"
inline constexpr std::uint32_t kWindowPrintAsked = 1;
inline constexpr std::uint32_t kWindowPrintPrinted = 2;
inline constexpr std::uint32_t kWindowPrintFailed = 3;

// Bigger windows are not printed, and a request holds at most this many
// windows and pixels: never more than 32 MiB.
inline constexpr std::int32_t kWindowPrintMaxSide = 8192;
inline constexpr std::int64_t kWindowPrintMaxPixels = 8 * 1024 * 1024;
inline constexpr std::uint32_t kWindowPrintMaxCount = 64;

struct WindowPrintHeader {
  std::uint32_t Magic;
  std::uint32_t Count;
  std::uint32_t Reserved[2];
};
static_assert(sizeof(WindowPrintHeader) == 16);

struct WindowPrintEntry {
  std::uint64_t Window; // the handle as a number
  std::int32_t Width;   // the window's
  std::int32_t Height;
  std::int32_t PictureWidth; // the pixels'
  std::int32_t PictureHeight;
  std::uint64_t Offset; // of the pixels, from the section's start
  std::uint32_t State;
  std::uint32_t Reserved;
};
static_assert(sizeof(WindowPrintEntry) == 40);

// The bytes of the pixels of a width x height picture; 0 for a size that is
// empty or too big to be asked for.
constexpr std::size_t WindowPrintPixelBytes(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0 || width > kWindowPrintMaxSide || height > kWindowPrintMaxSide)
    return 0;
  const std::int64_t pixels = static_cast<std::int64_t>(width) * height;
  return pixels > kWindowPrintMaxPixels ? 0 : static_cast<std::size_t>(pixels) * 4;
}

// Where the first pixels may start: after the header and the entries.
constexpr std::uint64_t WindowPrintEntriesEnd(std::uint32_t count) {
  return sizeof(WindowPrintHeader) + std::uint64_t{count} * sizeof(WindowPrintEntry);
}

// Whether a request of `count` entries fits a section of `sectionBytes`.
constexpr bool WindowPrintCountFits(std::uint32_t count, std::uint64_t sectionBytes) {
  return count > 0 && count <= kWindowPrintMaxCount && WindowPrintEntriesEnd(count) <= sectionBytes;
}

// Whether the window's size may be printed and the entry's pixels lie wholly
// inside the section, behind the entries and aligned: the library writes
// them there for any process that asks, so nothing in the entry is trusted.
constexpr bool WindowPrintEntryFits(const WindowPrintEntry &entry, std::uint32_t count,
                                    std::uint64_t sectionBytes) {
  const std::size_t bytes = WindowPrintPixelBytes(entry.PictureWidth, entry.PictureHeight);
  return bytes != 0 && WindowPrintPixelBytes(entry.Width, entry.Height) != 0 &&
         WindowPrintCountFits(count, sectionBytes) && entry.Offset % 4 == 0 &&
         entry.Offset >= WindowPrintEntriesEnd(count) && entry.Offset <= sectionBytes &&
         bytes <= sectionBytes - entry.Offset;
}

inline constexpr std::size_t kWindowPrintNameLength = 64;

// "Local\QuadrivistaWindowPrint.<process>.<number>", zero-terminated.
inline void WindowPrintSectionName(std::uint32_t process, std::uint32_t number,
                                   wchar_t (&name)[kWindowPrintNameLength]) {
  std::size_t length = 0;
  AppendText(name, length, L"Local\\QuadrivistaWindowPrint.");
  AppendDecimal(name, length, process);
  AppendText(name, length, L".");
  AppendDecimal(name, length, number);
}

// The section's name followed by ".done".
inline void WindowPrintDoneEventName(std::uint32_t process, std::uint32_t number,
                                     wchar_t (&name)[kWindowPrintNameLength]) {
  WindowPrintSectionName(process, number, name);
  std::size_t length = 0;
  while (name[length])
    ++length;
  AppendText(name, length, L".done");
}

} // namespace qv
