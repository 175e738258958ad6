#pragma once
// The window system of the desktop logic, on the real Windows API.
#include "desktops/window_system.h"
#include "triggers/hook_shared_data.h"
#include "triggers/restyle_request.h"

#include <windows.h>

#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "shell/unique_handle_win32.h"

namespace qv {

class Win32WindowSystem : public WindowSystem {
public:
  // To be created on the user-interface thread: its windows are the program's
  // own. `taskSwitchWindow` is the taskbar's button list, which receives the
  // "SHELLHOOK" messages (0 when the shell has none).
  explicit Win32WindowSystem(HWND taskSwitchWindow);
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem &) = delete;
  Win32WindowSystem &operator=(const Win32WindowSystem &) = delete;

  std::vector<WindowHandle> TopLevelWindows() override;
  bool IsWindow(WindowHandle window) override;
  bool IsOwnWindow(WindowHandle window) override;

  std::uint32_t Style(WindowHandle window) override;
  std::uint32_t ExStyle(WindowHandle window) override;
  bool Responds(WindowHandle window) override;
  void SetExStyle(WindowHandle window, std::uint32_t exStyle) override;
  WindowHandle Owner(WindowHandle window) override;
  std::string ClassName(WindowHandle window) override;
  std::string Title(WindowHandle window) override;
  std::string ProcessName(WindowHandle window) override;
  std::uint32_t ProcessId(WindowHandle window) override;
  std::uint32_t ThreadId(WindowHandle window) override;
  std::uint32_t CurrentThreadId() override;

  WindowRect Rect(WindowHandle window) override;
  void SetPosition(WindowHandle window, std::int32_t left, std::int32_t top, bool move) override;
  void SetLayeredAlpha(WindowHandle window, std::uint8_t alpha) override;
  void PostShellHook(int code, WindowHandle window) override;
  void BeginBatch() override;
  void EndBatch() override;
  void CancelPendingChange(WindowHandle window) override;
  void PrepareForBatches(WindowHandle window) override;

  bool IsMinimized(WindowHandle window) override;
  void BringToFront(WindowHandle window) override;
  void RestoreMinimized(WindowHandle window) override;
  WindowHandle ForegroundWindow() override;
  void SetForegroundWindow(WindowHandle window) override;
  WindowHandle DesktopWindow() override;
  WindowHandle ProgmanWindow() override;
  void ShowDesktop() override;

  WindowHandle WindowDraggedByCaption() override;
  void SetSendToMenu(WindowHandle window, const std::array<std::string, 6> *names) override;

private:
  // A window's style change, taskbar message and move within a batch, asked
  // of the window's own thread once its move is known.
  struct PendingChange {
    HWND window;
    DWORD exStyle;
    std::optional<int> shellCode;
    bool posted = false;
    std::int32_t left = 0, top = 0;
    std::uint32_t entry = 0; // in the request table, once posted
  };
  void OpenRequestTable();
  // Whether the window's thread is known to run the hook library, which then
  // carries out changes asked of it; a thread not known yet is asked to mark it.
  bool ChangedByItsOwnThread(HWND window);
  // Posts the window's thread the request message (kRestyleMarkWindow,
  // kRestyleTakeRequests or kRestyleGiveFocus).
  bool AskThread(HWND window, LPARAM what);
  DWORD ThreadOf(HWND window);                // known once per window within a batch
  std::size_t FindPending(HWND window) const; // pending_.size() when none
  bool PostChange(PendingChange &change, std::int32_t left, std::int32_t top);
  void CarryOutHere(const PendingChange &change);
  void CarryOutPendingHere(std::size_t index); // and forgets it
  void WaitForPostedChanges();
  void GiveUpWaiting(const PendingChange &change);
  void ForgetRequestsOfVanishedWindows();
  void WithdrawLeftRequests(HWND window);
  void MoveHere(HWND window, std::int32_t left, std::int32_t top, bool move);
  void PostShellHookNow(int code, HWND window);

  void AskOwnerProcessForSendToMenu(HWND window, const std::array<std::string, 6> *names);

  using GetModuleBaseNameFunction = DWORD(WINAPI *)(HANDLE, HMODULE, LPWSTR, DWORD);
  using UniqueLibrary = UniqueHandle<HMODULE, &::FreeLibrary>;

  HWND taskSwitchWindow_;
  UINT shellHookMessage_;
  DWORD userInterfaceThread_;
  UniqueLibrary psapi_;
  GetModuleBaseNameFunction getModuleBaseName_ = nullptr;
  UINT sendToMenuMessage_;
  // The captions of the "Send to" items as a global atom, for the hook library in
  // other processes; made anew when the desktops' names change.
  std::wstring sendToCaptions_;
  ATOM sendToCaptionsAtom_ = 0;
  // The last answer of each window thread to a probe, and when it came: a
  // switch asks once per thread, not once per window.
  struct ThreadProbe {
    bool responds;
    ULONGLONG tick;
  };
  std::unordered_map<DWORD, ThreadProbe> threadProbes_;
  UINT restyleMessage_;
  // The requests to other programs' threads, in a section they open by name.
  UniqueKernelHandle restyleSection_;
  UniqueView restyleView_;
  std::optional<RestyleTable> restyleTable_;
  // Threads asked in this batch: the window the message went to, and whether
  // requests came after it.
  struct AskedThread {
    HWND window;
    bool since = false;
  };
  std::unordered_map<DWORD, AskedThread> askedThreads_;
  // Requests left to threads that did not answer, until they are taken.
  std::vector<PendingChange> leftToThreads_;
  bool batching_ = false;
  ULONGLONG batchBegan_ = 0;
  std::vector<PendingChange> pending_;
  // Within a batch, each window's thread and the threads known to run the
  // hook library are asked of the window server once, not once per call.
  std::unordered_map<HWND, DWORD> batchThreads_;
  std::unordered_set<DWORD> hookedThreads_;
};

inline HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
inline WindowHandle ToWindowHandle(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

} // namespace qv
