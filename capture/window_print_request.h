#pragma once
// How the program asks another process to print one of its windows into
// memory the two share. Under Wine, PrintWindow on another process's window
// draws nothing, so the hook library, which lives in every program, prints
// the window from inside its own process instead.
//
// The program creates a section named by WindowPrintSectionName(its process
// id, a fresh number) that starts with a WindowPrintHeader (state Asked)
// followed by room for Width x Height 32-bit pixels, rows top-down, and an
// event named by WindowPrintDoneEventName. It posts the window the registered
// message kWindowPrintMessageName with wParam its process id and lParam the
// number, and waits for the event with a time-out. The library, taking the
// message from the window's queue, prints the window into the pixels, sets the
// state to Printed as its last write and sets the event. Every request has a
// section of its own, so an answer that comes too late writes where nobody
// reads.
#include <cstddef>
#include <cstdint>

namespace qv {

inline constexpr char kWindowPrintMessageName[] = "QuadrivistaPrintWindow";

inline constexpr std::uint32_t kWindowPrintMagic = 0x57505651; // "QVPW"
inline constexpr std::uint32_t kWindowPrintAsked = 1;
inline constexpr std::uint32_t kWindowPrintPrinted = 2;

// Bigger windows are not printed: a request never takes more than 32 MiB.
inline constexpr std::int32_t kWindowPrintMaxSide = 8192;
inline constexpr std::int64_t kWindowPrintMaxPixels = 8 * 1024 * 1024;

struct WindowPrintHeader {
  std::uint32_t Magic;
  std::int32_t Width;
  std::int32_t Height;
  std::uint32_t State;
};
static_assert(sizeof(WindowPrintHeader) == 16);

// The bytes of the pixels of a width x height picture; 0 for a size that is
// empty or too big to be asked for.
constexpr std::size_t WindowPrintPixelBytes(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0 || width > kWindowPrintMaxSide || height > kWindowPrintMaxSide)
    return 0;
  const std::int64_t pixels = static_cast<std::int64_t>(width) * height;
  return pixels > kWindowPrintMaxPixels ? 0 : static_cast<std::size_t>(pixels) * 4;
}

inline constexpr std::size_t kWindowPrintNameLength = 64;

// "Local\QuadrivistaWindowPrint.<process>.<number>", zero-terminated. Written
// by hand: the hook library keeps to the smallest set of imports.
inline void WindowPrintSectionName(std::uint32_t process, std::uint32_t number,
                                   wchar_t (&name)[kWindowPrintNameLength]) {
  const wchar_t prefix[] = L"Local\\QuadrivistaWindowPrint.";
  std::size_t length = 0;
  for (const wchar_t *c = prefix; *c; ++c)
    name[length++] = *c;
  const auto append = [&](std::uint32_t value) {
    wchar_t digits[10];
    std::size_t count = 0;
    do {
      digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
      value /= 10;
    } while (value);
    while (count)
      name[length++] = digits[--count];
  };
  append(process);
  name[length++] = L'.';
  append(number);
  name[length] = 0;
}

// The section's name followed by ".done".
inline void WindowPrintDoneEventName(std::uint32_t process, std::uint32_t number,
                                     wchar_t (&name)[kWindowPrintNameLength]) {
  WindowPrintSectionName(process, number, name);
  std::size_t length = 0;
  while (name[length])
    ++length;
  for (const wchar_t *c = L".done"; *c; ++c)
    name[length++] = *c;
  name[length] = 0;
}

} // namespace qv
