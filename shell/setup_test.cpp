#include "shell/setup.h"

#include "shell/shortcut_text.h"
#include "shell/text_util.h"

#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Store = qv::test::MemorySettingsStore;

TEST(SetupTest, SavedValuesReadBackInAFreshObjectEmptyOnesAreLeftOutAndRunFollows) {
  Store store;
  {
    qv::TSetup setup(store);
    setup.DesktopPassword = "Secret Word";
    setup.FlipHotKey = qv::TextToShortCut("Shift+Alt+F");
    setup.Rules = {"plain", "with,comma", "with blank", "with \"quote\"", ""};
    setup.DesktopName[1] = "B\xFCro \xA9"; // code page bytes are kept
    setup.DesktopName[2] = " Work\t ";
    setup.DesktopName[3] = "   ";
    // Cleared short-cuts and gestures are not stored and come back as their defaults.
    setup.Desktop1HotKey = 0;
    setup.CubeGesture.clear();
    setup.GeneralRunAtStartup = true;
    ASSERT_TRUE(setup.Save());
  }
  const qv::ValueList stored = store.Stored();
  for (const char *empty : {"Desktop1HotKey", "CubeGesture", "Desktop4Name", "Desktop1Gesture"})
    EXPECT_EQ(stored.Get(empty), std::nullopt) << empty;
  const qv::TSetup reloaded(store);
  EXPECT_EQ(reloaded.DesktopPassword, "Secret Word");
  EXPECT_EQ(reloaded.FlipHotKey, qv::kShortCutShift | qv::kShortCutAlt | 'F');
  EXPECT_EQ(reloaded.Rules,
            (std::vector<std::string>{"plain", "with,comma", "with blank", "with \"quote\"", ""}));
  EXPECT_EQ(reloaded.DesktopName[1], "B\xFCro \xA9");
  EXPECT_EQ(reloaded.DisplayName(2), "Work");
  EXPECT_EQ(reloaded.DisplayName(3), "Desktop 3");
  EXPECT_EQ(qv::ShortCutToText(reloaded.Desktop1HotKey), "Ctrl+1");
  EXPECT_EQ(reloaded.CubeGesture, "D");
  EXPECT_EQ(store.runValues, (std::vector<bool>{false, true, true})) << "each load and save";
}

TEST(SetupTest, UnknownLinesSurviveKeysOfAnyCaseAreReplacedInPlaceThePasswordTrimmed) {
  Store store;
  store.StoreLines("FutureOption=42\r\nline without equals\r\ncubeduration=1000\r\n"
                   "GENERALLANGUAGE=german\r\n");
  qv::TSetup setup(store);
  EXPECT_EQ(setup.CubeDuration, 1000);
  EXPECT_EQ(setup.GeneralLanguage, "german");
  setup.CubeDuration = 1200;
  setup.Save();

  const auto lines = store.Stored().Lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(
      std::vector(lines.begin(), lines.begin() + 3),
      (std::vector<std::string>{"FutureOption=42", "line without equals", "CubeDuration=1200"}));
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string &l) { return l.starts_with("CubeDuration"); }),
            1);

  // The password loses its outer blanks when set and when loaded, but keeps its inside.
  setup.SetDesktopPassword(" \tOpen Sesame \r\n");
  EXPECT_EQ(setup.DesktopPassword, "Open Sesame");

  store.StoreLines("DesktopPassword=  CaSe kept\t\r\n");
  setup.Load();
  EXPECT_EQ(setup.DesktopPassword, "CaSe kept");
}

TEST(SetupTest, StoredValuesThatDoNotReadAsTheirTypeOrLieOutsideTheirRangeGiveTheDefault) {
  const struct {
    const char *key, *stored, *read;
    bool reported; // a number outside the key's range is named in the log
  } cases[] = {{"GeneralLanguage", "  ", "english", false},
               {"GeneralEnableHotKeys", "yes", "1", false},
               {"PerformanceLighting", "yes", "0", false},
               {"GeneralShowBalloon", " 0 ", "0", false},
               {"FlipDuration", "12x", "750", false},
               {"OSDTimeout", "99999999999", "2", false},
               {"ExposerHotKey", "Ctrl+Nothing", "F9", false},
               {"ExplorerHotKey", "alt+f2", "Alt+F2", false},
               {"CarouselDuration", " -40 ", "750", true},
               {"HotCornerSensibility", "100000", "0", true},
               {"HotCorner3Action", "14", "0", true},
               {"Desktop7Privacy", "-1", "0", true},
               {"AnimationElasticity", "49", "75", true},
               {"CubeDuration", "5000", "5000", false}, // the ends of a range are in it
               {"OSDTimeout", "1", "1", false}};
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
    Store store;
    store.StoreLines(std::string(c.key) + "=" + c.stored + "\r\n");
    qv::TSetup setup(store);
    EXPECT_EQ(setup.RejectedValues.size(), c.reported ? 1u : 0u);
    ASSERT_TRUE(setup.Save());
    EXPECT_EQ(store.Stored().Get(c.key), c.read);
  }
}

// Settings saved by earlier runs must keep loading, so the enciphered form never changes;
// any text that does not decipher gives the defaults.
TEST(SetupTest, TheStoredFormIsFixedUnreadableTextGivesDefaultsAStoreNotOpenedChangesNothing) {
  const qv::SetupCipher cipher;
  const std::string good = cipher.EncipherToHex("OSDTimeout=4\r\n");
  EXPECT_EQ(good, "0996AA10B33950E49DC5790DF9F7CED1");
  EXPECT_EQ(cipher.DecipherFromHex("0996aa10b33950e49dc5790df9f7ced1"), "OSDTimeout=4\r\n");
  EXPECT_EQ(cipher.Encipher(std::string(16, 'a')).size(), 24u) << "a whole block of padding";
  std::string plain;
  for (int length = 0; length <= 300; ++length, plain += static_cast<char>(length * 37 + 11))
    EXPECT_EQ(cipher.DecipherFromHex(cipher.EncipherToHex(plain)), plain) << length;
  // Arbitrary blocks decipher to arbitrary last bytes, so most carry an impossible count.
  int rejected = 0;
  for (int i = 0; i < 256; ++i)
    if (const auto deciphered = cipher.Decipher(std::string(8, static_cast<char>(i))))
      EXPECT_LE(deciphered->size(), 7u);
    else
      ++rejected;
  EXPECT_GE(rejected, 200);

  for (const std::string &stored : {std::string("not hex"), "G" + good.substr(1), std::string(),
                                    good.substr(0, 16), good + "AB", std::string(16, 'F')}) {
    Store store;
    store.setupText = stored;
    std::optional<qv::TSetup> setup;
    ASSERT_NO_THROW(setup.emplace(store)) << stored;
    EXPECT_EQ(std::pair(setup->OSDTimeout, setup->GeneralLanguage),
              std::pair(2, std::string("english")))
        << stored;
  }

  Store store;
  store.StoreLines("OSDTimeout=4\r\n");
  qv::TSetup setup(store);
  store.openable = false;
  setup.Values.Set("OSDTimeout", "3");
  setup.Load();
  EXPECT_EQ(setup.OSDTimeout, 3);
  EXPECT_FALSE(setup.Save());
}

TEST(ValueListTest, LinesAreSetReplacedAndRemovedAndCommaTextQuotesOnlyWhatNeedsIt) {
  qv::ValueList values;
  values.SetText("A=1\r\nB = 2 \nC=x=y\rD\r\n");
  EXPECT_EQ(values.Lines().size(), 4u);
  EXPECT_EQ(values.Get("a"), "1");
  EXPECT_EQ(values.Get("B "), "2");
  EXPECT_EQ(values.Get("C"), "x=y");
  EXPECT_EQ(values.Get("D"), std::nullopt);

  values.Set("a", "9");
  values.Set("C", "");
  values.Set("E", "two\r\nlines");
  EXPECT_EQ(values.Text(), "a=9\r\nB = 2 \r\nD\r\nE=two  lines\r\n");

  EXPECT_EQ(qv::ToCommaText({"a", "b c", "d,e", "say \"hi\"", ""}),
            "a,\"b c\",\"d,e\",\"say \"\"hi\"\"\",\"\"");
  EXPECT_EQ(qv::ToCommaText({}), "");
  EXPECT_EQ(qv::FromCommaText(" a, b c ,\"d,e\",,\"x\"\"y\","),
            (std::vector<std::string>{"a", "b", "c", "d,e", "", "x\"y", ""}));
  EXPECT_TRUE(qv::FromCommaText("").empty());
  EXPECT_EQ(qv::FromCommaText("\"unterminated"), std::vector<std::string>{"unterminated"});
}

TEST(ShortCutTextTest, WritesMenuStyleTextsReadsThemInAnyCaseOrOrderAndEveryOneReadsBack) {
  const struct {
    int shortCut;
    const char *written, *read;
  } cases[] = {{0x7A, "F11", "  F11 "},
               {qv::kShortCutAlt | qv::kShortCutCtrl | qv::kShortCutShift | 0x2E,
                "Shift+Ctrl+Alt+Del", "ALT+ctrl+SHIFT+del"},
               {qv::kShortCutAlt | 0x6B, "Alt+Num +", "alt+num +"},
               {qv::kShortCutAlt | qv::kShortCutCtrl | 'X', "Ctrl+Alt+X", "ALT+CTRL+x"},
               {0x22, "PgDn", "pgdn"}};
  for (const auto &c : cases) {
    EXPECT_EQ(qv::ShortCutToText(c.shortCut), c.written) << c.shortCut;
    EXPECT_EQ(qv::TextToShortCut(c.read), c.shortCut) << '"' << c.read << '"';
  }
  // 0x10 is the Shift key itself.
  for (const int noKey : {0, int{qv::kShortCutCtrl}, qv::kShortCutCtrl | 0x10})
    EXPECT_EQ(qv::ShortCutToText(noKey), "") << noKey;
  for (const char *noKey : {"", "Ctrl+", "Ctrl+Banana", "F25", "Ctrl 1"})
    EXPECT_EQ(qv::TextToShortCut(noKey), 0) << '"' << noKey << '"';

  const auto keys = qv::NamedKeys();
  EXPECT_GE(keys.size(), 10u + 26u + 24u) << "digits, letters and F1 to F24 at least";
  const int shift = qv::kShortCutShift, ctrl = qv::kShortCutCtrl, alt = qv::kShortCutAlt;
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
