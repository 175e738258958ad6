#include "desktops/window_classification.h"

#include "desktops/window_system.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;
using namespace qv::window_style;

NewWindowFacts Visible(std::string_view className, std::string_view processName) {
  return {kVisible, 0, false, className, processName};
}

TEST(WindowClassificationTest, OrdinaryVisibleWindowIsManagedPlain) {
  const auto result = ClassifyNewWindow(Visible("Notepad", "notepad.exe"));
  ASSERT_TRUE(result);
  EXPECT_FALSE(result->Sticky);
  EXPECT_FALSE(result->Tricky);
  EXPECT_EQ(result->KindDigit, 0);
}

TEST(WindowClassificationTest, ChildAndInvisibleWindowsAreLeftAlone) {
  EXPECT_FALSE(ClassifyNewWindow({kVisible | kChild, 0, false, "Notepad", "notepad.exe"}));
  EXPECT_FALSE(ClassifyNewWindow({0, 0, false, "Notepad", "notepad.exe"}));
}

TEST(WindowClassificationTest, StickyListGivesStickinessAndKind) {
  const auto gadget = ClassifyNewWindow(Visible("SideBar_HTMLHostWindow", "sidebar.exe"));
  ASSERT_TRUE(gadget);
  EXPECT_TRUE(gadget->Sticky);
  EXPECT_FALSE(gadget->Tricky);
  EXPECT_EQ(RenderingKindFromDigit(gadget->KindDigit), RenderingKind::Gadget);

  const auto root = ClassifyNewWindow(Visible("BaseWindow_RootWnd", "app.exe"));
  ASSERT_TRUE(root);
  EXPECT_TRUE(root->Sticky);
  EXPECT_TRUE(root->Tricky);
  EXPECT_EQ(RenderingKindFromDigit(root->KindDigit), RenderingKind::AlphaPrint);

  const auto byProcess = ClassifyNewWindow(Visible("Clock", "chamclock.exe"));
  ASSERT_TRUE(byProcess);
  EXPECT_TRUE(byProcess->Sticky);
}

TEST(WindowClassificationTest, NamesMatchExactlyIncludingCase) {
  EXPECT_FALSE(ClassifyNewWindow(Visible("sidebar_htmlhostwindow", "x.exe"))->Sticky);
  EXPECT_FALSE(ClassifyNewWindow(Visible("Clock", "ChamClock.exe"))->Sticky);
  // A name is only found whole, not as part of a longer listed name.
  EXPECT_TRUE(ClassifyNewWindow(Visible("Shell_Tray", "x.exe")));
  EXPECT_FALSE(ClassifyNewWindow(Visible("Shell_TrayWnd", "x.exe")));
  EXPECT_FALSE(ClassifyNewWindow(Visible("USurface", "x.exe"))->Tricky);
  EXPECT_TRUE(ClassifyNewWindow(Visible("USurface_75131930", "x.exe"))->Tricky);
}

TEST(WindowClassificationTest, IgnoredClassesAndProcessesAreNeverManaged) {
  for (const char *shellClass : {"#32768", "Shell_TrayWnd", "Progman", "tooltips_class32"})
    EXPECT_FALSE(ClassifyNewWindow(Visible(shellClass, "explorer.exe"))) << shellClass;
  EXPECT_FALSE(ClassifyNewWindow(Visible("Desktop User Picture", "explorer.exe")));
  EXPECT_FALSE(ClassifyNewWindow(Visible("Widget", "yahoowidgets.exe")));
  EXPECT_FALSE(ClassifyNewWindow(Visible("ATL:0042F1A8", "app.exe")));
  EXPECT_FALSE(ClassifyNewWindow(Visible("MyATL:Host", "app.exe")));
}

TEST(WindowClassificationTest, OverrideListExemptsFromIgnoreRules) {
  const auto photoshop = ClassifyNewWindow(Visible("ATL:Photoshop", "photoshop.exe"));
  ASSERT_TRUE(photoshop);
  EXPECT_EQ(photoshop->KindDigit, 0);
  EXPECT_FALSE(photoshop->Sticky);
  EXPECT_TRUE(ClassifyNewWindow(Visible("Button", "delphi32.exe")));
}

TEST(WindowClassificationTest, UnownedPopupToolWindowOnlyWhenSticky) {
  const std::uint32_t popup = kVisible | kPopup;
  EXPECT_FALSE(ClassifyNewWindow({popup, kExToolWindow, false, "Palette", "app.exe"}));
  EXPECT_TRUE(ClassifyNewWindow({popup, kExToolWindow, true, "Palette", "app.exe"}));
  EXPECT_TRUE(ClassifyNewWindow({popup, 0, false, "Palette", "app.exe"}));
  EXPECT_TRUE(ClassifyNewWindow({popup, kExToolWindow, false, "Palette", "skintrash.exe"}));
}

} // namespace
