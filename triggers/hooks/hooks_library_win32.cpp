// QuadrivistaHooks.dll: the program's eyes in every other program. It keeps one
// record in a section shared by all processes that load it, and runs one thread
// in the program's process that owns the system-wide hooks.
#include "triggers/hooks/hooks_internal_win32.h"

#include <atomic>

namespace qv::hooks {
namespace {

// GCC places this in a section that every process loading the library shares.
__attribute__((section(".shr"), shared)) THookSharedData sharedRecord = {};

// The rest is per process: only the program that installs the hooks uses it.
HINSTANCE module = nullptr;
HANDLE hookThread = nullptr;
DWORD hookThreadId = 0;

#ifdef _WIN64
constexpr bool kServesTheProgram = true;
#else
// The 32-bit library serves 32-bit programs on behalf of the 64-bit one; the mouse
// and the record are the 64-bit library's.
constexpr bool kServesTheProgram = false;
#endif

// Takes the window-move requests of the 32-bit library into the program's record.
LRESULT CALLBACK RelayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRelayWindowMove && wParam >= kLibraryMoveToDesktop1 &&
      wParam <= kLibraryMoveToDesktop6) {
    ReportWindowMove(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateRelayWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = RelayWindowProc;
  windowClass.hInstance = module;
  windowClass.lpszClassName = kRelayWindowClass;
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, kRelayWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module,
                         nullptr);
}

// The mouse is followed only while the program wants gestures, so that with them
// off not a single mouse event waits for the library.
void FollowTheMouseWhileGesturesAreWanted(HHOOK &mouse) {
  const bool wanted = sharedRecord.LibraryFlagA != 0 && sharedRecord.NotifyWindow != 0;
  if (wanted && !mouse) {
    mouse = SetWindowsHookExW(WH_MOUSE_LL, MouseHook, module, 0);
  } else if (!wanted && mouse) {
    UnhookWindowsHookEx(mouse);
    mouse = nullptr;
  }
}

DWORD WINAPI HookThreadMain(void *ready) {
  MSG message;
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // create the queue
  const HWND relay = kServesTheProgram ? CreateRelayWindow() : nullptr;
  HHOOK mouse = nullptr;
  if (kServesTheProgram) {
    FollowTheMouseWhileGesturesAreWanted(mouse);
    SetTimer(nullptr, 0, 200, nullptr);
  }
  const HHOOK posted = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, module, 0);
  SetEvent(static_cast<HANDLE>(ready));
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == kReplayRightClick)
      ReplayRightClick();
    else if (message.message == WM_TIMER && !message.hwnd)
      FollowTheMouseWhileGesturesAreWanted(mouse);
    else
      DispatchMessageW(&message);
  }
  for (const HHOOK hook : {mouse, posted})
    if (hook)
      UnhookWindowsHookEx(hook);
  if (relay)
    DestroyWindow(relay);
  return 0;
}

} // namespace

THookSharedData &Record() {
  return sharedRecord;
}

HINSTANCE Module() {
  return module;
}

DWORD HookThreadId() {
  return hookThreadId;
}

void Notify(WPARAM code, LPARAM window) {
  const std::uint32_t target = sharedRecord.NotifyWindow;
  if (target == 0)
    return;
  // The event's data must be in the record before the program can see the message.
  std::atomic_thread_fence(std::memory_order_release);
  PostMessageW(reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(target))),
               WM_USER + 256, code, window);
}

void ReportWindowMove(std::uint32_t code, std::uint32_t window) {
  if (!kServesTheProgram) {
    if (const HWND relay = FindWindowExW(HWND_MESSAGE, nullptr, kRelayWindowClass, nullptr))
      PostMessageW(relay, kRelayWindowMove, code, static_cast<LPARAM>(window));
    return;
  }
  // Nothing shared is written: the request travels whole in its message.
  Notify(code, static_cast<LPARAM>(window));
}

} // namespace qv::hooks

using namespace qv::hooks;

extern "C" {

__declspec(dllexport) qv::THookSharedData *GetHookSharedData() {
  return &Record();
}

__declspec(dllexport) void InstallHook() {
  if (hookThread)
    return;
  const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!ready)
    return;
  hookThread = CreateThread(nullptr, 0, HookThreadMain, ready, 0, &hookThreadId);
  if (hookThread)
    WaitForSingleObject(ready, INFINITE);
  CloseHandle(ready);
}

__declspec(dllexport) void UnInstallHook() {
  if (!hookThread)
    return;
  PostThreadMessageW(hookThreadId, WM_QUIT, 0, 0);
  if (WaitForSingleObject(hookThread, 5000) != WAIT_OBJECT_0) {
    // The thread may still run the library's code: it stays loaded for good.
    HMODULE pinned = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&HookThreadMain), &pinned);
  }
  CloseHandle(hookThread);
  hookThread = nullptr;
  hookThreadId = 0;
  // Other programs let go of the library when they next handle a message.
  SendNotifyMessageW(HWND_BROADCAST, WM_NULL, 0, 0);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void *) {
  if (reason == DLL_PROCESS_ATTACH) {
    module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

} // extern "C"
