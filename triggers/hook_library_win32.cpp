#include "triggers/hook_library_win32.h"

namespace qv {
namespace {

template <typename Function> Function Entry(HMODULE module, const char *name) {
  return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

} // namespace

THookLibrary::THookLibrary(const std::wstring &path) {
  helperPath_ = path.substr(0, path.find_last_of(L"\\/") + 1) + L"QuadrivistaHooks32.exe";
  module_ = LoadLibraryW(path.c_str());
  if (!module_)
    return;
  using GetRecord = THookSharedData *(*)();
  const auto getRecord = Entry<GetRecord>(module_, "GetHookSharedData");
  install_ = Entry<EntryPoint>(module_, "InstallHook");
  uninstall_ = Entry<EntryPoint>(module_, "UnInstallHook");
  if (getRecord && install_ && uninstall_)
    sharedData_ = getRecord();
}

THookLibrary::~THookLibrary() {
  UnInstallHook();
  if (module_)
    FreeLibrary(module_);
}

void THookLibrary::InstallHook() {
  if (Loaded() && !installed_) {
    install_();
    installed_ = true;
    StartHelper();
  }
}

void THookLibrary::UnInstallHook() {
  if (installed_) {
    StopHelper();
    uninstall_();
    installed_ = false;
  }
}

void THookLibrary::StartHelper() {
  if (GetFileAttributesW(helperPath_.c_str()) == INVALID_FILE_ATTRIBUTES)
    return;
  std::wstring commandLine = L"\"" + helperPath_ + L"\" " + std::to_wstring(GetCurrentProcessId());
  STARTUPINFOW startup{sizeof(startup)};
  if (!CreateProcessW(helperPath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &helper_))
    helper_ = {};
}

void THookLibrary::StopHelper() {
  if (!helper_.hProcess)
    return;
  // The helper may not have its message queue yet when it was started just now.
  bool ended = false;
  for (int attempt = 0; attempt < 30 && !ended; ++attempt) {
    PostThreadMessageW(helper_.dwThreadId, WM_QUIT, 0, 0);
    ended = WaitForSingleObject(helper_.hProcess, 100) == WAIT_OBJECT_0;
  }
  if (!ended)
    TerminateProcess(helper_.hProcess, 1);
  CloseHandle(helper_.hThread);
  CloseHandle(helper_.hProcess);
  helper_ = {};
}

std::wstring THookLibrary::DefaultPath() {
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  std::wstring path(buffer, length);
  const std::size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return path + L"QuadrivistaHooks.dll";
}

} // namespace qv
