#pragma once
// Shared between the pieces of the hook library. Everything here runs either
// in the program's own hook thread (the mouse hook) or inside other programs
// (the message hooks), so it must be quick and must never block.
#include "triggers/hook_shared_data.h"

#include <windows.h>

#include <cstdint>

namespace qv::hooks {

// A section the program named, opened and mapped for reading and writing
// while the object lives; Bytes() is the view's size (0 when none).
class OpenedSection {
public:
  explicit OpenedSection(const wchar_t *name) {
    section_ = OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name);
    if (section_)
      view_ = MapViewOfFile(section_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
    MEMORY_BASIC_INFORMATION region{};
    if (view_ && VirtualQuery(view_, &region, sizeof region) == sizeof region)
      bytes_ = region.RegionSize;
  }
  ~OpenedSection() {
    if (view_)
      UnmapViewOfFile(view_);
    if (section_)
      CloseHandle(section_);
  }
  OpenedSection(const OpenedSection &) = delete;
  OpenedSection &operator=(const OpenedSection &) = delete;

  void *View() const { return bytes_ ? view_ : nullptr; }
  std::uint64_t Bytes() const { return bytes_; }

private:
  HANDLE section_ = nullptr;
  void *view_ = nullptr;
  std::uint64_t bytes_ = 0;
};

// The record shared by every process the library is loaded into.
THookSharedData &Record();
HINSTANCE Module();
// The library's thread in the program's process (0 when the hooks are not installed).
DWORD HookThreadId();

// Posts the trigger notification to the program, unless it has not named its window.
void Notify(WPARAM code = 0, LPARAM window = 0);
// Reports that the user asked for `window` to go to desktop code - 20. A 64-bit
// library posts it to the program; the 32-bit one, which does not know the
// program's window, hands it to the 64-bit library's relay window there.
void ReportWindowMove(std::uint32_t code, std::uint32_t window);
inline constexpr wchar_t kRelayWindowClass[] = L"QuadrivistaHooksRelay";
inline constexpr UINT kRelayWindowMove = WM_APP + 2; // wParam code, lParam window

// The one message hook, installed for every process of the desktop. It sees
// only posted messages: a hook on sent messages would run on every message
// every program sends itself (several for each window move), and everything
// the program asks of another program's window is posted.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);

// Answers the program's request to print a window into shared memory and
// returns true; other messages are left alone (false).
bool AnswerWindowPrint(const MSG &message);
// Carries out the program's request to change a window's style and position
// and returns true; other messages are left alone (false).
bool AnswerRestyle(const MSG &message);

// Low-level mouse hook, running on the library's thread in the program's process.
LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
// Thread message the mouse hook posts to have a swallowed right click given back.
inline constexpr UINT kReplayRightClick = WM_APP + 1;
void ReplayRightClick();

} // namespace qv::hooks
