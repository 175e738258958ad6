#include "capture/desktop_composition_win32.h"

#include <windows.h>

namespace qv {
namespace {

// The true version: GetVersionEx answers what the manifest promises.
bool NtSixOrLater() {
  using GetVersion = LONG(WINAPI *)(OSVERSIONINFOW *);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto getVersion = ntdll ? reinterpret_cast<GetVersion>(reinterpret_cast<void *>(
                                      GetProcAddress(ntdll, "RtlGetVersion")))
                                : nullptr;
  OSVERSIONINFOW version{sizeof(version)};
  if (!getVersion || getVersion(&version) != 0)
    return false;
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6;
}

} // namespace

bool DesktopCompositionOn() {
  static const bool ntSix = NtSixOrLater();
  if (!ntSix)
    return false;
  using IsCompositionEnabled = HRESULT(WINAPI *)(BOOL *);
  static const HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  static const auto isEnabled =
      dwm ? reinterpret_cast<IsCompositionEnabled>(
                reinterpret_cast<void *>(GetProcAddress(dwm, "DwmIsCompositionEnabled")))
          : nullptr;
  BOOL enabled = FALSE;
  return isEnabled && SUCCEEDED(isEnabled(&enabled)) && enabled;
}

} // namespace qv
