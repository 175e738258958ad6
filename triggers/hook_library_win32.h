#pragma once
// The hook library as the program sees it: loaded from beside the executable,
// its record obtained, its hooks installed and removed again. When the library
// is missing the program goes on without gestures and "Send to" events.
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

  // The library's full name beside the running executable.
  static std::wstring DefaultPath();

private:
  using EntryPoint = void (*)();
  HMODULE module_ = nullptr;
  THookSharedData *sharedData_ = nullptr;
  EntryPoint install_ = nullptr;
  EntryPoint uninstall_ = nullptr;
  bool installed_ = false;
};

} // namespace qv
