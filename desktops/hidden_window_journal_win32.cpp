#include "desktops/hidden_window_journal_win32.h"

#include "shell/unique_handle_win32.h"

#include <windows.h>

namespace qv {
namespace {

constexpr ULONGLONG kFileTimeUnitsPerSecond = 10000000;

std::string LastErrorText(const char *what) {
  return std::string(what) + " failed with error " + std::to_string(GetLastError());
}

// The kernel keeps the boot time up to date across clock changes; the clock
// minus the tick count is the fallback.
std::uint64_t BootTimeSeconds() {
  struct TimeOfDay {
    LARGE_INTEGER BootTime;
    LARGE_INTEGER CurrentTime;
    LARGE_INTEGER TimeZoneBias;
    ULONG TimeZoneId;
    ULONG Reserved;
    ULONGLONG BootTimeBias;
    ULONGLONG SleepTimeBias;
  } timeOfDay{};
  using QueryFunction = LONG(WINAPI *)(int, void *, ULONG, ULONG *);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto query = ntdll ? reinterpret_cast<QueryFunction>(reinterpret_cast<void *>(
                                 GetProcAddress(ntdll, "NtQuerySystemInformation")))
                           : nullptr;
  constexpr int kSystemTimeOfDayInformation = 3;
  if (query && query(kSystemTimeOfDayInformation, &timeOfDay, sizeof timeOfDay, nullptr) >= 0 &&
      timeOfDay.BootTime.QuadPart > 0)
    return static_cast<std::uint64_t>(timeOfDay.BootTime.QuadPart) / kFileTimeUnitsPerSecond;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const ULONGLONG nowUnits = (ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return (nowUnits - GetTickCount64() * 10000) / kFileTimeUnitsPerSecond;
}

std::uint64_t LogonSessionId() {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken))
    return 0;
  const UniqueKernelHandle token(rawToken);
  TOKEN_STATISTICS statistics{};
  DWORD length = 0;
  if (!GetTokenInformation(token.Get(), TokenStatistics, &statistics, sizeof statistics, &length))
    return 0;
  return (std::uint64_t(static_cast<std::uint32_t>(statistics.AuthenticationId.HighPart)) << 32) |
         statistics.AuthenticationId.LowPart;
}

} // namespace

JournalSession CurrentJournalSession() {
  return {BootTimeSeconds(), LogonSessionId()};
}

bool ReplaceFileAtomically(const std::filesystem::path &file, const std::string &contents,
                           std::string &error) {
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  {
    const HANDLE created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
      error = LastErrorText("creating the temporary file");
      return false;
    }
    const UniqueKernelHandle out(created);
    DWORD written = 0;
    if (!WriteFile(out.Get(), contents.data(), static_cast<DWORD>(contents.size()), &written,
                   nullptr) ||
        written != contents.size()) {
      error = LastErrorText("writing the temporary file");
      return false;
    }
  }
  if (!MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    error = LastErrorText("renaming the temporary file");
    return false;
  }
  return true;
}

} // namespace qv
