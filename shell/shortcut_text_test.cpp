#include "shell/shortcut_text.h"

#include "shell/text_util.h"

#include <gtest/gtest.h>

namespace {

using qv::kShortCutAlt;
using qv::kShortCutCtrl;
using qv::kShortCutShift;

TEST(ShortCutTextTest, WritesMenuStyleTextsReadsThemInAnyCaseOrOrderAndEveryOneReadsBack) {
  const struct {
    int shortCut;
    const char *written, *read;
  } cases[] = {{kShortCutCtrl | '1', "Ctrl+1", "ctrl+1"},
               {0x7A, "F11", "  F11 "},
               {kShortCutCtrl | 0x77, "Ctrl+F8", "ctrl+f8"},
               {kShortCutAlt | kShortCutCtrl | kShortCutShift | 0x2E, "Shift+Ctrl+Alt+Del",
                "ALT+ctrl+SHIFT+del"},
               {kShortCutAlt | 0x6B, "Alt+Num +", "alt+num +"},
               {kShortCutAlt | kShortCutCtrl | 'X', "Ctrl+Alt+X", "ALT+CTRL+x"},
               {0x22, "PgDn", "pgdn"},
               {0x87, "F24", "f24"}};
  for (const auto &c : cases) {
    EXPECT_EQ(qv::ShortCutToText(c.shortCut), c.written) << c.shortCut;
    EXPECT_EQ(qv::TextToShortCut(c.read), c.shortCut) << '"' << c.read << '"';
  }
  // 0x10 is the Shift key itself.
  for (const int noKey : {0, int{kShortCutCtrl}, kShortCutCtrl | 0x10})
    EXPECT_EQ(qv::ShortCutToText(noKey), "") << noKey;
  for (const char *noKey : {"", "Ctrl+", "Ctrl+Banana", "F25", "Ctrl 1"})
    EXPECT_EQ(qv::TextToShortCut(noKey), 0) << '"' << noKey << '"';

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
