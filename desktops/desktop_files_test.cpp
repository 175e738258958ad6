// Each desktop's own icon layout and wallpaper: their files, the watch for
// wallpaper changes made outside, the pictures shared between desktops and
// how large a picture may be.
#include "desktops/wallpaper_list.h"

#include "desktops/icon_layout.h"
#include "desktops/image_cache.h"
#include "desktops/picture_limits.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace qv {
namespace {

TEST(IconLayout, KeepsOneLinePerLabelRoundTripsThroughItsFileAndLeavesOutDamagedLines) {
  IconLayout layout;
  layout.Set("Computer", IconPosition{10, 20});
  layout.Set("Recycle Bin", IconPosition{-5, 300});
  layout.Set("Computer", IconPosition{40, 50});
  layout.Set("a=b", IconPosition{1, 2});
  EXPECT_EQ(layout.Format(), "Computer=40,50\r\nRecycle Bin=-5,300\r\na=b=1,2\r\n");

  test::TempDir dir;
  ASSERT_TRUE(layout.Save(dir.path() / "Desktop.2.icons"));
  std::vector<std::string> problems;
  const auto read = IconLayout::Load(dir.path() / "Desktop.2.icons", problems);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Format(), layout.Format());
  EXPECT_TRUE(problems.empty());
  EXPECT_FALSE(IconLayout::Load(dir.path() / "Desktop.3.icons", problems));

  const IconLayout damaged = IconLayout::Parse(
      "Good=1,2\r\nno separator\r\n=3,4\r\nBad=1;2\r\nWorse=1,2,3\r\nHuge=99999999999,1\r\n"
      "Bin\x01ary=5,6\r\nLast=7,8",
      problems);
  ASSERT_EQ(damaged.Lines().size(), 2u);
  EXPECT_EQ(damaged.Lines()[0].label, "Good");
  EXPECT_EQ(damaged.Lines()[1].label, "Last");
  EXPECT_EQ(problems.size(), 4u); // three lines named, then the count
  EXPECT_FALSE(IconLayout::ParsePosition("12"));
  EXPECT_FALSE(IconLayout::ParsePosition(" 1,2"));
  EXPECT_EQ(IconLayout::ParsePosition("-1,-2"), (IconPosition{-1, -2}));

  test::WriteFile(dir.path() / "big.icons", std::string(3 * 1024 * 1024, '\0'));
  problems.clear();
  const auto big = IconLayout::Load(dir.path() / "big.icons", problems);
  ASSERT_TRUE(big);
  EXPECT_TRUE(big->Empty());
  EXPECT_FALSE(problems.empty());
}

TEST(IconLayout, AnIconHiddenFromADesktopComesBackWhereItStartedOut) {
  IconLayout startup;
  startup.Set("Documents", IconPosition{10, 90});
  IconLayout desktop3;
  desktop3.Set("Documents", IconPosition{400, 400});
  EXPECT_TRUE(IsIconShown(desktop3, "Documents"));
  EXPECT_TRUE(IsIconShown(desktop3, "Not named")); // a label the layout lacks is shown
  ShowIcon(desktop3, startup, "Documents", false);
  EXPECT_EQ(*desktop3.Value("Documents"), "20000,20000");
  EXPECT_FALSE(IsIconShown(desktop3, "Documents"));
  ShowIcon(desktop3, startup, "Documents", true);
  EXPECT_EQ(*desktop3.Value("Documents"), "10,90");
  // Showing an icon that is shown keeps its own place.
  desktop3.Set("Documents", IconPosition{5, 5});
  ShowIcon(desktop3, startup, "Documents", true);
  EXPECT_EQ(*desktop3.Value("Documents"), "5,5");
}

TEST(WallpaperList, SavesSevenLinesAndReadsThemBackButDamagedFilesGiveDefaultsAndSayWhy) {
  test::TempDir dir;
  WallpaperList list;
  list.SetEntry(2, "C:\\Pictures\\Lake.jpg");
  list.SetEntry(7, "ignored");
  ASSERT_TRUE(list.Save(dir.path() / "wallpapers.cfg"));
  EXPECT_EQ(test::ReadFile(dir.path() / "wallpapers.cfg"),
            "default\r\ndefault\r\nC:\\Pictures\\Lake.jpg\r\ndefault\r\ndefault\r\n"
            "default\r\ndefault\r\n");
  std::vector<std::string> problems;
  const WallpaperList read = WallpaperList::Load(dir.path() / "wallpapers.cfg", problems);
  EXPECT_EQ(read.Entry(2), "C:\\Pictures\\Lake.jpg");
  EXPECT_TRUE(read.IsDefault(1));
  EXPECT_TRUE(problems.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "wallpapers.cfg.tmp"));

  // Too few lines, no line ends at all, a control character, an overlong line.
  list = WallpaperList::Parse("default\nC:\\a.jpg", problems);
  EXPECT_EQ(std::tuple(list.Entry(1), list.IsDefault(2), problems.size()),
            std::tuple("C:\\a.jpg", true, 1u));
  problems.clear();
  const std::string binary =
      std::string("default\r\n\x01\x02\xFF\r\n") + std::string(5000, 'x') + "\r\nC:\\b.bmp\r\n";
  list = WallpaperList::Parse(binary, problems);
  EXPECT_TRUE(list.IsDefault(1));
  EXPECT_TRUE(list.IsDefault(2));
  EXPECT_EQ(list.Entry(3), "C:\\b.bmp");
  EXPECT_EQ(problems.size(), 3u);

  test::WriteFile(dir.path() / "big.cfg", std::string(1 << 20, 'y'));
  problems.clear();
  list = WallpaperList::Load(dir.path() / "big.cfg", problems);
  EXPECT_TRUE(list.IsDefault(1));
  EXPECT_FALSE(problems.empty());
  problems.clear();
  list = WallpaperList::Load(dir.path() / "missing.cfg", problems);
  EXPECT_TRUE(list.IsDefault(6));
  EXPECT_TRUE(problems.empty());
}

TEST(WallpaperList, TheWatchRecordsOnlyRealChanges) {
  WallpaperList list;
  list.SetEntry(2, "C:\\two.jpg");
  const std::string initial = "C:\\Windows\\start.bmp";
  const auto change = [&](const std::string &now) {
    const WallpaperChange c = DetectWallpaperChange(list, 2, now, initial);
    return std::tuple(c.changed, c.previous, c.now);
  };
  EXPECT_FALSE(std::get<0>(change("C:\\two.jpg")));
  EXPECT_EQ(change("C:\\new.jpg"), std::tuple(true, "C:\\two.jpg", "C:\\new.jpg"));
  // Back to the start-up wallpaper means the desktop has none of its own.
  EXPECT_EQ(change(initial), std::tuple(true, "C:\\two.jpg", "default"));
  EXPECT_FALSE(DetectWallpaperChange(list, 1, initial, initial).changed);
  EXPECT_EQ(list.PathToApply(1, initial), initial);
  EXPECT_EQ(list.PathToApply(2, initial), "C:\\two.jpg");
}

struct CountedPicture : CachedPicture {
  explicit CountedPicture(int &alive) : alive_(alive) { ++alive_; }
  ~CountedPicture() override { --alive_; }
  int &alive_;
};

TEST(ImageController, DesktopsWithTheSameFileShareOnePictureUntilTheLastLetsGo) {
  int alive = 0;
  int loads = 0;
  TImageController cache([&](const std::string &, int, int) {
    ++loads;
    return std::make_unique<CountedPicture>(alive);
  });
  CachedPicture *first = cache.Acquire("C:\\Pics\\Sea.JPG", 800, 600);
  CachedPicture *second = cache.Acquire("c:\\pics\\sea.jpg", 800, 600);
  EXPECT_EQ(first, second);
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(cache.Holders("C:\\PICS\\SEA.jpg"), 2);
  cache.Release("c:\\pics\\sea.jpg");
  EXPECT_EQ(cache.Find("c:\\pics\\sea.jpg"), first);
  cache.Release("C:\\Pics\\Sea.JPG");
  EXPECT_EQ(cache.Find("c:\\pics\\sea.jpg"), nullptr);
  EXPECT_EQ(alive, 0);
  cache.Release("never held"); // harmless

  cache.Add("default", std::make_unique<CountedPicture>(alive), 800, 600);
  EXPECT_NE(cache.Find("DEFAULT"), nullptr);
}

// The start of a JPEG: an application segment, then a baseline frame header.
std::vector<std::uint8_t> JpegHead(std::uint16_t width, std::uint16_t height) {
  std::vector<std::uint8_t> head = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x4A,
                                    0x46, 0xFF, 0xC0, 0x00, 0x0B, 0x08};
  for (const std::uint16_t side : {height, width})
    head.insert(head.end(),
                {static_cast<std::uint8_t>(side >> 8), static_cast<std::uint8_t>(side)});
  head.push_back(0x01);
  return head;
}

TEST(PictureLimits, ReadsTheStatedSizeAndASmallFileCannotClaimAHugePicture) {
  const auto jpeg = ReadPictureSize(JpegHead(1920, 1080));
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(std::pair(jpeg->width, jpeg->height), std::pair(1920u, 1080u));

  std::vector<std::uint8_t> bitmap(54, 0);
  bitmap[0] = 'B', bitmap[1] = 'M', bitmap[14] = 40;
  bitmap[18] = 0x80, bitmap[19] = 0x02;                                 // width 640
  bitmap[22] = 0x20, bitmap[23] = 0xFE, bitmap[24] = bitmap[25] = 0xFF; // -480: rows top-down
  const auto size = ReadPictureSize(bitmap);
  ASSERT_TRUE(size);
  EXPECT_EQ(std::pair(size->width, size->height), std::pair(640u, 480u));
  // Uncompressed, 640 x 480 pixels need at least 38400 bytes.
  EXPECT_FALSE(WithinDecodeLimit(*size, 30000));
  EXPECT_TRUE(WithinDecodeLimit(*size, 640 * 480 * 3 + 54));

  EXPECT_FALSE(ReadPictureSize(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xE0, 0x00}));
  EXPECT_FALSE(ReadPictureSize(std::vector<std::uint8_t>{'G', 'I', 'F', '8'}));

  // 200 bytes that claim 60000 x 60000 pixels (14 GB decoded).
  EXPECT_FALSE(WithinDecodeLimit({60000, 60000}, 200));
  EXPECT_TRUE(WithinDecodeLimit({1920, 1080}, 300 * 1024));
  // Past the ceiling however long the file.
  EXPECT_FALSE(WithinDecodeLimit({20000, 20000}, 60u << 20));
  EXPECT_FALSE(WithinDecodeLimit({0, 1080}, 300 * 1024));
}

} // namespace
} // namespace qv
