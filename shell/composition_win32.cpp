#include "shell/composition_win32.h"

#include <windows.h>

namespace qv {
// The version the system itself reports, whatever the manifest says.
bool SystemIsNt6OrLater() {
  using RtlGetVersionFunction = LONG(WINAPI *)(OSVERSIONINFOW *);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto getVersion = ntdll ? reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void *>(
                                      GetProcAddress(ntdll, "RtlGetVersion")))
                                : nullptr;
  OSVERSIONINFOW version{sizeof(version)};
  if (!getVersion || getVersion(&version) != 0)
    return false;
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6;
}

bool CompositionEnabled() {
  if (!SystemIsNt6OrLater())
    return false;
  using IsCompositionEnabledFunction = HRESULT(WINAPI *)(BOOL *);
  const HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  if (!dwm)
    return false;
  const auto isEnabled = reinterpret_cast<IsCompositionEnabledFunction>(
      reinterpret_cast<void *>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  BOOL enabled = FALSE;
  const bool on = isEnabled && SUCCEEDED(isEnabled(&enabled)) && enabled;
  FreeLibrary(dwm);
  return on;
}

} // namespace qv
