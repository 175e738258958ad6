#include "tests/e2e/fixtures_win32.h"

#include "shell/ansi_text_win32.h"

namespace qv::e2e {

void ProgramFixture::SetUp() {
  DeleteSettingsKey();
  std::error_code ignored;
  std::filesystem::remove(LogFile(), ignored);
}

std::unique_ptr<Process> ProgramFixture::Start(const std::wstring &parameters) {
  const int startsBefore = LogCount("Started\r\n");
  auto process = std::make_unique<Process>(ProgramPath(), parameters);
  EXPECT_TRUE(WaitUntil([&] {
    form_ = FindProcessWindow(process->Id(), L"TSettings");
    return TrayIconExists(form_, kMainIcon);
  })) << "the program did not show its tray icon";
  EXPECT_TRUE(WaitUntil([&] { return LogCount("Started\r\n") > startsBefore; }))
      << "the program did not finish starting";
  return process;
}

void ProgramFixture::Stop(Process &process) {
  SendMessageTimeoutW(form_, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 10000, nullptr);
  EXPECT_TRUE(process.WaitForExit(10s));
}

void ProgramFixture::OpenTrayMenu() {
  const POINT icon = FirstTrayIconPoint();
  RightClickAt(icon.x, icon.y);
  ASSERT_TRUE(WaitUntil([] { return FindOpenMenu() != nullptr; }, 10s))
      << "the tray menu did not open";
}

void ProgramFixture::ShowSettings() {
  OpenTrayMenu();
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }, 10s));
}

void ProgramFixture::SaveSettings(const std::function<void(TSetup &)> &change) {
  RegistrySettingsStore store;
  TSetup setup(store);
  change(setup);
  ASSERT_TRUE(setup.Save());
}

HWND ProgramFixture::Link(int tag) const {
  return FindDescendant(FindDescendant(form_, settings_id::kPanel), settings_id::kLinkBase + tag);
}

HWND ProgramFixture::OpenPage() const {
  HWND cancel = FindDescendant(FindDescendant(form_, settings_id::kPanel), settings_id::kCancel);
  return cancel && IsWindowVisible(cancel) ? GetParent(cancel) : nullptr;
}

HWND ProgramFixture::ClickLink(int tag) {
  HWND link = Link(tag);
  EXPECT_NE(link, nullptr) << "link " << tag;
  if (!link)
    return nullptr;
  ClickWindow(link);
  HWND page = nullptr;
  if (!WaitUntil([&] { return (page = OpenPage()) != nullptr; }, 10s)) {
    ADD_FAILURE() << "the page of link " << tag << " did not open";
    TakeDisplayScreenshot("failed-link-" + std::to_string(tag));
  }
  return page;
}

void ProgramFixture::ClosePage(HWND page, int button) {
  ClickWindow(FindDescendant(page, button));
  if (!WaitUntil([&] { return !IsWindow(page) && IsWindowVisible(Link(11)); }, 10s)) {
    ADD_FAILURE() << "the page did not close: "
                  << WideToAnsi(WindowTextOf(FindDescendant(page, settings_id::kTitle)));
    TakeDisplayScreenshot("failed-close-" + std::to_string(++failedCloses_));
  }
}

void StandInShellFixture::SetUp() {
  ProgramFixture::SetUp();
  std::error_code ignored;
  std::filesystem::remove(ShellHookLog(), ignored);
  std::filesystem::remove(JournalFile(), ignored);
  shell_ = std::make_unique<Process>(ExecutableFolder() / L"standin_shell.exe",
                                     L"\"" + ShellHookLog().wstring() + L"\"");
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"Progman", nullptr) != nullptr; }));
}

void StandInShellFixture::TearDown() {
  for (auto &program : programs_)
    program->Kill();
  PostMessageW(FindWindowW(L"Progman", nullptr), WM_CLOSE, 0, 0);
  shell_->WaitForExit(5s);
}

void StandInShellFixture::OpenTrayMenu() {
  PostMessageW(form_, WM_APP + 1, kMainIcon, WM_RBUTTONUP);
  ASSERT_TRUE(WaitUntil([] { return FindOpenMenu() != nullptr; }, 10s))
      << "the tray menu did not open";
}

std::filesystem::path StandInShellFixture::ShellHookLog() {
  return ExecutableFolder() / L"shellhook.log";
}

HWND StandInShellFixture::OpenWindow(const std::wstring &className,
                                     const std::filesystem::path &program,
                                     const std::wstring &options) {
  const auto path = program.empty() ? ExecutableFolder() / L"test_window.exe" : program;
  programs_.push_back(
      std::make_unique<Process>(path, L"--class \"" + className + L"\" " + options));
  HWND window = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    return (window = FindProcessWindow(programs_.back()->Id(), className.c_str())) != nullptr;
  }));
  return window;
}

HWND StandInShellFixture::OpenManagedWindow(const std::wstring &className,
                                            const std::filesystem::path &program,
                                            const std::wstring &options) {
  HWND window = OpenWindow(className, program, options);
  WaitUntilManaged(window);
  return window;
}

void StandInShellFixture::WaitUntilManaged(HWND window) {
  const std::string line = "New window. Handle [" + HandleText(window) + "]";
  EXPECT_TRUE(WaitUntil([&] { return Logged(line); }))
      << "the program did not take on window " << reinterpret_cast<std::uintptr_t>(window);
}

void EffectEndToEnd::OpenDesktops(const std::function<void(TSetup &)> &settings,
                                  const std::wstring &password) {
  SaveSettings([&](TSetup &setup) {
    setup.PerformanceLivePreview = false;
    if (settings)
      settings(setup);
  });
  program_ = Start();
  const std::wstring size = L"--at 240 200 --size 800 600 --colour ";
  red_ = OpenManagedWindow(L"Qv" + name_ + L"Red", {}, size + L"208 32 32");
  if (!password.empty()) {
    ASSERT_TRUE(PressCtrlWithUntil('2', [&] {
      return VisibleProcessWindow(program_->Id(), L"TRetrievePassword") != nullptr;
    })) << "the password was not asked for";
    TypeText(password);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return Hidden(red_); }));
  } else {
    ASSERT_TRUE(PressCtrlWithUntil('2', [&] { return Hidden(red_); }));
  }
  green_ = OpenManagedWindow(L"Qv" + name_ + L"Green", {}, size + L"32 176 32");
  // Desktop 2's picture is taken as it is left: not before its window shows.
  EXPECT_TRUE(WaitUntil([] {
    const auto image = TakeDisplayScreenshot("effect-desktop-2");
    return image && Greenish(MeanColour(*image, 640, 512, 20));
  })) << "the green window was never drawn";
  ASSERT_TRUE(PressCtrlWithUntil('1', [&] { return Hidden(green_) && At(red_); }));
  const HWND host = Host();
  ASSERT_NE(host, nullptr) << "the render host exists from start-up";
  EXPECT_NE(GetWindowLongPtrW(host, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0) << "no taskbar button";
  EXPECT_NE(GetWindowLongPtrW(host, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

void EffectEndToEnd::OpenEffect(const std::function<void()> &press) {
  ended_ = EffectsEnded();
  press();
  ASSERT_TRUE(WaitUntil([&] { return OnScreen(); }, 10s)) << "the effect did not come on screen";
  EXPECT_FALSE(Logged("Pictures that could not be loaded")) << "the buttons and backgrounds";
  Sleep(1500); // the opening motion (750 ms) and the springs settling
}

void EffectEndToEnd::OpenEffect(WORD key, WORD modifier) {
  OpenEffect([&] { modifier ? PressWith(modifier, key) : PressKey(key); });
}

void EffectEndToEnd::WaitUntilClosed() {
  EXPECT_TRUE(WaitUntil([&] { return EffectsEnded() > ended_ && !OnScreen(); }, 20s))
      << "the effect did not end";
}

DecodedImage EffectEndToEnd::Screen(const std::string &name) {
  std::optional<DecodedImage> image = TakeDisplayScreenshot(name);
  EXPECT_TRUE(image.has_value()) << "no screenshot of the display";
  return image ? std::move(*image) : DecodedImage{1, 1, {0, 0, 0, 255}};
}

Colour EffectEndToEnd::Centre(const std::string &screenshot) const {
  return MeanColour(Screen(screenshot), 640, 512, centreSquare_);
}

bool EffectEndToEnd::CentreBecomes(const std::string &screenshot, bool (*colour)(Colour)) const {
  return WaitUntil([&] { return colour(Centre(screenshot)); }, 30s);
}

} // namespace qv::e2e
