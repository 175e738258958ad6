#include "shell/shortcut_text.h"

#include "shell/text_util.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using qv::kShortCutAlt;
using qv::kShortCutCtrl;
using qv::kShortCutShift;

TEST(ShortCutTextTest, WritesMenuStyleTexts) {
  EXPECT_EQ(qv::ShortCutToText(kShortCutCtrl | '1'), "Ctrl+1");
  EXPECT_EQ(qv::ShortCutToText(0x7A), "F11");
  EXPECT_EQ(qv::ShortCutToText(kShortCutCtrl | 0x77), "Ctrl+F8");
  EXPECT_EQ(qv::ShortCutToText(kShortCutAlt | kShortCutCtrl | kShortCutShift | 0x2E),
            "Shift+Ctrl+Alt+Del");
  EXPECT_EQ(qv::ShortCutToText(kShortCutAlt | 0x6B), "Alt+Num +");
  EXPECT_EQ(qv::ShortCutToText(0x87), "F24");
}

TEST(ShortCutTextTest, NoneAndUnnamedKeysHaveNoText) {
  EXPECT_EQ(qv::ShortCutToText(0), "");
  EXPECT_EQ(qv::ShortCutToText(kShortCutCtrl), "");
  EXPECT_EQ(qv::ShortCutToText(kShortCutCtrl | 0x10), ""); // the Shift key itself
}

TEST(ShortCutTextTest, ReadsTextsWithoutRegardToCaseOrPrefixOrder) {
  EXPECT_EQ(qv::TextToShortCut("Ctrl+1"), kShortCutCtrl | '1');
  EXPECT_EQ(qv::TextToShortCut("ctrl+f8"), kShortCutCtrl | 0x77);
  EXPECT_EQ(qv::TextToShortCut("ALT+CTRL+x"), kShortCutAlt | kShortCutCtrl | 'X');
  EXPECT_EQ(qv::TextToShortCut("  F11 "), 0x7A);
  EXPECT_EQ(qv::TextToShortCut("Ctrl+Num +"), kShortCutCtrl | 0x6B);
  EXPECT_EQ(qv::TextToShortCut("pgdn"), 0x22);
}

TEST(ShortCutTextTest, TextsNamingNoKeyReadAsNone) {
  EXPECT_EQ(qv::TextToShortCut(""), 0);
  EXPECT_EQ(qv::TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(qv::TextToShortCut("Ctrl+Banana"), 0);
  EXPECT_EQ(qv::TextToShortCut("F25"), 0);
  EXPECT_EQ(qv::TextToShortCut("Ctrl 1"), 0);
}

TEST(ShortCutTextTest, EveryWrittenTextReadsBackToTheSameShortCut) {
  const qv::TShortCut modifierSets[] = {0,
                                        kShortCutShift,
                                        kShortCutCtrl,
                                        kShortCutAlt,
                                        kShortCutShift | kShortCutCtrl,
                                        kShortCutCtrl | kShortCutAlt,
                                        kShortCutShift | kShortCutCtrl | kShortCutAlt};
  for (const auto &key : qv::NamedKeys()) {
    for (const auto modifiers : modifierSets) {
      const auto shortCut = static_cast<qv::TShortCut>(modifiers | key.virtualKey);
      const std::string text = qv::ShortCutToText(shortCut);
      EXPECT_EQ(qv::TextToShortCut(text), shortCut) << text;
      EXPECT_EQ(qv::TextToShortCut(qv::AsciiLower(text)), shortCut) << text;
    }
  }
}

TEST(ShortCutTextTest, NamedKeysAreListedOnceInCodeOrder) {
  const auto keys = qv::NamedKeys();
  std::set<std::string> names;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_FALSE(keys[i].name.empty());
    EXPECT_TRUE(names.insert(qv::AsciiLower(keys[i].name)).second) << keys[i].name;
    EXPECT_EQ(qv::KeyNameText(keys[i].virtualKey), keys[i].name);
    if (i > 0) {
      EXPECT_LT(keys[i - 1].virtualKey, keys[i].virtualKey);
    }
  }
  // Digits, letters and F1 to F24 at least.
  EXPECT_GE(keys.size(), 10u + 26u + 24u);
}

} // namespace
