// test_window: opens top-level windows of a chosen class and title for the
// end-to-end tests, and keeps them until it is ended. Copy it under another
// name (e.g. "notepad.exe") where a test needs a process name.
//
//   test_window.exe [--class NAME] [--title TEXT] [--count N] [--at X Y]
//                   [--size W H] [--colour R G B]
//
// Each window is placed at (X + 30 i, Y + 30 i) and painted in a colour of
// its own (or the one given), also when asked to print itself
// (WM_PRINTCLIENT). Prints one line per window: its handle in decimal.
//
// A window's system menu belongs to its process, so the tests ask the window
// about it: the registered message "QuadrivistaTestSystemMenu" answers with
// the number of items when wParam is -1, else with the command id of item
// wParam (-1 for none). "QuadrivistaTestRightClicks" answers with the number
// of right-button releases the window has seen; "QuadrivistaTestHooksLoaded"
// whether the hook library is loaded in the window's process;
// "QuadrivistaTestSysCommands" the number of WM_SYSCOMMAND messages with an
// identifier from 1281 to 1286 that reached the window. A posted
// "QuadrivistaTestHang" makes the window's thread stop answering for wParam
// milliseconds, as a program that hangs does; with lParam 1 it first lets go
// of the keyboard focus.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

const UINT systemMenuQuery = RegisterWindowMessageW(L"QuadrivistaTestSystemMenu");
const UINT rightClickQuery = RegisterWindowMessageW(L"QuadrivistaTestRightClicks");
const UINT hooksLoadedQuery = RegisterWindowMessageW(L"QuadrivistaTestHooksLoaded");
const UINT sysCommandQuery = RegisterWindowMessageW(L"QuadrivistaTestSysCommands");
const UINT hangRequest = RegisterWindowMessageW(L"QuadrivistaTestHang");
int rightClicks = 0;
bool fixedColour = false;
COLORREF colour = 0;

// The client area's colour: the one asked for, or one of the window's own.
COLORREF WindowColour(HWND window) {
  if (fixedColour)
    return colour;
  const auto seed = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window));
  return RGB(60 + seed * 37 % 160, 60 + seed * 91 % 160, 120);
}
int sysCommands = 0;

LRESULT AnswerSystemMenuQuery(HWND window, WPARAM wParam) {
  HMENU menu = GetSystemMenu(window, FALSE);
  if (static_cast<INT_PTR>(wParam) == -1)
    return GetMenuItemCount(menu);
  return static_cast<LRESULT>(
      static_cast<INT_PTR>(static_cast<int>(GetMenuItemID(menu, static_cast<int>(wParam)))));
}

void Paint(HWND window, HDC dc, const RECT &area) {
  HBRUSH brush = CreateSolidBrush(WindowColour(window));
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == systemMenuQuery)
    return AnswerSystemMenuQuery(window, wParam);
  if (message == rightClickQuery)
    return rightClicks;
  if (message == hooksLoadedQuery)
    return GetModuleHandleW(L"QuadrivistaHooks.dll") != nullptr;
  if (message == sysCommandQuery)
    return sysCommands;
  if (message == hangRequest) {
    if (lParam == 1) // first lets go of the keyboard focus
      SetFocus(nullptr);
    Sleep(static_cast<DWORD>(wParam));
    return 0;
  }
  if (message == WM_RBUTTONUP)
    ++rightClicks;
  if (message == WM_SYSCOMMAND && wParam >= 1281 && wParam <= 1286) {
    ++sysCommands;
    return 0;
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    Paint(window, dc, paint.rcPaint);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_PRINTCLIENT) { // asked to draw itself into a picture
    RECT client{};
    GetClientRect(window, &client);
    Paint(window, reinterpret_cast<HDC>(wParam), client);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  std::wstring className = L"QuadrivistaTestWindow";
  std::wstring title = L"Test window";
  int count = 1;
  int x = 100, y = 100, width = 400, height = 300;
  for (int i = 1; i < argc; ++i) {
    const std::wstring option = argv[i];
    if (option == L"--class" && i + 1 < argc)
      className = argv[++i];
    else if (option == L"--title" && i + 1 < argc)
      title = argv[++i];
    else if (option == L"--count" && i + 1 < argc)
      count = _wtoi(argv[++i]);
    else if (option == L"--at" && i + 2 < argc) {
      x = _wtoi(argv[++i]);
      y = _wtoi(argv[++i]);
    } else if (option == L"--size" && i + 2 < argc) {
      width = _wtoi(argv[++i]);
      height = _wtoi(argv[++i]);
    } else if (option == L"--colour" && i + 3 < argc) {
      fixedColour = true;
      const int red = _wtoi(argv[++i]);
      const int green = _wtoi(argv[++i]);
      colour = RGB(red, green, _wtoi(argv[++i]));
    }
  }

  WNDCLASSEXW windowClass{sizeof(windowClass)};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className.c_str();
  RegisterClassExW(&windowClass);

  for (int i = 0; i < count; ++i) {
    const std::wstring caption = count > 1 ? title + L" " + std::to_wstring(i + 1) : title;
    HWND window = CreateWindowExW(0, className.c_str(), caption.c_str(), WS_OVERLAPPEDWINDOW,
                                  x + 30 * i, y + 30 * i, width, height, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  }
  std::fflush(stdout);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
