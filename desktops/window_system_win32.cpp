#include "desktops/window_system_win32.h"

#include <shldisp.h>
#include <wrl/client.h>

#include "shell/ansi_text_win32.h"
#include "shell/globals.h"
#include "shell/language.h"
#include "triggers/send_to_items_win32.h"

namespace qv {
namespace {

constexpr int kMaxNameLength = 255;

// "Send to" and the desktop's name, in the user's language.
std::string SendToCaption(const std::string &desktopName) {
  const std::string sendTo =
      LanguageController ? LanguageController->Translate("421.Send to") : std::string("Send to");
  return sendTo + " " + desktopName;
}
constexpr UINT kPositionFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                SWP_FRAMECHANGED | SWP_NOSENDCHANGING | SWP_DEFERERASE;
static_assert(kPositionFlags == 0x2437);

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<WindowHandle> *>(list)->push_back(ToWindowHandle(window));
  return TRUE;
}

// Joins this thread's input state to another thread's for its lifetime, so
// that the focus can be given to that thread's windows.
class AttachedInput {
public:
  explicit AttachedInput(DWORD otherThread)
      : thisThread_(GetCurrentThreadId()), otherThread_(otherThread),
        attached_(otherThread != 0 && otherThread != thisThread_ &&
                  AttachThreadInput(thisThread_, otherThread, TRUE)) {}
  ~AttachedInput() {
    if (attached_)
      AttachThreadInput(thisThread_, otherThread_, FALSE);
  }
  AttachedInput(const AttachedInput &) = delete;
  AttachedInput &operator=(const AttachedInput &) = delete;

private:
  DWORD thisThread_;
  DWORD otherThread_;
  bool attached_;
};

// COM for this thread while the object lives, when it was not on already.
class ComScope {
public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_))
      CoUninitialize();
  }
  ComScope(const ComScope &) = delete;
  ComScope &operator=(const ComScope &) = delete;

private:
  HRESULT result_;
};

std::string LowerCaseAnsi(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return WideToAnsi(text);
}

} // namespace

Win32WindowSystem::~Win32WindowSystem() {
  if (sendToCaptionsAtom_)
    GlobalDeleteAtom(sendToCaptionsAtom_);
}

Win32WindowSystem::Win32WindowSystem(HWND taskSwitchWindow)
    : taskSwitchWindow_(taskSwitchWindow), shellHookMessage_(RegisterWindowMessageA("SHELLHOOK")),
      userInterfaceThread_(GetCurrentThreadId()), psapi_(LoadLibraryW(L"psapi.dll")),
      sendToMenuMessage_(RegisterWindowMessageA(kSendToMenuMessageName)),
      restyleMessage_(RegisterWindowMessageA(kRestyleMessageName)) {
  if (psapi_) {
    getModuleBaseName_ = reinterpret_cast<GetModuleBaseNameFunction>(
        reinterpret_cast<void *>(GetProcAddress(psapi_.Get(), "GetModuleBaseNameW")));
  }
  if (!getModuleBaseName_) {
    getModuleBaseName_ = reinterpret_cast<GetModuleBaseNameFunction>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "K32GetModuleBaseNameW")));
  }
  OpenRequestTable();
}

std::vector<WindowHandle> Win32WindowSystem::TopLevelWindows() {
  std::vector<WindowHandle> windows;
  // The same windows, in the same order, as EnumWindows gives; but Wine's
  // EnumWindows asks the server again whether each one still exists, which
  // doubled the round trips of every discovery pass.
  EnumDesktopWindows(nullptr, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool Win32WindowSystem::IsWindow(WindowHandle window) {
  return ::IsWindow(ToHwnd(window));
}

bool Win32WindowSystem::IsOwnWindow(WindowHandle window) {
  return GetWindowThreadProcessId(ToHwnd(window), nullptr) == userInterfaceThread_;
}

std::uint32_t Win32WindowSystem::Style(WindowHandle window) {
  return static_cast<std::uint32_t>(GetWindowLongW(ToHwnd(window), GWL_STYLE));
}

std::uint32_t Win32WindowSystem::ExStyle(WindowHandle window) {
  return static_cast<std::uint32_t>(GetWindowLongW(ToHwnd(window), GWL_EXSTYLE));
}

bool Win32WindowSystem::Responds(WindowHandle window) {
  // Long enough for a busy program, short enough not to stall a switch; an
  // answer holds for a moment, a silence is asked again once a second.
  constexpr UINT kProbeMilliseconds = 50;
  constexpr ULONGLONG kAnswerHolds = 250, kSilenceHolds = 1000;
  const HWND handle = ToHwnd(window);
  const DWORD thread = ThreadOf(handle);
  if (thread == 0 || thread == GetCurrentThreadId())
    return true;
  const ULONGLONG now = GetTickCount64();
  if (const auto found = threadProbes_.find(thread); found != threadProbes_.end()) {
    const ThreadProbe &probe = found->second;
    // An answer that held when the batch began holds until it ends: by then
    // the thread may be busy with the batch's own requests, and a probe would
    // take that for a hang and leave its other windows behind.
    if (probe.responds && batching_ && probe.tick + kAnswerHolds > batchBegan_)
      return true;
    if (now - probe.tick < (probe.responds ? kAnswerHolds : kSilenceHolds))
      return probe.responds;
  }
  if (threadProbes_.size() > 4096)
    threadProbes_.clear(); // threads come and go; the table stays small
  const bool responds = SendMessageTimeoutW(handle, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                            kProbeMilliseconds, nullptr) != 0;
  threadProbes_[thread] = {responds, GetTickCount64()};
  return responds;
}

void Win32WindowSystem::SetExStyle(WindowHandle window, std::uint32_t exStyle) {
  const HWND handle = ToHwnd(window);
  if (batching_ && FindPending(handle) == pending_.size() && ChangedByItsOwnThread(handle)) {
    pending_.push_back({handle, exStyle});
    return;
  }
  SetWindowLongW(handle, GWL_EXSTYLE, static_cast<LONG>(exStyle));
}

WindowHandle Win32WindowSystem::Owner(WindowHandle window) {
  return ToWindowHandle(GetWindow(ToHwnd(window), GW_OWNER));
}

std::string Win32WindowSystem::ClassName(WindowHandle window) {
  wchar_t name[kMaxNameLength + 1] = {};
  const int length = GetClassNameW(ToHwnd(window), name, kMaxNameLength + 1);
  return WideToAnsi(std::wstring_view(name, static_cast<std::size_t>(length)));
}

std::string Win32WindowSystem::Title(WindowHandle window) {
  wchar_t title[kMaxNameLength + 1] = {};
  const int length = GetWindowTextW(ToHwnd(window), title, kMaxNameLength + 1);
  return WideToAnsi(std::wstring_view(title, static_cast<std::size_t>(length)));
}

std::string Win32WindowSystem::ProcessName(WindowHandle window) {
  if (!getModuleBaseName_)
    return {};
  DWORD processId = 0;
  GetWindowThreadProcessId(ToHwnd(window), &processId);
  const UniqueKernelHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process)
    return {};
  wchar_t name[MAX_PATH] = {};
  const DWORD length = getModuleBaseName_(process.Get(), nullptr, name, MAX_PATH);
  return LowerCaseAnsi(std::wstring(name, length));
}

std::uint32_t Win32WindowSystem::ProcessId(WindowHandle window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(ToHwnd(window), &processId);
  return processId;
}

std::uint32_t Win32WindowSystem::ThreadId(WindowHandle window) {
  return GetWindowThreadProcessId(ToHwnd(window), nullptr);
}

std::uint32_t Win32WindowSystem::CurrentThreadId() {
  return GetCurrentThreadId();
}

WindowRect Win32WindowSystem::Rect(WindowHandle window) {
  RECT rect = {};
  GetWindowRect(ToHwnd(window), &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

void Win32WindowSystem::SetPosition(WindowHandle window, std::int32_t left, std::int32_t top,
                                    bool move) {
  const HWND handle = ToHwnd(window);
  if (const std::size_t index = FindPending(handle); index < pending_.size()) {
    if (!move) { // the frame refreshed where the window is
      RECT rect{};
      GetWindowRect(handle, &rect);
      left = rect.left;
      top = rect.top;
    }
    if (PostChange(pending_[index], left, top))
      return;
    CarryOutPendingHere(index);
  }
  MoveHere(handle, left, top, move);
}

void Win32WindowSystem::MoveHere(HWND window, std::int32_t left, std::int32_t top, bool move) {
  const UINT flags = move ? kPositionFlags & ~UINT{SWP_NOMOVE} : kPositionFlags;
  SetWindowPos(window, nullptr, left, top, 0, 0, flags);
}

void Win32WindowSystem::SetLayeredAlpha(WindowHandle window, std::uint8_t alpha) {
  const HWND handle = ToHwnd(window);
  // A layered window's style comes before its alpha.
  if (const std::size_t index = FindPending(handle);
      index < pending_.size() && !pending_[index].posted)
    CarryOutPendingHere(index);
  SetLayeredWindowAttributes(handle, 0, alpha, LWA_ALPHA);
}

void Win32WindowSystem::PostShellHook(int code, WindowHandle window) {
  // In a batch the taskbar hears of the window once its style has changed.
  if (const std::size_t index = FindPending(ToHwnd(window));
      index < pending_.size() && !pending_[index].posted) {
    pending_[index].shellCode = code;
    return;
  }
  PostShellHookNow(code, ToHwnd(window));
}

void Win32WindowSystem::PostShellHookNow(int code, HWND window) {
  PostMessageW(taskSwitchWindow_, shellHookMessage_, static_cast<WPARAM>(code),
               reinterpret_cast<LPARAM>(window));
}

bool Win32WindowSystem::IsMinimized(WindowHandle window) {
  return IsIconic(ToHwnd(window));
}

void Win32WindowSystem::BringToFront(WindowHandle window) {
  const HWND handle = ToHwnd(window);
  // Shown from here only when hidden: the call waits for the window's thread.
  if (!IsWindowVisible(handle))
    ShowWindow(handle, SW_SHOW);
  ::SetForegroundWindow(handle);
  // The window's own thread, where the library runs, gives it the focus when
  // it gets there: from here the focus would wait for that thread, which a
  // switch has just given a desktop of windows to paint.
  if (ChangedByItsOwnThread(handle) && AskThread(handle, kRestyleGiveFocus))
    return;
  // SetFocus only reaches windows of threads that share our input state.
  const AttachedInput attached(GetWindowThreadProcessId(handle, nullptr));
  SetFocus(handle);
}

void Win32WindowSystem::RestoreMinimized(WindowHandle window) {
  const HWND handle = ToHwnd(window);
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  static_assert(sizeof(WINDOWPLACEMENT) == 44);
  if (!GetWindowPlacement(handle, &placement))
    return;
  placement.length = sizeof(placement);
  placement.showCmd = (placement.flags & WPF_RESTORETOMAXIMIZED) ? SW_SHOWMAXIMIZED : SW_RESTORE;
  SetWindowPlacement(handle, &placement);
}

WindowHandle Win32WindowSystem::ForegroundWindow() {
  return ToWindowHandle(GetForegroundWindow());
}

void Win32WindowSystem::SetForegroundWindow(WindowHandle window) {
  ::SetForegroundWindow(ToHwnd(window));
}

WindowHandle Win32WindowSystem::DesktopWindow() {
  return ToWindowHandle(GetDesktopWindow());
}

WindowHandle Win32WindowSystem::ProgmanWindow() {
  return ToWindowHandle(FindWindowW(L"Progman", nullptr));
}

void Win32WindowSystem::ShowDesktop() {
  {
    const ComScope com;
    CLSID shellApplication = {};
    Microsoft::WRL::ComPtr<IShellDispatch> shell;
    if (SUCCEEDED(CLSIDFromProgID(L"Shell.Application", &shellApplication)) &&
        SUCCEEDED(CoCreateInstance(shellApplication, nullptr, CLSCTX_ALL,
                                   IID_PPV_ARGS(shell.GetAddressOf())))) {
      shell->MinimizeAll();
    }
  }
  if (const HWND progman = FindWindowW(L"Progman", nullptr))
    ShowWindow(progman, SW_SHOWNORMAL);
}

WindowHandle Win32WindowSystem::WindowDraggedByCaption() {
  if ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0)
    return 0;
  POINT cursor = {};
  if (!GetCursorPos(&cursor))
    return 0;
  const HWND root = GetAncestor(WindowFromPoint(cursor), GA_ROOT);
  if (!root)
    return 0;
  const LPARAM position = MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(cursor.x)),
                                     static_cast<WORD>(static_cast<SHORT>(cursor.y)));
  DWORD_PTR hit = 0;
  // A hung program is taken as not being dragged.
  for (const UINT timeout : {50u, 100u}) {
    if (SendMessageTimeoutW(root, WM_NCHITTEST, 0, position, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeout,
                            &hit)) {
      return hit == HTCAPTION ? ToWindowHandle(root) : 0;
    }
  }
  return 0;
}

void Win32WindowSystem::SetSendToMenu(WindowHandle window,
                                      const std::array<std::string, 6> *names) {
  AskOwnerProcessForSendToMenu(ToHwnd(window), names);
  const HMENU menu = GetSystemMenu(ToHwnd(window), FALSE);
  if (!menu)
    return;
  DeleteSendToItems(menu);
  if (!names)
    return;
  AppendSendToItem(menu, kSendToFirstCommand, nullptr);
  for (std::size_t index = 0; index < names->size(); ++index) {
    const std::wstring text = AnsiToWide(SendToCaption((*names)[index]));
    AppendSendToItem(menu, kSendToFirstCommand + 1 + static_cast<UINT>(index), text.c_str());
  }
}

// Where menus belong to the process that made them, a change from outside does not
// reach the menu the user sees; the hook library makes it from inside, on a posted
// message. A removal is waited for (briefly), so that it is done before the library
// goes away at exit: the window loses its property once its items are out.
void Win32WindowSystem::AskOwnerProcessForSendToMenu(HWND window,
                                                     const std::array<std::string, 6> *names) {
  DWORD process = 0;
  if (!GetWindowThreadProcessId(window, &process) || process == GetCurrentProcessId())
    return;
  if (!names) {
    if (!GetPropW(window, kSendToItemsProperty) || !PostMessageW(window, sendToMenuMessage_, 0, 0))
      return;
    const ULONGLONG giveUp = GetTickCount64() + 200;
    while (GetPropW(window, kSendToItemsProperty) && GetTickCount64() < giveUp &&
           ::IsWindow(window))
      Sleep(1);
    return;
  }
  std::wstring captions;
  for (const std::string &name : *names)
    captions += AnsiToWide(SendToCaption(name)) + L"\n";
  captions.pop_back();
  // An atom's name holds at most 255 characters.
  if (captions.size() > 255)
    captions.resize(255);
  if (captions != sendToCaptions_ || !sendToCaptionsAtom_) {
    if (sendToCaptionsAtom_)
      GlobalDeleteAtom(sendToCaptionsAtom_);
    sendToCaptions_ = captions;
    sendToCaptionsAtom_ = GlobalAddAtomW(captions.c_str());
  }
  if (sendToCaptionsAtom_)
    PostMessageW(window, sendToMenuMessage_, 1, sendToCaptionsAtom_);
}

} // namespace qv
