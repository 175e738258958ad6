#include "shell/shortcut_text.h"

#include "shell/text_util.h"

#include <gtest/gtest.h>

namespace {

using qv::kShortCutAlt;
using qv::kShortCutCtrl;
using qv::kShortCutShift;

struct Case {
  int shortCut;
  const char *text;
};

TEST(ShortCutTextTest, WritesMenuStyleTextsAndNoneForNoOrAnUnnamedKey) {
  const Case cases[] = {
      {kShortCutCtrl | '1', "Ctrl+1"},
      {0x7A, "F11"},
      {kShortCutCtrl | 0x77, "Ctrl+F8"},
      {kShortCutAlt | kShortCutCtrl | kShortCutShift | 0x2E, "Shift+Ctrl+Alt+Del"},
      {kShortCutAlt | 0x6B, "Alt+Num +"},
      {0x87, "F24"}};
  for (const Case &c : cases)
    EXPECT_EQ(qv::ShortCutToText(c.shortCut), c.text) << c.shortCut;
  for (const int noKey :
       {0, int{kShortCutCtrl}, kShortCutCtrl | 0x10}) // 0x10: the Shift key itself
    EXPECT_EQ(qv::ShortCutToText(noKey), "") << noKey;
}

TEST(ShortCutTextTest, ReadsTextsWithoutRegardToCaseOrPrefixOrderAndNoneForNoKey) {
  const Case cases[] = {{kShortCutCtrl | '1', "Ctrl+1"},
                        {kShortCutCtrl | 0x77, "ctrl+f8"},
                        {kShortCutAlt | kShortCutCtrl | 'X', "ALT+CTRL+x"},
                        {0x7A, "  F11 "},
                        {kShortCutCtrl | 0x6B, "Ctrl+Num +"},
                        {0x22, "pgdn"}};
  for (const Case &c : cases)
    EXPECT_EQ(qv::TextToShortCut(c.text), c.shortCut) << '"' << c.text << '"';
  for (const char *noKey : {"", "Ctrl+", "Ctrl+Banana", "F25", "Ctrl 1"})
    EXPECT_EQ(qv::TextToShortCut(noKey), 0) << '"' << noKey << '"';
}

TEST(ShortCutTextTest, EveryWrittenTextReadsBackToTheSameShortCut) {
  const auto keys = qv::NamedKeys();
  EXPECT_GE(keys.size(), 10u + 26u + 24u) << "digits, letters and F1 to F24 at least";
  const int shift = kShortCutShift, ctrl = kShortCutCtrl, alt = kShortCutAlt;
  const int modifierSets[] = {0, shift, ctrl, alt, shift | ctrl, ctrl | alt, shift | ctrl | alt};
  for (const auto &key : keys) {
    for (const int modifiers : modifierSets) {
      const auto shortCut = static_cast<qv::TShortCut>(modifiers | key.virtualKey);
      const std::string text = qv::ShortCutToText(shortCut);
      EXPECT_EQ(qv::TextToShortCut(text), shortCut) << text;
      EXPECT_EQ(qv::TextToShortCut(qv::AsciiLower(text)), shortCut) << text;
    }
  }
}

} // namespace
