// standin_shell: the shell windows the program works with, for tests under
// Wine, which has no "Progman" window, no desktop icon list and a taskbar
// without the children Windows has.
//
//   standin_shell.exe <shell-hook-log>
//
// Creates "Progman" with a "SHELLDLL_DefView" child holding a real list view
// of a few icons, and a "Shell_TrayWnd" (top-most, so that it is found before
// Wine's own) with a "ReBarWindow32" child holding an "MSTaskSwWClass" window.
// Every registered "SHELLHOOK" message the task-switch window receives is
// appended to the log as "<code> <window handle>" in decimal. The tray window
// also answers the notification-area requests that reach it, so tray icons
// keep working while it stands in front of Wine's. Runs until WM_CLOSE
// reaches "Progman" or the process is ended.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>

namespace {

UINT shellHookMessage = 0;
FILE *shellHookLog = nullptr;
std::set<std::pair<HWND, UINT>> trayIcons;

// Wine's shell32 sends Shell_NotifyIcon to the "Shell_TrayWnd" window as
// WM_COPYDATA: the request (NIM_ADD ...) in dwData, and data that begins
// with the icon's owner window and id.
struct TrayRequestHeader {
  LONG hWnd;
  UINT uID;
};

LRESULT AnswerTrayRequest(const COPYDATASTRUCT *data) {
  if (!data || data->cbData < sizeof(TrayRequestHeader))
    return FALSE;
  const auto *request = static_cast<const TrayRequestHeader *>(data->lpData);
  const auto key =
      std::make_pair(reinterpret_cast<HWND>(static_cast<LONG_PTR>(request->hWnd)), request->uID);
  switch (data->dwData) {
  case NIM_ADD:
    return trayIcons.insert(key).second;
  case NIM_MODIFY:
  case NIM_SETFOCUS:
  case NIM_SETVERSION:
    return trayIcons.count(key) != 0;
  case NIM_DELETE:
    return trayIcons.erase(key) != 0;
  default:
    return FALSE;
  }
}

LRESULT CALLBACK TaskSwitchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == shellHookMessage && shellHookLog) {
    std::fprintf(shellHookLog, "%llu %llu\n", static_cast<unsigned long long>(wParam),
                 static_cast<unsigned long long>(lParam));
    std::fflush(shellHookLog);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK TrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA)
    return AnswerTrayRequest(reinterpret_cast<const COPYDATASTRUCT *>(lParam));
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ProgmanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Register(const wchar_t *name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

HWND CreateDesktopIcons(HWND defView, int width, int height) {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"FolderView",
                              WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_AUTOARRANGE, 0, 0, width,
                              height, defView, nullptr, GetModuleHandleW(nullptr), nullptr);
  const COLORREF desktopColour = RGB(0x2A, 0x5D, 0x8C);
  SendMessageW(list, LVM_SETBKCOLOR, 0, desktopColour);
  SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, desktopColour);
  SendMessageW(list, LVM_SETTEXTCOLOR, 0, RGB(0xFF, 0xFF, 0xFF));
  const wchar_t *names[] = {L"Computer", L"Documents", L"Recycle Bin", L"Projects"};
  for (int i = 0; i < 4; ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<wchar_t *>(names[i]);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  return list;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc > 1)
    shellHookLog = _wfopen(argv[1], L"ab");
  shellHookMessage = RegisterWindowMessageW(L"SHELLHOOK");
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const HBRUSH desktopBrush = CreateSolidBrush(RGB(0x2A, 0x5D, 0x8C));
  Register(L"Progman", ProgmanProc, desktopBrush);
  Register(L"SHELLDLL_DefView", DefWindowProcW, desktopBrush);
  Register(L"Shell_TrayWnd", TrayProc, GetSysColorBrush(COLOR_BTNFACE));
  Register(L"ReBarWindow32", DefWindowProcW, GetSysColorBrush(COLOR_BTNFACE));
  Register(L"MSTaskSwWClass", TaskSwitchProc, GetSysColorBrush(COLOR_BTNFACE));

  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const int taskbarHeight = 30;

  HWND progman =
      CreateWindowExW(WS_EX_TOOLWINDOW, L"Progman", L"Program Manager", WS_POPUP, 0, 0, width,
                      height - taskbarHeight, nullptr, nullptr, instance, nullptr);
  HWND defView = CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE, 0, 0, width,
                                 height - taskbarHeight, progman, nullptr, instance, nullptr);
  CreateDesktopIcons(defView, width, height - taskbarHeight);
  SetWindowPos(progman, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(progman, SW_SHOWNOACTIVATE);

  HWND tray = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0,
                              height - taskbarHeight, width, taskbarHeight, nullptr, nullptr,
                              instance, nullptr);
  HWND rebar = CreateWindowExW(0, L"ReBarWindow32", L"", WS_CHILD | WS_VISIBLE, 60, 0, width - 200,
                               taskbarHeight, tray, nullptr, instance, nullptr);
  CreateWindowExW(0, L"MSTaskSwWClass", L"Running applications", WS_CHILD | WS_VISIBLE, 0, 0,
                  width - 200, taskbarHeight, rebar, nullptr, instance, nullptr);
  ShowWindow(tray, SW_SHOWNOACTIVATE);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (shellHookLog)
    std::fclose(shellHookLog);
  return 0;
}
