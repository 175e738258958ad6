#include "desktops/desktop.h"
#include "desktops/password_prompt.h"
#include "tests/support/desktop_test_world.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Answers every request with the same text (nothing = cancelled) and counts them.
class FakePrompt : public qv::PasswordPrompt {
public:
  std::optional<std::string> AskPassword() override {
    ++asked;
    return answer;
  }
  std::optional<std::string> answer;
  int asked = 0;
};

class DesktopPrivacyTest : public testing::Test {
protected:
  DesktopPrivacyTest() { world.environment.Passwords = &prompt; }

  void SetLevel(int desktop, int level) { world.setup.DesktopPrivacy[desktop] = level; }
  bool Enter(int desktop, int from, std::optional<std::string> typed) {
    prompt.answer = std::move(typed);
    return world.Desktop(desktop).RequestAccess(from);
  }

  qv::test::DesktopTestWorld world;
  FakePrompt prompt;
};

TEST_F(DesktopPrivacyTest, ProtectionByLevelAndByWhereTheUserComesFrom) {
  SetLevel(2, 0);
  SetLevel(3, 1);
  SetLevel(4, 2);
  for (const bool strict : {false, true}) {
    EXPECT_FALSE(world.Desktop(2).IsProtected(1, strict));
    EXPECT_FALSE(world.Desktop(4).IsProtected(4, strict)) << "never from the desktop itself";
  }
  EXPECT_TRUE(world.Desktop(3).IsProtected(1, true));
  EXPECT_FALSE(world.Desktop(3).IsProtected(1, false)) << "level 1 keeps its picture";
  EXPECT_TRUE(world.Desktop(4).IsProtected(1, true));
  EXPECT_TRUE(world.Desktop(4).IsProtected(1, false));
}

TEST_F(DesktopPrivacyTest, FreeDesktopsAndTheCurrentOneNeverAsk) {
  SetLevel(5, 2);
  EXPECT_TRUE(Enter(2, 3, std::nullopt));
  EXPECT_TRUE(Enter(5, 5, std::nullopt));
  EXPECT_EQ(prompt.asked, 0);
}

TEST_F(DesktopPrivacyTest, APrivateDesktopOpensOnlyToTheExactPassword) {
  world.setup.SetDesktopPassword("  Open Sesame ");
  SetLevel(5, 1);
  EXPECT_TRUE(Enter(5, 3, "Open Sesame"));
  EXPECT_FALSE(Enter(5, 3, "open sesame")) << "letter case counts";
  EXPECT_FALSE(Enter(5, 3, "  Open Sesame ")) << "the stored password has no outer blanks";
  EXPECT_FALSE(Enter(5, 3, "Open Sesame2"));
  EXPECT_FALSE(Enter(5, 3, "Open"));
  EXPECT_FALSE(Enter(5, 3, std::nullopt)) << "cancelled";
  EXPECT_EQ(prompt.asked, 6) << "one attempt per request";
}

TEST_F(DesktopPrivacyTest, WithNoPasswordSetAnEmptyEntryOpens) {
  SetLevel(6, 2);
  EXPECT_TRUE(Enter(6, 1, ""));
  EXPECT_FALSE(Enter(6, 1, " "));
  EXPECT_FALSE(Enter(6, 1, std::nullopt));
}

TEST_F(DesktopPrivacyTest, ALevelStoredForDesktopOneAppliesAndNoPromptMeansNoEntry) {
  SetLevel(1, 1);
  world.setup.DesktopPassword = "x";
  EXPECT_FALSE(Enter(1, 2, "y"));
  EXPECT_TRUE(Enter(1, 2, "x"));

  world.environment.Passwords = nullptr;
  EXPECT_FALSE(world.Desktop(1).RequestAccess(2));
  EXPECT_TRUE(world.Desktop(2).RequestAccess(1));
}

} // namespace
