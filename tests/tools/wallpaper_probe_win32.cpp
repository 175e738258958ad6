// What a freshly started program sees of the desktop wallpaper (Wine keeps a
// running program's first reading), and a stand-in for the system's own
// wallpaper dialog.
//   wallpaper_probe get <file>   writes the wallpaper path into the file
//   wallpaper_probe set <path>   sets the wallpaper and tells every program
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t **argv) {
  if (argc < 3)
    return 2;
  if (std::wcscmp(argv[1], L"get") == 0) {
    wchar_t path[MAX_PATH + 1] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    FILE *out = _wfopen(argv[2], L"wb");
    if (!out)
      return 1;
    char text[4 * MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, path, -1, text, sizeof(text), nullptr, nullptr);
    std::fputs(text, out);
    std::fclose(out);
    return 0;
  }
  if (std::wcscmp(argv[1], L"set") == 0)
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, argv[2],
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
               ? 0
               : 1;
  return 2;
}
