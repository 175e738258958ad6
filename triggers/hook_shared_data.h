#pragma once
// The record the hook library shares with every process it is loaded into. Its layout
// is fixed byte for byte (packed, little-endian), since code built separately reads it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace qv {

// Library event codes the program acts on. A move request (21 to 26) comes as
// the trigger notification's wParam with the window in lParam, so that each
// request carries its own data; a gesture is left in the record by the
// library's thread in the program's process, its only writer.
inline constexpr std::uint32_t kLibraryNoEvent = 0;
inline constexpr std::uint32_t kLibraryGesture = 10;
inline constexpr std::uint32_t kLibraryMoveToDesktop1 = 21; // 21 to 26: desktops 1 to 6
inline constexpr std::uint32_t kLibraryMoveToDesktop6 = 26;

// The "Send to" items of a window's system menu: a separator with the first command,
// then one item per desktop.
inline constexpr unsigned kSendToFirstCommand = 1280;
inline constexpr unsigned kSendToLastCommand = 1286;
// Registered message, posted to a window, with which the library keeps those items in
// the window's own process: wParam 1 puts them in, with lParam a global atom whose
// name is the six captions separated by line feeds; wParam 0 takes them out. The
// window carries the property kSendToItemsProperty while its menu holds them.
inline constexpr char kSendToMenuMessageName[] = "QuadrivistaSendToMenu";
inline constexpr wchar_t kSendToItemsProperty[] = L"QuadrivistaSendToItems";
// Registered message with which the program asks the library to change windows'
// extended styles and positions in their own thread (see triggers/restyle_request.h).
// The library marks a window with kHookedProperty when asked to: it runs in the
// window's thread, and requests may follow.
inline constexpr char kRestyleMessageName[] = "QuadrivistaRestyleWindow";
inline constexpr wchar_t kHookedProperty[] = L"QuadrivistaHooked";

#pragma pack(push, 1)
struct THookSharedData {
  std::uint8_t LibraryReservedA[8]; // the library's own
  std::uint8_t LibraryFlagA;
  std::uint8_t LibraryFlagB;
  std::uint32_t LibraryValueA;
  std::uint32_t LibraryValueB;
  std::uint32_t NotifyWindow;       // receiver of the trigger notification; 0 = post nothing
  std::uint32_t EventCode;          // the library's pending gesture event, 0 once taken
  char GestureText[256];            // zero-terminated text of the last gesture (event 10)
  std::uint32_t EventWindow;        // unused: move requests travel in their message
  std::uint8_t LibraryReservedB[9]; // the library's own
  std::uint32_t LibraryParameter;
};
#pragma pack(pop)

static_assert(offsetof(THookSharedData, LibraryFlagA) == 8);
static_assert(offsetof(THookSharedData, LibraryFlagB) == 9);
static_assert(offsetof(THookSharedData, LibraryValueA) == 10);
static_assert(offsetof(THookSharedData, LibraryValueB) == 14);
static_assert(offsetof(THookSharedData, NotifyWindow) == 18);
static_assert(offsetof(THookSharedData, EventCode) == 22);
static_assert(offsetof(THookSharedData, GestureText) == 26);
static_assert(offsetof(THookSharedData, EventWindow) == 282);
static_assert(offsetof(THookSharedData, LibraryReservedB) == 286);
static_assert(offsetof(THookSharedData, LibraryParameter) == 295);
static_assert(sizeof(THookSharedData) == 299);

// What the library makes of its own fields:
//   LibraryFlagA       non-zero while the program wants mouse gestures
//   LibraryParameter   the shortest stroke of a gesture, in tens of pixels

// The values the record must hold before the library is installed. The library's
// own bytes are left as they are.
inline void PrepareHookSharedData(THookSharedData &data) {
  data.LibraryValueA = 0;
  data.LibraryValueB = 0;
  data.LibraryFlagA = 0;
  data.LibraryFlagB = 0;
  data.NotifyWindow = 0;
  data.LibraryParameter = 3;
}

// The pending event code sits at an unaligned place of the packed record; it
// is set and taken in one step each, so that no event is lost between them.
inline std::uint32_t *EventCodeOf(THookSharedData &data) {
  return reinterpret_cast<std::uint32_t *>(reinterpret_cast<unsigned char *>(&data) +
                                           offsetof(THookSharedData, EventCode));
}
inline void PostLibraryEvent(THookSharedData &data, std::uint32_t code) {
  __atomic_store_n(EventCodeOf(data), code, __ATOMIC_RELEASE);
}
inline std::uint32_t TakeLibraryEvent(THookSharedData &data) {
  return __atomic_exchange_n(EventCodeOf(data), std::uint32_t{0}, __ATOMIC_ACQ_REL);
}

// The gesture text up to its terminating zero (or all 256 bytes when it has none).
inline std::string GestureTextOf(const THookSharedData &data) {
  const char *text = data.GestureText;
  const void *end = std::memchr(text, 0, sizeof data.GestureText);
  const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char *>(end) - text)
                                 : sizeof data.GestureText;
  return std::string(text, length);
}

} // namespace qv
