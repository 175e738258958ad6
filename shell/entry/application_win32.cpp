#include "shell/entry/application_win32.h"

#include "desktops/desktop.h"
#include "desktops/window_list_dialog_win32.h"
#include "desktops/window_manager.h"
#include "overlays/desktop_preview_win32.h"
#include "overlays/osd_win32.h"
#include "shell/command_line.h"
#include "shell/entry/program_desktops_win32.h"
#include "shell/entry/program_effects_win32.h"
#include "shell/entry/program_triggers_win32.h"
#include "shell/entry/settings_password_win32.h"
#include "shell/global_lock_win32.h"
#include "shell/globals_win32.h"
#include "shell/language.h"
#include "shell/log.h"
#include "shell/log_window_win32.h"
#include "shell/main_form_win32.h"
#include "shell/registry_settings_store_win32.h"
#include "shell/settings/icon_manager_win32.h"
#include "shell/settings/settings_window_win32.h"
#include "shell/setup.h"
#include "shell/single_instance_win32.h"
#include "shell/system_properties_win32.h"
#include "shell/version.h"
#include "shell/window_win32.h"
#include "triggers/desktop_properties_win32.h"

#include <memory>

namespace qv {

TSystemProperties *SystemProperties = nullptr;
TMutex *Mutex = nullptr;

namespace {

// The hidden top-level window of the application. Another instance's
// wake-up broadcast reaches it and brings the main form forward.
class ApplicationWindow {
public:
  explicit ApplicationWindow(const TSettings *&mainForm) : mainForm_(mainForm) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{sizeof(windowClass)};
    windowClass.lpfnWndProc = &ApplicationWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TApplication";
    RegisterClassExW(&windowClass);
    window_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, L"TApplication", L"Quadrivista", WS_POPUP, 0, 0,
                                  0, 0, nullptr, nullptr, instance, this));
  }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *self = WindowOwner<ApplicationWindow>(window, message, lParam);
    if (self && message == SingleInstance::WakeUpMessage()) {
      self->WakeUp();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void WakeUp() {
    LogLine("Woken up by another instance");
    if (!mainForm_)
      return;
    HWND form = mainForm_->Handle();
    if (IsIconic(form))
      ShowWindow(form, SW_RESTORE);
    SetForegroundWindow(form);
  }

  const TSettings *&mainForm_;
  UniqueWindow window_;
};

// The process-wide objects, in the order they are created; they are freed
// in the reverse order unless the teardown says otherwise.
struct ProcessObjects {
  std::unique_ptr<RegistrySettingsStore> settingsStore;
  std::unique_ptr<TSetup> setup;
  std::unique_ptr<TLanguageController> languageController;
  std::unique_ptr<TLog> log;
  std::unique_ptr<TLogWindow> logWindow;
  std::unique_ptr<TSystemProperties> systemProperties;
  std::unique_ptr<TDesktopProperties> desktopProperties;
  std::unique_ptr<ProgramTriggers> triggers;
  std::unique_ptr<TMutex> mutex;
  std::unique_ptr<ProgramDesktops> desktops;
};

// Whatever happens to the process, the windows it hid come back.
ProgramDesktops *desktopsToRestore = nullptr;

// Once the windows are back the process ends at once, rather than wait in a
// debugger or an error report with its tray icon dead.
LONG WINAPI RestoreWindowsBeforeCrash(EXCEPTION_POINTERS *) {
  if (desktopsToRestore)
    desktopsToRestore->EmergencyRestore();
  return EXCEPTION_EXECUTE_HANDLER;
}

void CreateProcessObjects(ProcessObjects &objects, const CommandLineOptions &options) {
  objects.settingsStore = std::make_unique<RegistrySettingsStore>();
  objects.setup = std::make_unique<TSetup>(*objects.settingsStore);
  Setup = objects.setup.get();

  objects.languageController =
      std::make_unique<TLanguageController>(ExecutableFolder() / "Languages");
  objects.languageController->SetLanguage(Setup->GeneralLanguage);
  LanguageController = objects.languageController.get();

  objects.log = std::make_unique<TLog>();
  Log = objects.log.get();
  objects.logWindow = std::make_unique<TLogWindow>(*objects.log);

  objects.systemProperties = std::make_unique<TSystemProperties>(options.imageScale);
  SystemProperties = objects.systemProperties.get();
  Log->MirrorToFile(SystemProperties->AppDataPath / "quadrivista.log");
  Log->Add(std::string(kProductName) + " " + kVersionText + " starting");
  for (const std::string &rejected : Setup->RejectedValues)
    Log->Add(rejected);

  objects.desktopProperties = std::make_unique<TDesktopProperties>();
  objects.triggers = std::make_unique<ProgramTriggers>(*Setup, *Log);

  objects.mutex = std::make_unique<TMutex>();
  Mutex = objects.mutex.get();

  if (options.reset)
    DeleteSideFiles(SystemProperties->AppDataPath);

  objects.desktops = std::make_unique<ProgramDesktops>(
      *objects.desktopProperties, *Mutex, *Setup, *Log, SystemProperties->ImageScale,
      SystemProperties->AppDataPath, SystemProperties->LocalAppDataPath / "hidden-windows.journal");
  desktopsToRestore = objects.desktops.get();
  SetUnhandledExceptionFilter(&RestoreWindowsBeforeCrash);
  objects.desktops->Start();
}

std::vector<WindowListRow> WindowListRows(const TWindowManager &windowManager) {
  std::vector<WindowListRow> rows;
  for (const auto &window : windowManager.Windows())
    rows.push_back({window->Handle, window->Title, window->ClassName, window->ProcessName,
                    window->Desktop ? window->Desktop->Number() : 0});
  return rows;
}

// The icon manager changes the desktops' own layouts, lists the icons of the
// start-up layout, and saves what it changed.
IconManagerServices IconManagerServicesOf(ProgramDesktops &desktops,
                                          const TDesktopProperties &shell) {
  IconManagerServices services;
  services.startup = &shell.IconController->Layout();
  for (int n = 1; n <= 6; ++n)
    services.desktops[static_cast<std::size_t>(n - 1)] = &desktops.Wallpapers().Icons(n).Layout();
  services.saveAndApply = [&desktops] {
    ProgramWallpapers &wallpapers = desktops.Wallpapers();
    for (int n = 1; n <= 6; ++n)
      wallpapers.Icons(n).Save(wallpapers.IconFile(n));
    wallpapers.Icons(desktops.CurrentNumber()).ApplyLayout();
  };
  return services;
}

// The main loop. While an effect runs, the render host draws a frame
// whenever the queue is empty, and sees every message first; otherwise the
// loop waits for messages and costs nothing. Keyboard navigation of the
// settings window (Tab, Enter, Escape) while it is shown.
void RunMessageLoop(const TSettings *&mainForm, const ProgramEffects &effects) {
  MSG message{};
  for (;;) {
    TRendererForm *host = effects.Host();
    if (host && host->HasRenderer()) {
      if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        host->Idle();
        continue;
      }
      if (message.message == WM_QUIT)
        break;
      host->OfferMessage(message);
    } else if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      break;
    }
    HWND form = mainForm ? mainForm->Handle() : nullptr;
    if (form && IsWindowVisible(form) && IsDialogMessageW(form, &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

} // namespace

int RunApplication(const std::vector<std::string> &parameters) {
  SingleInstance instance;
  if (instance.AnotherInstanceRuns())
    return 0;

  const TSettings *mainFormRef = nullptr;
  auto applicationWindow = std::make_unique<ApplicationWindow>(mainFormRef);

  ProcessObjects objects;
  CreateProcessObjects(objects, ParseCommandLine(parameters));

  auto mainForm = std::make_unique<TSettings>();
  mainFormRef = mainForm.get();
  // The on-screen display lives exactly as long as the main form.
  auto osd = std::make_unique<TOSD>(*Setup, *objects.desktopProperties);
  OSD = osd.get();
  ProgramTriggers &triggers = *objects.triggers;
  ProgramDesktops &desktops = *objects.desktops;
  triggers.Connect(&desktops, mainForm.get(), objects.desktopProperties.get());
  ProgramEffects effects(*Setup, *Log, *objects.desktopProperties, SystemProperties->ImageScale);
  effects.Connect(&desktops, &triggers, mainForm.get());
  triggers.ConnectEffects(&effects);
  mainForm->CurrentDesktop = [&] { return desktops.CurrentNumber(); };
  mainForm->Dispatch = [&](int action) { triggers.Manager().Dispatch(action); };
  mainForm->HandleHotKey = [&](unsigned identifier) {
    if (!triggers.HandleOwnHotKey(identifier))
      triggers.Manager().HandleHotKey(identifier);
  };
  mainForm->HandleNotification = [&](std::uint32_t request, std::uint32_t window) {
    triggers.Manager().HandleNotification(request, window);
  };
  mainForm->RegisterTriggers = [&] {
    triggers.RegisterHotKeys();
    triggers.RestartHookThread();
  };
  mainForm->EnableTriggers = [&] {
    triggers.Manager().Enable(
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(mainFormRef->Handle())));
    triggers.Manager().SetEffectReady();
    triggers.Manager().AllowSwitching();
  };
  TDesktopBackgroundController &wallpapers = desktops.Wallpapers().Wallpapers();
  SettingsServices settingsServices;
  settingsServices.setup = Setup;
  settingsServices.applyHotkeys = [&] { mainForm->ApplyHotkeys(); };
  settingsServices.restartHookThread = [&] { triggers.RestartHookThread(); };
  settingsServices.setTrayDefaultItem = [&] { mainForm->SetTrayDefaultItem(); };
  settingsServices.reloadEffectBackgrounds = [&] {
    if (effects.Host())
      effects.Host()->ReloadBackgrounds();
  };
  settingsServices.processNames = [&] {
    std::vector<std::string> names;
    for (const auto &window : desktops.WindowManager().Windows())
      names.push_back(window->ProcessName);
    return names;
  };
  settingsServices.wallpaperName = [&](int desktop) {
    return wallpapers.WallpaperDisplayName(desktop);
  };
  settingsServices.changeWallpaper = [&](int desktop, const std::string &path) {
    wallpapers.ChangeWallpaper(desktop, path);
  };
  settingsServices.requestPassword = [](HWND, const RECT &area) {
    return RequestSettingsPassword(*Setup, area);
  };
  mainForm->SetContent(std::make_unique<TSettingsWindow>(mainForm->Handle(), settingsServices));
  mainForm->ManageWindows = [&] {
    ShowWindowListDialog(nullptr, WindowListRows(desktops.WindowManager()));
  };
  mainForm->CheckWallpaperChange = [&] { wallpapers.CheckForWallpaperChange(); };
  mainForm->ManageIcons = [&] {
    ShowIconManager(nullptr, IconManagerServicesOf(desktops, *objects.desktopProperties));
  };
  // The tray's live preview of a desktop; at most one, closed with the form.
  std::unique_ptr<TDesktopRenderer> preview;
  mainForm->OpenDesktopPreview = [&](int number) {
    preview.reset();
    TDesktop *desktop = desktops.WindowManager().Desktop(number);
    if (!desktop)
      return;
    Mutex->WaitFor();
    desktop->SortByZOrder();
    Mutex->Release();
    const TDesktopProperties &shell = *objects.desktopProperties;
    preview = std::make_unique<TDesktopRenderer>(
        *desktop, desktops.Pictures().Painting(), shell.ScreenWidth, shell.ScreenHeight,
        Setup->TrayLivePreviewSize / 100.0, Setup->DisplayName(number) + " live preview",
        desktops.Pictures().Thumbnail(number));
  };
  mainForm->FreeDesktopPreview = [&] { preview.reset(); };
  objects.logWindow->OnWallpaperController = [&] { wallpapers.DumpState(); };

  // Gives everything back to the user; safe to run twice. The end of the
  // session arrives as a sent message, which this thread also receives while
  // a locked operation waits on another program's window; the lock is not
  // re-entrant, so the teardown is then left to the end of the message loop
  // (false) instead of waiting for itself.
  bool tornDown = false;
  const auto teardown = [&](bool fromMessageLoopEnd) {
    if (tornDown)
      return true;
    if (fromMessageLoopEnd)
      Mutex->WaitFor();
    else if (!Mutex->TryWaitFor())
      return false;
    tornDown = true;
    LogLine("Shutting down");
    applicationWindow.reset();
    // Discovery, triggers and the wallpaper watch stop together, between two passes.
    wallpapers.EnableMonitoring(false);
    desktops.WindowManager().Enabled = false;
    triggers.Manager().Disable();
    triggers.Manager().ForbidSwitching();
    Mutex->Release();
    triggers.StopHookThread();
    try {
      desktops.RestoreAll();
    } catch (...) {
      // The rest of the teardown still runs.
    }
    return true;
  };
  mainForm->EndApplication = [&](bool sessionEnding) {
    // When the session ends the process may be ended soon after this
    // message, so the teardown does not wait for the message loop if it can
    // run now.
    if (sessionEnding)
      teardown(false);
    PostQuitMessage(0);
  };
  mainForm->DeviceCooperating = [&] { return !effects.Host() || effects.Host()->Cooperating(); };
  mainForm->RestartSystem = [&] {
    TDesktopProperties &shell = *objects.desktopProperties;
    if (!shell.ResolutionChanged()) {
      LogLine("System does not need restart");
      return;
    }
    // Measured again in place: every part keeps its reference to it.
    shell.Measure();
    if (OSD)
      OSD->ShowText("Restarting system");
    effects.DestroyHost();
    Mutex->WaitFor();
    wallpapers.EnableMonitoring(false);
    desktops.WindowManager().Enabled = false;
    triggers.Manager().Disable();
    Mutex->Release();
    for (int desktop = 1; desktop <= 6; ++desktop)
      desktops.Pictures().InitThumbnail(desktop);
    triggers.RestartHookThread();
    std::string error;
    if (!effects.CreateHost(error))
      Log->Add("Rendering engine not restarted: " + error);
    desktops.WindowManager().Enabled = true;
    mainForm->EnableTriggers();
    wallpapers.EnableMonitoring(true);
  };

  // The render host exists, parked with its device, before the triggers can
  // ask for an effect.
  std::string hostError;
  if (!effects.CreateHost(hostError)) {
    Log->Add("Rendering engine cannot start: " + hostError);
    MessageBoxA(nullptr,
                "Quadrivista rendering engine cannot start. Please, check your DirectX version.",
                "Quadrivista", MB_OK | MB_ICONERROR);
    PostQuitMessage(1);
  } else {
    mainForm->FormCreate();
    wallpapers.EnableMonitoring(true);
    LogLine("Started");
  }

  RunMessageLoop(mainFormRef, effects);
  mainForm->CloseDesktopPreview();
  teardown(true);
  effects.DestroyHost();
  desktopsToRestore = nullptr;
  objects.triggers.reset();
  objects.logWindow->OnWallpaperController = nullptr;
  objects.desktops.reset();
  objects.desktopProperties.reset();
  Mutex = nullptr;
  objects.mutex.reset();
  OSD = nullptr;
  osd.reset();
  // The tray icons leave the notification area with the main form.
  mainFormRef = nullptr;
  mainForm.reset();
  LogLine("Shut down");
  return 0;
}

} // namespace qv
