#include "shell/setup.h"

#include "tests/support/memory_settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Store = qv::test::MemorySettingsStore;

TEST(SetupTest, NothingStoredGivesDefaultsAndASaveLeavesEmptyValuesOut) {
  Store store;
  qv::TSetup setup(store);
  EXPECT_EQ(setup.GeneralLanguage, "english");
  EXPECT_EQ(store.runValues, std::vector<bool>{false});
  ASSERT_TRUE(setup.Save());

  const qv::ValueList stored = store.Stored();
  EXPECT_EQ(stored.Get("Desktop1HotKey"), "Ctrl+1");
  for (const char *empty : {"DesktopRules", "Desktop1Name", "DesktopPassword", "Desktop1Gesture",
                            "FlipGesture", "CubeBackgroundImage"})
    EXPECT_EQ(stored.Get(empty), std::nullopt) << empty;
}

TEST(SetupTest, SavedValuesReadBackInAFreshObject) {
  Store store;
  {
    qv::TSetup setup(store);
    setup.GeneralShowMenus = false;
    setup.HotCornerAction(3) = static_cast<int>(qv::Action::Flip);
    setup.DesktopPrivacy[7] = 2;
    setup.DesktopPassword = "Secret Word";
    setup.FlipHotKey = qv::TextToShortCut("Shift+Alt+F");
    setup.DesktopGesture(2) = "UR";
    setup.Rules = {"plain", "with,comma", "with blank", "with \"quote\"", ""};
    setup.DesktopName[1] = "B\xFCro \xA9"; // code page bytes are kept
    setup.DesktopName[2] = " Work\t ";
    setup.DesktopName[3] = "   ";
    // Cleared short-cuts and gestures are not stored and come back as their defaults.
    setup.Desktop1HotKey = 0;
    setup.CubeHotKey = 0;
    setup.CubeGesture.clear();
    setup.ExposerGesture.clear();
    setup.Save();
    EXPECT_EQ(store.Stored().Get("CubeHotKey"), std::nullopt);
  }
  const qv::TSetup reloaded(store);
  EXPECT_FALSE(reloaded.GeneralShowMenus);
  EXPECT_EQ(reloaded.HotCorner3Action, static_cast<int>(qv::Action::Flip));
  EXPECT_EQ(reloaded.DesktopPrivacy[7], 2);
  EXPECT_EQ(reloaded.DesktopPassword, "Secret Word");
  EXPECT_EQ(reloaded.FlipHotKey, qv::kShortCutShift | qv::kShortCutAlt | 'F');
  EXPECT_EQ(reloaded.Desktop2Gesture, "UR");
  EXPECT_EQ(reloaded.Rules,
            (std::vector<std::string>{"plain", "with,comma", "with blank", "with \"quote\"", ""}));
  EXPECT_EQ(reloaded.DesktopName[1], "B\xFCro \xA9");
  EXPECT_EQ(reloaded.DisplayName(2), "Work");
  EXPECT_EQ(reloaded.DisplayName(3), "Desktop 3");
  EXPECT_EQ(qv::ShortCutToText(reloaded.Desktop1HotKey), "Ctrl+1");
  EXPECT_EQ(qv::ShortCutToText(reloaded.CubeHotKey), "F11");
  EXPECT_EQ(reloaded.CubeGesture, "D");
  EXPECT_EQ(reloaded.ExposerGesture, "DL");
}

TEST(SetupTest, ThePasswordLosesOuterBlanksWhenSetAndWhenLoadedButKeepsItsInside) {
  Store store;
  qv::TSetup setup(store);
  setup.SetDesktopPassword(" \tOpen Sesame \r\n");
  EXPECT_EQ(setup.DesktopPassword, "Open Sesame");

  store.StoreLines("DesktopPassword=  CaSe kept\t\r\n");
  setup.Load();
  EXPECT_EQ(setup.DesktopPassword, "CaSe kept");
}

TEST(SetupTest, UnknownLinesSurviveASaveAndKeysOfAnyCaseAreReplacedInPlace) {
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
  EXPECT_EQ(lines[0], "FutureOption=42");
  EXPECT_EQ(lines[1], "line without equals");
  EXPECT_EQ(lines[2], "CubeDuration=1200");
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string &l) { return l.starts_with("CubeDuration"); }),
            1);
}

TEST(SetupTest, ValuesThatDoNotReadAsTheirTypeGiveThatKeysDefault) {
  Store store;
  store.StoreLines("GeneralLanguage=  \r\n"
                   "GeneralEnableHotKeys=yes\r\n"
                   "PerformanceLighting=yes\r\n"
                   "GeneralShowBalloon= 0 \r\n"
                   "CubeDuration=fast\r\n"
                   "FlipDuration=12x\r\n"
                   "CarouselDuration= -40 \r\n"
                   "OSDTimeout=99999999999\r\n"
                   "ExposerHotKey=Ctrl+Nothing\r\n"
                   "ExplorerHotKey=alt+f2\r\n");
  const qv::TSetup setup(store);
  EXPECT_EQ(setup.GeneralLanguage, "english");
  EXPECT_TRUE(setup.GeneralEnableHotKeys);
  EXPECT_FALSE(setup.PerformanceLighting);
  EXPECT_FALSE(setup.GeneralShowBalloon);
  EXPECT_EQ(setup.CubeDuration, 750);
  EXPECT_EQ(setup.FlipDuration, 750);
  EXPECT_EQ(setup.CarouselDuration, 750);
  EXPECT_EQ(setup.OSDTimeout, 2);
  EXPECT_EQ(qv::ShortCutToText(setup.ExposerHotKey), "F9");
  EXPECT_EQ(qv::ShortCutToText(setup.ExplorerHotKey), "Alt+F2");
}

TEST(SetupTest, NumbersOutsideTheirKeysRangeGiveTheDefaultAndAreReported) {
  Store store;
  store.StoreLines("HotCornerSensibility=100000\r\n"
                   "HotCorner3Action=14\r\n"
                   "Desktop7Privacy=-1\r\n"
                   "TrayLivePreviewSize=2147483647\r\n"
                   "AnimationElasticity=49\r\n"
                   "ControlSpecialKey2Effect=5\r\n"
                   "CubeDuration=5000\r\n"
                   "OSDTimeout=1\r\n");
  const qv::TSetup setup(store);
  EXPECT_EQ(setup.HotCornerSensibility, 0);
  EXPECT_EQ(setup.HotCorner3Action, 0);
  EXPECT_EQ(setup.DesktopPrivacy[7], 0);
  EXPECT_EQ(setup.TrayLivePreviewSize, 25);
  EXPECT_EQ(setup.AnimationElasticity, 75);
  EXPECT_EQ(setup.ControlSpecialKey2Effect, 5) << "the ends of a range are in it";
  EXPECT_EQ(setup.CubeDuration, 5000);
  EXPECT_EQ(setup.OSDTimeout, 1);
  ASSERT_EQ(setup.RejectedValues.size(), 5u);
  EXPECT_NE(std::find(setup.RejectedValues.begin(), setup.RejectedValues.end(),
                      "Setting HotCornerSensibility=100000 is outside 0 to 32: the default 0 "
                      "is used"),
            setup.RejectedValues.end());
}

TEST(SetupTest, UnreadableStoredTextGivesDefaultsWithoutFailing) {
  const std::string good = qv::SetupCipher().EncipherToHex("OSDTimeout=4\r\n");
  for (const std::string &stored :
       {std::string("not hex"), good.substr(0, 16), good + "AB", std::string(16, 'F')}) {
    Store store;
    store.setupText = stored;
    std::optional<qv::TSetup> setup;
    ASSERT_NO_THROW(setup.emplace(store)) << stored;
    EXPECT_EQ(setup->OSDTimeout, 2) << stored;
    EXPECT_EQ(setup->GeneralLanguage, "english") << stored;
  }
}

TEST(SetupTest, AStoreThatCannotBeOpenedLeavesValuesAsTheyAre) {
  Store store;
  store.StoreLines("OSDTimeout=4\r\n");
  qv::TSetup setup(store);
  store.openable = false;
  setup.Values.Set("OSDTimeout", "3");
  setup.Load();
  EXPECT_EQ(setup.OSDTimeout, 3);
  EXPECT_FALSE(setup.Save());
}

TEST(SetupTest, RunValueFollowsEveryLoadAndSave) {
  Store store;
  qv::TSetup setup(store);
  setup.GeneralRunAtStartup = true;
  setup.Save();
  setup.Load();
  setup.GeneralRunAtStartup = false;
  setup.Save();
  EXPECT_EQ(store.runValues, (std::vector<bool>{false, true, true, false}));
}

TEST(ValueListTest, LinesAreSetReplacedAndRemoved) {
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
}

TEST(CommaTextTest, WritesQuotingOnlyWhatNeedsItAndReadsQuotedOrBlankSeparatedItems) {
  EXPECT_EQ(qv::ToCommaText({"a", "b c", "d,e", "say \"hi\"", ""}),
            "a,\"b c\",\"d,e\",\"say \"\"hi\"\"\",\"\"");
  EXPECT_EQ(qv::ToCommaText({}), "");
  EXPECT_EQ(qv::FromCommaText(" a, b c ,\"d,e\",,\"x\"\"y\","),
            (std::vector<std::string>{"a", "b", "c", "d,e", "", "x\"y", ""}));
  EXPECT_TRUE(qv::FromCommaText("").empty());
  EXPECT_EQ(qv::FromCommaText("\"unterminated"), std::vector<std::string>{"unterminated"});
}

} // namespace
