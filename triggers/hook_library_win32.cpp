#include "triggers/hook_library_win32.h"

namespace qv {
namespace {

template <typename Function> Function Entry(HMODULE module, const char *name) {
  return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

} // namespace

THookLibrary::THookLibrary(const std::wstring &path) {
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
  }
}

void THookLibrary::UnInstallHook() {
  if (installed_) {
    uninstall_();
    installed_ = false;
  }
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
