// A desktop's windows hidden, shown, moved and ordered, and its privacy.
#include "desktops/desktop.h"
#include "desktops/managed_window.h"
#include "desktops/window_placement.h"
#include "tests/support/desktop_test_world.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace qv;
using namespace qv::window_style;

class ManagedWindowTest : public ::testing::Test {
protected:
  // A managed record of a window at the given top-left corner, on desktop 1.
  TManagedWindow &Place(std::int32_t left, std::int32_t top, bool tricky = false) {
    world.system.Add(kHandle, {.Rect = {left, top, left + 400, top + 300}});
    record = std::make_unique<TManagedWindow>(world.environment, RenderingKind::Default);
    record->Handle = kHandle;
    record->ExStyle = kExAppWindow;
    record->Tricky = tricky;
    record->Visible = true;
    record->SetDesktop(&world.Desktop(1));
    return *record;
  }
  WindowRect Real() { return world.system[kHandle].Rect; }
  // The real window's top edge and extended style, and the taskbar buttons taken and given.
  auto Seen() {
    return std::tuple(Real().top, world.system[kHandle].ExStyle,
                      world.system.PostsFor(kHandle, kShellHookWindowDestroyed),
                      world.system.PostsFor(kHandle, kShellHookWindowCreated));
  }

  static constexpr WindowHandle kHandle = 0x500;
  test::DesktopTestWorld world;
  std::unique_ptr<TManagedWindow> record;
};

TEST_F(ManagedWindowTest, HideMovesUpOrTurnsTrickyOnesTransparentShowRestoresStickyStays) {
  TManagedWindow &window = Place(10, 200);
  window.Sticky = true;
  window.Hide();
  EXPECT_EQ(Seen(), std::tuple(200, kExAppWindow, 0, 0));
  EXPECT_TRUE(window.Visible);

  window.Sticky = false;
  window.Hide();
  EXPECT_EQ(Real(), (WindowRect{10, -24800, 410, -24500}));
  EXPECT_EQ(Seen(), std::tuple(-24800, kExToolWindow, 1, 0));
  EXPECT_FALSE(window.Visible);
  EXPECT_EQ(window.ScreenRect(), (WindowRect{10, 200, 410, 500}));

  window.Show();
  EXPECT_EQ(Real(), (WindowRect{10, 200, 410, 500}));
  EXPECT_EQ(Seen(), std::tuple(200, kExAppWindow, 1, 1));
  EXPECT_TRUE(window.Visible);

  TManagedWindow &tricky = Place(10, 200, true); // turns transparent in place
  tricky.Hide();
  EXPECT_EQ(Seen(), std::tuple(200, kExAppWindow | kExLayered, 2, 1));
  EXPECT_EQ(world.system[kHandle].Alpha, 0);
  tricky.Show();
  EXPECT_EQ(Seen(), std::tuple(200, kExAppWindow, 2, 2));
  EXPECT_EQ(world.system[kHandle].Alpha, 255);
}

TEST_F(ManagedWindowTest, MinimisedAndParkedWindowsAndTheBoundariesOfTheMove) {
  TManagedWindow &minimised = Place(-32000, -32000);
  minimised.Hide();
  EXPECT_EQ(Seen(), std::tuple(-32000, kExToolWindow, 1, 0));
  minimised.Show();
  EXPECT_EQ(Seen(), std::tuple(-7000, kExAppWindow, 1, 1));

  TManagedWindow &parked = Place(0, -30000);
  parked.Hide();
  EXPECT_EQ(Real().top, -55000);
  parked.Show();
  EXPECT_EQ(Real().top, -30000);

  // Where hiding and showing start and stop moving a window.
  EXPECT_FALSE(HiddenPosition({0, 20000, 0, 0}).Move);
  EXPECT_TRUE(HiddenPosition({0, 19999, 0, 0}).Move);
  EXPECT_FALSE(HiddenPosition({0, -5000, 0, 0}).Move);
  EXPECT_TRUE(HiddenPosition({0, -4999, 0, 0}).Move);
  EXPECT_FALSE(HiddenPosition({0, -29999, 0, 0}).Move);
  EXPECT_FALSE(ShownPosition({0, -5000, 0, 0}).Move);
  EXPECT_EQ(ShownPosition({3, -5001, 0, 0}), (WindowPosition{3, 19999, true}));
  EXPECT_FALSE(ShownPosition({-32000, -57000, 0, 0}).Move);
  EXPECT_EQ(OnScreenRect({0, -5000, 0, 10}).top, -5000);
  EXPECT_EQ(OnScreenRect({0, -30000, 0, 10}).top, -30000);
  EXPECT_EQ(OnScreenRect({0, -29999, 0, 10}), (WindowRect{0, -4999, 0, 25010}));
}

TEST_F(ManagedWindowTest, MovesKeepTheDesktopListsInStepAndOnlyAnOpenWindowComesToTheFront) {
  TManagedWindow &window = Place(10, 200);
  window.SetDesktop(&world.Desktop(3));
  EXPECT_FALSE(world.Desktop(1).Contains(&window));
  EXPECT_TRUE(world.Desktop(3).Contains(&window));
  EXPECT_EQ(Real().top, 200) << "SetDesktop does not touch the window";

  world.Desktop(4).Changed = false;
  window.MoveToDesktop(&world.Desktop(4));
  EXPECT_TRUE(world.Desktop(4).Changed);
  EXPECT_EQ(window.Desktop, &world.Desktop(4));
  EXPECT_EQ(Real().top, -24800);

  window.MoveToDesktop(&world.Desktop(4));
  EXPECT_EQ(world.system.PostsFor(kHandle, kShellHookWindowDestroyed), 1);

  world.system[kHandle].Minimized = true;
  window.BringToFront();
  EXPECT_NE(world.system.foreground, kHandle) << "a minimised window is left alone";
  world.system[kHandle].Minimized = false;
  window.BringToFront();
  EXPECT_EQ(world.system.foreground, kHandle);
}

TEST(DesktopTest, SortByZOrderPutsBottomMostFirstAndKeepsTies) {
  test::DesktopTestWorld world;
  std::vector<std::unique_ptr<TManagedWindow>> records;
  for (int z : {0, 3, 1, 3, 2}) {
    records.push_back(std::make_unique<TManagedWindow>(world.environment, RenderingKind::Default));
    records.back()->ZOrder = z;
    records.back()->Handle = static_cast<WindowHandle>(records.size());
    records.back()->SetDesktop(&world.Desktop(2));
  }
  world.Desktop(2).SortByZOrder();
  std::vector<WindowHandle> order;
  for (const auto *window : world.Desktop(2).Windows())
    order.push_back(window->Handle);
  EXPECT_EQ(order, (std::vector<WindowHandle>{2, 4, 5, 3, 1}));
}

TEST(DesktopPrivacyTest, ProtectionByLevelAndByWhereTheUserComesFrom) {
  qv::test::DesktopTestWorld world;
  world.setup.DesktopPrivacy[3] = 1;
  world.setup.DesktopPrivacy[4] = 2;
  for (const bool strict : {false, true}) {
    EXPECT_FALSE(world.Desktop(2).IsProtected(1, strict));
    EXPECT_FALSE(world.Desktop(4).IsProtected(4, strict)) << "never from the desktop itself";
    EXPECT_EQ(world.Desktop(3).IsProtected(1, strict), strict) << "level 1 keeps its picture";
    EXPECT_TRUE(world.Desktop(4).IsProtected(1, strict));
  }

  // Without a prompt a private desktop stays shut.
  world.setup.DesktopPrivacy[1] = 1;
  EXPECT_FALSE(world.Desktop(1).RequestAccess(2));
  EXPECT_TRUE(world.Desktop(2).RequestAccess(1));
}

TEST(DesktopPrivacyTest, APrivateDesktopOpensOnlyToTheExactPasswordOnceAskedPerRequest) {
  const std::optional<std::string> cancelled;
  const struct {
    int level, desktop, from;
    const char *password;
    std::optional<std::string> typed;
    bool opens;
    int asked;
  } cases[] = {
      {0, 2, 3, "x", cancelled, true, 0},
      {2, 5, 5, "x", cancelled, true, 0}, // the current desktop
      {1, 5, 3, "  Open Sesame ", "Open Sesame", true, 1},
      {1, 5, 3, "  Open Sesame ", "open sesame", false, 1},
      {1, 5, 3, "  Open Sesame ", "  Open Sesame ", false, 1}, // stored without outer blanks
      {1, 5, 3, "  Open Sesame ", "Open Sesame2", false, 1},
      {1, 5, 3, "  Open Sesame ", "Open", false, 1},
      {1, 5, 3, "  Open Sesame ", cancelled, false, 1},
      {2, 6, 1, "", "", true, 1}, // with no password set an empty entry opens
      {2, 6, 1, "", " ", false, 1},
      {2, 6, 1, "", cancelled, false, 1},
      {1, 1, 2, "x", "y", false, 1}, // a level stored for desktop one applies
      {1, 1, 2, "x", "x", true, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << "desktop " << c.desktop << " at level " << c.level
                                    << ", typed \"" << c.typed.value_or("(cancelled)") << '"');
    qv::test::DesktopTestWorld world;
    qv::test::AnswerPrompt prompt;
    world.environment.Passwords = &prompt;
    world.setup.DesktopPrivacy[c.desktop] = c.level;
    world.setup.SetDesktopPassword(c.password);
    prompt.answer = c.typed;
    EXPECT_EQ(world.Desktop(c.desktop).RequestAccess(c.from), c.opens);
    EXPECT_EQ(prompt.asked, c.asked);
  }
}

} // namespace
