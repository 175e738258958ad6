// The process entry of quadrivista.exe.
#include "shell/ansi_text_win32.h"
#include "shell/entry/application_win32.h"

#include <windows.h>

#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::vector<std::string> parameters;
  int count = 0;
  if (LPWSTR *arguments = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i)
      parameters.push_back(qv::WideToAnsi(arguments[i]));
    LocalFree(arguments);
  }
  return qv::RunApplication(parameters);
}
