#include "desktops/window_manager.h"

#include "tests/support/desktop_test_world.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;
using namespace qv::window_style;
using qv::test::FakeWindow;

FakeWindow Window(std::string className, std::string process = "app.exe") {
  FakeWindow window;
  window.ClassName = std::move(className);
  window.ProcessName = std::move(process);
  return window;
}

class WindowManagerTest : public ::testing::Test {
protected:
  TWindowManager &manager() { return *world.manager; }
  // Opens windows of these classes as handles 1, 2, ... (the first top-most) and discovers them.
  void Discover(std::initializer_list<const char *> classes) {
    WindowHandle handle = 0;
    for (const char *className : classes)
      world.system.Add(++handle, Window(className));
    manager().Refresh();
  }

  test::DesktopTestWorld world;
};

TEST_F(WindowManagerTest, DiscoveryManagesOtherProgramsWindowsOnTheCurrentDesktop) {
  world.system.Add(1, Window("Notepad"));
  world.system.Add(2, Window("#32768"));
  world.system.Add(5, Window("Notepad")).OwnThread = true;
  world.system.Add(7, Window("Hidden")).Style = 0;
  world.system.Add(8, Window("Word"));
  manager().Enabled = false;
  manager().Tick();
  EXPECT_TRUE(manager().Windows().empty()) << "no discovery while switched off";
  manager().Enabled = true;
  manager().Tick();

  ASSERT_EQ(manager().Windows().size(), 2u);
  EXPECT_EQ(std::pair(world.DesktopOf(1), world.DesktopOf(8)), std::pair(1, 1));
  EXPECT_EQ(world.Managed(8)->ZOrder, 1) << "counted only managed windows above it";
  EXPECT_TRUE(world.Managed(1)->Initialized && world.Managed(1)->Paintable);
  EXPECT_FALSE(world.lock.nested);

  // Windows passed over are taken on once their styles make them belong.
  world.system.Add(9,
                   {.ClassName = "Palette", .Style = kVisible | kPopup, .ExStyle = kExToolWindow});
  manager().Refresh();
  manager().Refresh();
  EXPECT_EQ(world.Managed(9), nullptr);
  world.system[9].ExStyle = kExAppWindow;
  world.system[7].Style = kVisible;
  manager().Refresh();
  EXPECT_NE(world.Managed(9), nullptr);
  EXPECT_NE(world.Managed(7), nullptr);
}

TEST_F(WindowManagerTest, TicksAskTheWindowsOnlyWhenSomethingMayHaveChanged) {
  manager().Enabled = true;
  world.system.Add(1, Window("Notepad"));
  world.system.Add(2, Window("Word"));
  world.system.Add(8, Window("tooltips_class32")).Style = 0; // hidden before we came
  manager().Tick();
  const auto styleReadsOver = [&](int ticks) {
    const int before = world.system.styleReads;
    for (int tick = 0; tick < ticks; ++tick)
      manager().Tick();
    return world.system.styleReads - before;
  };
  EXPECT_EQ(styleReadsOver(TWindowManager::kTicksBetweenPasses - 1), 0);

  // A window hidden by its program changes no list: found by the periodic pass.
  world.system[2].Style = 0;
  manager().Tick();
  EXPECT_EQ(world.Managed(2), nullptr);

  // A new window, or a new order, is looked at on the next tick.
  world.system.Add(3, Window("Excel"));
  manager().Tick();
  EXPECT_NE(world.Managed(3), nullptr);
  world.system.RaiseToTop(3);
  manager().Tick();
  EXPECT_EQ(world.Managed(3)->ZOrder, 0);

  // A window that came hidden is watched: shown later, it is taken on at once.
  // Our own windows are not.
  world.system.Add(4, Window("Paint")).Style = 0;
  world.system.Add(9, Window("OwnHidden")).Style = 0;
  world.system[9].OwnThread = true;
  manager().Tick();
  EXPECT_EQ(styleReadsOver(1), 1) << "only the other program's window that came hidden";
  world.system[4].Style = kVisible;
  manager().Tick();
  EXPECT_NE(world.Managed(4), nullptr);

  // A window event reported by the system: looked at on the next tick.
  EXPECT_EQ(styleReadsOver(1), 0) << "no longer watched once shown";
  world.system[3].Style = 0;
  manager().WindowsChanged();
  manager().Tick();
  EXPECT_EQ(world.Managed(3), nullptr);

  // A window waiting for its hung program is looked after on every tick.
  world.system[1].Hung = true;
  manager().SetCurrentDesktop(manager().Desktop(2));
  world.system[1].Hung = false;
  manager().Tick();
  EXPECT_FALSE(world.system.OnScreen(1));
}

TEST_F(WindowManagerTest, QuickTicksBringThePassAnEventOrANewWindowShownCallsFor) {
  manager().Enabled = true;
  world.system.Add(1, Window("Notepad"));
  manager().Tick();
  EXPECT_FALSE(manager().WantsQuickTicks()) << "nothing to hurry for";

  // Reported as created while still hidden: the quick pass finds it hidden and
  // watches it, reading nothing but its style.
  world.system.Add(2, Window("Paint")).Style = 0;
  manager().WindowsChanged();
  EXPECT_TRUE(manager().WantsQuickTicks());
  manager().QuickTick();
  EXPECT_EQ(world.Managed(2), nullptr);
  const int before = world.system.styleReads;
  manager().QuickTick();
  EXPECT_EQ(world.system.styleReads - before, 1);
  world.system[2].Style = kVisible;
  manager().QuickTick();
  EXPECT_NE(world.Managed(2), nullptr) << "taken on without waiting for the tick";
  EXPECT_FALSE(manager().WantsQuickTicks());

  // A window that stays hidden is watched quickly only for its first quiet
  // ticks, and by the ticks for a while longer.
  world.system.Add(3, Window("Excel")).Style = 0;
  manager().Tick();
  int ticks = 0;
  while (manager().WantsQuickTicks() && ticks < 4 * TWindowManager::kQuietTicksWatchedQuickly) {
    manager().Tick();
    ++ticks;
  }
  EXPECT_FALSE(manager().WantsQuickTicks());
  world.system[3].Style = kVisible;
  manager().QuickTick();
  EXPECT_EQ(world.Managed(3), nullptr) << "past its quick watch";
  manager().Tick();
  EXPECT_NE(world.Managed(3), nullptr);

  manager().Enabled = false;
  manager().WindowsChanged();
  EXPECT_FALSE(manager().WantsQuickTicks()) << "no passes while switched off";
}

TEST_F(WindowManagerTest, ADesktopComesBackStackedAsItWasLeft) {
  Discover({"Notepad", "Word", "Excel"});
  // Raised just before the switch, with no pass since: still the one focused on return.
  world.system.RaiseToTop(3);
  world.SwitchTo(2);
  // Off the screen the system restacks the hidden windows; passes meanwhile change nothing.
  world.system.RaiseToTop(2);
  manager().Refresh();
  world.SwitchTo(1);
  EXPECT_EQ(world.system.foreground, 3u);
  manager().Refresh();
  EXPECT_EQ(world.Managed(2)->ZOrder, 1) << "places are counted again once shown";
}

TEST_F(WindowManagerTest, SendToMenuNamesTheDesktopsButStickyWindowsOrMenusOffGetNone) {
  world.setup.DesktopName[2] = "Work";
  Discover({"Notepad", "SideBar_HTMLHostWindow"});
  ASSERT_EQ(world.system[1].MenuItems.size(), 6u);
  EXPECT_EQ(world.system[1].MenuItems[1], "Send to Work");
  EXPECT_TRUE(world.system[2].MenuItems.empty());
  EXPECT_EQ(world.Managed(2)->Kind(), RenderingKind::Gadget);

  world.setup.GeneralShowMenus = false;
  world.system.Add(3, Window("Notepad"));
  manager().Refresh();
  EXPECT_TRUE(world.system[3].MenuItems.empty());
}

TEST_F(WindowManagerTest, TrickyWindowBringsItsOwnerAlong) {
  world.system.Add(10, Window("BaseWindow_RootWnd")).Owner = 11;
  world.system.Add(11, Window("OwnerFrame", "photoshop.exe")).Style = kVisible | kPopup;
  manager().Refresh();

  const TManagedWindow *owner = world.Managed(11), *tricky = world.Managed(10);
  ASSERT_TRUE(owner && tricky);
  EXPECT_EQ(std::tuple(owner->Tricky, owner->Paintable, owner->Sticky, world.DesktopOf(11)),
            std::tuple(true, false, false, 1));
  EXPECT_EQ(std::pair(tricky->Sticky, tricky->Kind()), std::pair(true, RenderingKind::AlphaPrint));
}

TEST_F(WindowManagerTest, ClosedOrSelfHiddenWindowsGoUnlessOnAnotherDesktopStylesFollowWhileShown) {
  Discover({"Notepad", "Notepad", "Notepad", "Notepad"});
  world.system.Close(1);
  world.system[2].Style = 0; // its program hid it on the current desktop
  manager().Refresh();
  EXPECT_EQ(world.Managed(1), nullptr);
  EXPECT_EQ(world.Managed(2), nullptr);
  ASSERT_NE(world.Managed(3), nullptr);
  EXPECT_EQ(world.Managed(3)->ZOrder, 0);
  EXPECT_EQ(world.Desktop(1).Windows().size(), 2u);

  // Hidden on another desktop: that is this program's doing, so it is kept.
  manager().MoveWindowToDesktop(3, &world.Desktop(2));
  world.system[3].Style = 0;
  manager().Refresh();
  ASSERT_NE(world.Managed(3), nullptr);
  EXPECT_EQ(world.DesktopOf(3), 2);

  // The window's own extended style is taken as it leaves the screen, not the one that hides it.
  world.system[4].ExStyle = kExAppWindow | 0x8; // topmost now
  manager().Refresh();
  world.SwitchTo(2);
  EXPECT_EQ(world.Managed(4)->ExStyle, kExAppWindow | 0x8);
  manager().Refresh();
  EXPECT_EQ(world.Managed(4)->ExStyle, kExAppWindow | 0x8);
  world.SwitchTo(1);
  EXPECT_EQ(world.system[4].ExStyle, kExAppWindow | 0x8);
}

TEST_F(WindowManagerTest, SwitchHidesOldWindowsShowsNewOnesFocusesTopMostServicesFollow) {
  world.setup.DesktopEnableMultipleWallpapers = false;
  world.setup.DesktopEnableMultipleIcons = false;
  Discover({"Notepad", "Word", "Excel"});
  manager().MoveWindowToDesktop(1, &world.Desktop(2));
  manager().MoveWindowToDesktop(2, &world.Desktop(2));
  EXPECT_FALSE(world.system.OnScreen(1));

  world.SwitchTo(2);
  EXPECT_EQ(manager().CurrentDesktop(), &world.Desktop(2));
  EXPECT_TRUE(world.system.OnScreen(1) && world.system.OnScreen(2));
  EXPECT_FALSE(world.system.OnScreen(3));
  EXPECT_EQ(world.system.foreground, 1u) << "the top-most window of the desktop";
  EXPECT_EQ(world.services.calls, (std::vector<std::string>{"CaptureTaskbar 1"}));
  EXPECT_FALSE(world.lock.nested || world.lock.held);

  world.setup.DesktopEnableMultipleWallpapers = world.setup.DesktopEnableMultipleIcons = true;
  world.services.calls.clear();
  const int takes = world.lock.takes, moves = world.system.positionCalls;
  world.SwitchTo(2);
  EXPECT_EQ(std::pair(world.lock.takes, world.system.positionCalls), std::pair(takes, moves))
      << "switching to the current desktop does nothing";
  EXPECT_TRUE(world.services.calls.empty());
  world.SwitchTo(4);
  EXPECT_EQ(world.services.calls,
            (std::vector<std::string>{"CaptureTaskbar 2", "SaveIconLayout 2", "ApplyWallpaper 4",
                                      "ApplyIconLayout 4"}));
}

TEST_F(WindowManagerTest, AHungWindowIsLeftAloneUntilItAnswersThenFollowsItsDesktop) {
  world.system.Add(1, Window("Notepad"));
  world.system.Add(2, Window("Word")).Thread = 8;
  manager().Refresh();
  const WindowRect shown = world.system[2].Rect;
  world.system[2].Hung = true; // the fake fails the test if it is touched meanwhile

  world.SwitchTo(2);
  EXPECT_FALSE(world.system.OnScreen(1)) << "the other window went as usual";
  EXPECT_TRUE(world.system.OnScreen(2));
  manager().Refresh();
  EXPECT_TRUE(world.system.OnScreen(2)) << "still hung";

  world.system[2].Hung = false;
  manager().Refresh();
  EXPECT_FALSE(world.system.OnScreen(2)) << "hidden once it answers";

  world.system[2].Hung = true;
  world.SwitchTo(1);
  EXPECT_TRUE(world.system.OnScreen(1));
  EXPECT_FALSE(world.system.OnScreen(2));
  world.system[2].Hung = false;
  manager().Refresh();
  EXPECT_EQ(world.system[2].Rect, shown) << "back at its rectangle once it answers";
  EXPECT_EQ(world.system[2].ExStyle, world.system[1].ExStyle);
}

TEST_F(WindowManagerTest, FocusAfterASwitch) {
  world.system.Add(1, Window("Notepad")).Minimized = true;
  world.system.Add(2, Window("Word"));
  world.system.Add(3, Window("USurface_75131930"));
  manager().Refresh();
  manager().MoveWindowToDesktop(1, &world.Desktop(2));
  manager().MoveWindowToDesktop(2, &world.Desktop(3));
  world.system.foreground = 3;
  world.SwitchTo(2);
  EXPECT_EQ(world.system.foreground, test::FakeWindowSystem::kDesktop)
      << "a tricky window leaving gives the focus to the desktop; a minimised one takes none";

  manager().KeepFocus = true;
  world.system.foreground = 0x99;
  world.SwitchTo(3);
  EXPECT_EQ(world.system.foreground, 0x99u);

  manager().KeepFocus = false;
  world.SwitchTo(4);
  EXPECT_EQ(world.system.foreground, test::FakeWindowSystem::kDesktop) << "empty desktop";
}

TEST_F(WindowManagerTest, DraggedAndStickyWindowsStayOnScreenAndFollowTheCurrentDesktop) {
  Discover({"Notepad", "Word"});
  world.system.dragged = 1;
  world.system.foreground = 1;
  world.SwitchTo(2);

  EXPECT_EQ(world.DesktopOf(1), 2);
  EXPECT_TRUE(world.system.OnScreen(1));
  EXPECT_EQ(world.system.PostsFor(1, kShellHookWindowDestroyed), 0);
  EXPECT_FALSE(world.system.OnScreen(2));
  EXPECT_EQ(world.system.foreground, 1u);

  world.system.dragged = 0;
  world.system.Add(3, Window("Clock", "chamclock.exe"));
  manager().Refresh();
  for (int n : {3, 5, 1}) {
    world.SwitchTo(n);
    EXPECT_EQ(world.DesktopOf(3), n);
    EXPECT_TRUE(world.system.OnScreen(3));
  }
  for (const auto &[code, window] : world.system.shellHookPosts)
    EXPECT_NE(window, 3u) << "a sticky window keeps its taskbar button";
}

TEST_F(WindowManagerTest, MovingAndActivatingWindowsIgnoreUnknownOnesAndRestoreMinimisedOnes) {
  world.system.Add(1, Window("Notepad"));
  world.system.Add(2, {.ClassName = "Word", .Minimized = true, .MaximizedBeforeMinimized = true});
  manager().Refresh();
  manager().MoveWindowToDesktop(99, &world.Desktop(2)); // unknown
  manager().MoveWindowToDesktop(1, &world.Desktop(1));  // already there
  EXPECT_TRUE(world.system.shellHookPosts.empty());
  manager().MoveWindowToDesktop(2, &world.Desktop(3));

  manager().ActivateWindow(2);
  EXPECT_EQ(manager().CurrentDesktop(), &world.Desktop(3));
  EXPECT_TRUE(world.system[2].Maximized);
  EXPECT_EQ(world.system.foreground, 2u);

  manager().ActivateWindow(12345);
  EXPECT_EQ(manager().CurrentDesktop(), &world.Desktop(3));
  EXPECT_EQ(world.system.showDesktopCalls, 0);

  world.system.progman = 0x333;
  manager().ActivateWindow(0x333);
  EXPECT_EQ(world.system.showDesktopCalls, 1);
}

TEST_F(WindowManagerTest, RestoreAllShowsEveryWindowAndRemovesMenus) {
  Discover({"Notepad", "Word", "Excel", "Paint", "Mail", "Calc"});
  for (WindowHandle h = 1; h <= 6; ++h)
    manager().MoveWindowToDesktop(h, &world.Desktop(static_cast<int>(h)));
  world.SwitchTo(4);

  manager().Enabled = false;
  manager().RestoreAll();
  EXPECT_EQ(manager().CurrentDesktop(), &world.Desktop(1));
  for (WindowHandle h = 1; h <= 6; ++h) {
    EXPECT_TRUE(world.system.OnScreen(h)) << h;
    EXPECT_EQ(world.system[h].ExStyle, kExAppWindow) << h;
    EXPECT_TRUE(world.system[h].MenuItems.empty()) << h;
    EXPECT_EQ(world.DesktopOf(h), 1);
  }
  EXPECT_FALSE(world.lock.nested);
}

TEST_F(WindowManagerTest, ListIsCappedAt4096Windows) {
  const WindowHandle total = TWindowManager::kMaxWindows + 5;
  for (WindowHandle h = 1; h <= total; ++h)
    world.system.Add(h, Window("Notepad"));
  manager().Refresh();
  EXPECT_EQ(manager().Windows().size(), TWindowManager::kMaxWindows);
  EXPECT_EQ(world.Desktop(1).Windows().size(), TWindowManager::kMaxWindows);
  EXPECT_EQ(world.Managed(total), nullptr);

  world.system.Close(1);
  manager().Refresh(); // retires the closed window at the end of the pass
  manager().Refresh();
  EXPECT_NE(world.Managed(TWindowManager::kMaxWindows + 1), nullptr) << "room again";
}

} // namespace
