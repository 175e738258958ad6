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

struct ThreadStart {
  HANDLE ready;
  bool installed;
};

DWORD WINAPI HookThreadMain(void *parameter) {
  auto *start = static_cast<ThreadStart *>(parameter);
  MSG message;
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // create the queue
  const HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, MouseHook, module, 0);
  const HHOOK posted = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, module, 0);
  const HHOOK sent = SetWindowsHookExW(WH_CALLWNDPROC, CallWindowHook, module, 0);
  start->installed = mouse || posted || sent;
  SetEvent(start->ready); // `start` is gone after this
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == kReplayRightClick)
      ReplayRightClick();
    else
      DispatchMessageW(&message);
  }
  for (const HHOOK hook : {mouse, posted, sent})
    if (hook)
      UnhookWindowsHookEx(hook);
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

void Notify() {
  const std::uint32_t window = sharedRecord.NotifyWindow;
  if (window == 0)
    return;
  // The event's data must be in the record before the program can see the message.
  std::atomic_thread_fence(std::memory_order_release);
  PostMessageW(reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(window))),
               WM_USER + 256, 0, 0);
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
  ThreadStart start{CreateEventW(nullptr, TRUE, FALSE, nullptr), false};
  if (!start.ready)
    return;
  hookThread = CreateThread(nullptr, 0, HookThreadMain, &start, 0, &hookThreadId);
  if (hookThread)
    WaitForSingleObject(start.ready, INFINITE);
  CloseHandle(start.ready);
}

__declspec(dllexport) void UnInstallHook() {
  if (!hookThread)
    return;
  PostThreadMessageW(hookThreadId, WM_QUIT, 0, 0);
  WaitForSingleObject(hookThread, 5000);
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
