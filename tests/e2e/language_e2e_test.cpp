// The shipped translations in the real program: the language setting holds a
// lower-case name ("german"), the file beside the program is "German.lng",
// and its Windows-1252 texts reach the program's windows intact.
#include "tests/e2e/program_fixture_win32.h"

#include "shell/registry_settings_store_win32.h"
#include "shell/setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <vector>

namespace qv::e2e {
namespace {

// The text of `identifier` in a language file, decoded from Windows-1252.
std::wstring TextIn(const std::filesystem::path &file, const std::string &identifier) {
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (!line.starts_with(identifier + "="))
      continue;
    const std::string text = line.substr(identifier.size() + 1);
    const int length = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(1252, 0, text.data(), length, wide.data(), length)));
    return wide;
  }
  return {};
}

// The texts of the push buttons of a window of another process.
std::vector<std::wstring> ButtonTexts(HWND window) {
  std::vector<std::wstring> texts;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) {
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        if (_wcsicmp(className, L"Button") == 0)
          reinterpret_cast<std::vector<std::wstring> *>(found)->push_back(WindowTextOf(child));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

class LanguageEndToEnd : public ProgramFixture, public ::testing::WithParamInterface<std::string> {
protected:
  static std::filesystem::path LanguageFolder() { return ExecutableFolder() / L"Languages"; }

  // "German.lng" for "german": the name the file is shipped under.
  static std::filesystem::path ShippedFile(std::string language) {
    language[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(language[0])));
    return LanguageFolder() / (language + ".lng");
  }
};

TEST_P(LanguageEndToEnd, TheChosenLanguageTranslatesTheTrayMenuAndTheWindowList) {
  const std::string language = GetParam();
  const std::wstring accept = TextIn(ShippedFile(language), "42");
  ASSERT_FALSE(accept.empty()) << "no text 42 in " << ShippedFile(language).string();
  ASSERT_NE(accept, TextIn(LanguageFolder() / L"English.lng", "42"));
  {
    RegistrySettingsStore store;
    TSetup setup(store);
    setup.GeneralLanguage = language;
    ASSERT_TRUE(setup.Save());
  }

  auto program = Start();
  OpenTrayMenu();
  SaveScreenshot("tray-menu-" + language);
  for (int i = 0; i < 10; ++i) // down to "Utilities"
    PressKey(VK_DOWN);
  PressKey(VK_RIGHT); // its first item, "Manage icons"
  PressKey(VK_DOWN);  // "Manage windows"
  PressKey(VK_RETURN);
  HWND windowList = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    windowList = FindProcessWindow(program->Id(), L"TWindowManagerForm");
    return windowList != nullptr && IsWindowVisible(windowList);
  })) << "the window list did not open";

  // The accept button reads the chosen language's text for 42; German's begins
  // with a U umlaut, which only a Windows-1252 reading of the file gives.
  std::vector<std::wstring> buttons;
  EXPECT_TRUE(WaitUntil(
      [&] {
        buttons = ButtonTexts(windowList);
        return std::find(buttons.begin(), buttons.end(), accept) != buttons.end();
      },
      10s))
      << "no button reads the text of 42 in " << language;
  // Paints the dialog before the screenshot: a message sent to it returns once
  // its thread has taken every earlier message, and the redraw paints at once.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(windowList, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  RedrawWindow(windowList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SaveScreenshot("window-list-" + language);

  PostMessageW(windowList, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindow(windowList) == FALSE; }, 10s));
  Stop(*program);
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageEndToEnd,
                         ::testing::Values("spanish", "italian", "portugues", "german", "french"),
                         [](const auto &info) { return info.param; });

} // namespace
} // namespace qv::e2e
