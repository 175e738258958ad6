#include "desktops/desktop.h"
#include "tests/support/desktop_test_world.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

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
