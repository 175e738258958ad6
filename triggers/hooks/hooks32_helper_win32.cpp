// QuadrivistaHooks32.exe: on 64-bit Windows the 64-bit hook library reaches
// only 64-bit programs. The program starts this small 32-bit process to hold
// the hooks of QuadrivistaHooks32.dll for the 32-bit ones.
//
//   QuadrivistaHooks32.exe <process id of the program>
//
// It ends when its thread gets WM_QUIT or when the program's process ends.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

std::wstring LibraryPath() {
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  std::wstring path(buffer, length);
  path.resize(path.find_last_of(L"\\/") + 1);
  return path + L"QuadrivistaHooks32.dll";
}

using EntryPoint = void (*)();

EntryPoint Entry(HMODULE module, const char *name) {
  return reinterpret_cast<EntryPoint>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t *commandLine, int) {
  const DWORD programId = static_cast<DWORD>(std::wcstoul(commandLine, nullptr, 10));
  const HANDLE program = OpenProcess(SYNCHRONIZE, FALSE, programId);
  if (!program)
    return 1;
  const HMODULE library = LoadLibraryW(LibraryPath().c_str());
  const EntryPoint install = library ? Entry(library, "InstallHook") : nullptr;
  const EntryPoint uninstall = library ? Entry(library, "UnInstallHook") : nullptr;
  if (!install || !uninstall)
    return 2;
  install();
  for (bool running = true; running;) {
    if (MsgWaitForMultipleObjects(1, &program, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0)
      break;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      if (message.message == WM_QUIT)
        running = false;
  }
  uninstall();
  CloseHandle(program);
  return 0;
}
