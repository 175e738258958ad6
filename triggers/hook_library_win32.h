#pragma once
// The hook library as the program sees it: loaded from beside the executable,
// its record obtained, its hooks installed and removed again. When the library
// is missing the program goes on without gestures and "Send to" events.
// Beside it may lie the 32-bit half with its helper process, which the hooks
// of 32-bit programs need; it is started and ended with the hooks.
#include "triggers/hook_shared_data.h"

#include <string>
#include <windows.h>

namespace qv {

class THookLibrary {
public:
  // Loads the library from `path`; Loaded() tells whether that worked.
  explicit THookLibrary(const std::wstring &path);
  ~THookLibrary();
  THookLibrary(const THookLibrary &) = delete;
  THookLibrary &operator=(const THookLibrary &) = delete;

  bool Loaded() const { return sharedData_ != nullptr; }
  // The library's shared record, or null when it is not loaded.
  THookSharedData *SharedData() const { return sharedData_; }
  void InstallHook();
  void UnInstallHook();
  // Whether the 32-bit helper is running (false where it is missing or cannot run).
  bool HelperRunning() const { return helper_.hProcess != nullptr; }

  // The library's full name beside the running executable.
  static std::wstring DefaultPath();

private:
  void StartHelper();
  void StopHelper();

  using EntryPoint = void (*)();
  HMODULE module_ = nullptr;
  THookSharedData *sharedData_ = nullptr;
  EntryPoint install_ = nullptr;
  EntryPoint uninstall_ = nullptr;
  bool installed_ = false;
  std::wstring helperPath_;
  PROCESS_INFORMATION helper_{};
};

} // namespace qv
