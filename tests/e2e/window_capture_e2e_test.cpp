// Pictures of desktops whose windows belong to other programs and are
// hidden, as every desktop but the current one is. Under Wine a window of
// another process prints nothing from here, so the window's own process
// prints it through the hook library.
#include "capture/desktop_pictures_win32.h"
#include "capture/managed_window_rendering_win32.h"
#include "desktops/desktop.h"
#include "tests/e2e/e2e_support_win32.h"
#include "tests/support/fake_window_system.h"
#include "tests/support/memory_settings_store.h"
#include "tests/support/painted_window_win32.h"
#include "triggers/desktop_properties_win32.h"
#include "triggers/hook_library_win32.h"

#include <gtest/gtest.h>

namespace qv::e2e {
namespace {

using test::PixelAt;

TEST(WindowCaptureTest, HiddenWindowsOfOtherProgramsAppearInTheirDesktopsPicture) {
  THookLibrary library(ExecutableFolder() / L"QuadrivistaHooks.dll");
  ASSERT_TRUE(library.Loaded());
  PrepareHookSharedData(*library.SharedData());
  library.InstallHook();
  Process program(ExecutableFolder() / L"test_window.exe",
                  L"--class QvCapture --at 200 150 --size 300 200 --colour 200 40 40");
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = FindProcessWindow(program.Id(), L"QvCapture")); }));
  SetWindowPos(window, nullptr, 200, 150 - 25000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  TDesktopProperties shell;
  test::MemorySettingsStore store;
  TSetup setup(store);
  test::FakeWindowSystem system;
  DesktopPictures pictures(shell, setup, 1);
  Win32ManagedWindowFactory records(pictures.Painting());
  DesktopEnvironment environment{system, setup, pictures};
  TDesktop desktop(2, environment);
  pictures.SetDesktops({nullptr, &desktop, nullptr, nullptr, nullptr, nullptr});
  pictures.InitThumbnail(2);
  const auto record = records.Create(environment, RenderingKind::Default);
  record->Handle = reinterpret_cast<WindowHandle>(window);
  record->Paintable = true;
  record->SetDesktop(&desktop);

  // The client area lies inside the frame; its middle is the window's colour.
  EXPECT_TRUE(WaitUntil([&] {
    pictures.Compose(2);
    return PixelAt(*pictures.Thumbnail(2), 350, 260) == RGB(200, 40, 40);
  })) << "the hidden window is drawn at its place";
  EXPECT_NE(PixelAt(*pictures.Thumbnail(2), 350, 100), RGB(200, 40, 40)) << "and only there";

  record->SetDesktop(nullptr);
  library.UnInstallHook();
}

} // namespace
} // namespace qv::e2e
