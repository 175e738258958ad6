#include "desktops/window_classification.h"

#include "desktops/window_system.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace qv;
using namespace qv::window_style;

std::string Describe(const std::optional<WindowClassification> &result) {
  if (!result)
    return "left alone";
  return "digit " + std::to_string(result->KindDigit) + (result->Sticky ? ", sticky" : "") +
         (result->Tricky ? ", tricky" : "");
}

TEST(WindowClassificationTest, ListsAndStylesDecideWhetherAndHowAWindowIsManaged) {
  constexpr std::uint32_t kVisiblePopup = kVisible | kPopup;
  const struct {
    NewWindowFacts window;
    const char *expected;
  } cases[] = {
      {{kVisible, 0, false, "Notepad", "notepad.exe"}, "digit 0"},
      {{kVisible | kChild, 0, false, "Notepad", "notepad.exe"}, "left alone"},
      {{0, 0, false, "Notepad", "notepad.exe"}, "left alone"},
      // The sticky list names classes and processes, each with its rendering kind.
      {{kVisible, 0, false, "SideBar_HTMLHostWindow", "sidebar.exe"}, "digit 2, sticky"},
      {{kVisible, 0, false, "BaseWindow_RootWnd", "app.exe"}, "digit 1, sticky, tricky"},
      {{kVisible, 0, false, "Clock", "chamclock.exe"}, "digit 0, sticky"},
      // Names match exactly, letter case included, and only whole.
      {{kVisible, 0, false, "sidebar_htmlhostwindow", "x.exe"}, "digit 0"},
      {{kVisible, 0, false, "Clock", "ChamClock.exe"}, "digit 0"},
      {{kVisible, 0, false, "Shell_Tray", "x.exe"}, "digit 0"},
      {{kVisible, 0, false, "Shell_TrayWnd", "x.exe"}, "left alone"},
      {{kVisible, 0, false, "USurface", "x.exe"}, "digit 0"},
      {{kVisible, 0, false, "USurface_75131930", "x.exe"}, "digit 0, tricky"},
      // Ignored classes and processes, and "ATL:" classes.
      {{kVisible, 0, false, "#32768", "explorer.exe"}, "left alone"},
      {{kVisible, 0, false, "Progman", "explorer.exe"}, "left alone"},
      {{kVisible, 0, false, "tooltips_class32", "explorer.exe"}, "left alone"},
      {{kVisible, 0, false, "Desktop User Picture", "explorer.exe"}, "left alone"},
      {{kVisible, 0, false, "Widget", "yahoowidgets.exe"}, "left alone"},
      {{kVisible, 0, false, "ATL:0042F1A8", "app.exe"}, "left alone"},
      {{kVisible, 0, false, "MyATL:Host", "app.exe"}, "left alone"},
      // The override list exempts from the ignore rules.
      {{kVisible, 0, false, "ATL:Photoshop", "photoshop.exe"}, "digit 0"},
      {{kVisible, 0, false, "Button", "delphi32.exe"}, "digit 0"},
      // An unowned popup tool window only when sticky.
      {{kVisiblePopup, kExToolWindow, false, "Palette", "app.exe"}, "left alone"},
      {{kVisiblePopup, kExToolWindow, true, "Palette", "app.exe"}, "digit 0"},
      {{kVisiblePopup, 0, false, "Palette", "app.exe"}, "digit 0"},
      {{kVisiblePopup, kExToolWindow, false, "Palette", "skintrash.exe"}, "digit 0, sticky"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.window.ClassName) + " of " + std::string(c.window.ProcessName));
    EXPECT_EQ(Describe(ClassifyNewWindow(c.window)), c.expected);
  }
}

} // namespace
