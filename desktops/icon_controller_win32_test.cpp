#include "desktops/icon_controller_win32.h"

#include "tests/support/message_loop_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace qv {
namespace {

// A "Progman" with a view holding an icon list, as the shell has, in this
// process: the shell's memory is then this process's own.
class DesktopIconsTest : public ::testing::Test {
protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    HWND view = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 800, 600,
                                progman_.Get(), nullptr, nullptr, nullptr);
    list_ = CreateWindowExW(0, WC_LISTVIEWW, L"FolderView",
                            WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_AUTOARRANGE, 0, 0, 800, 600,
                            view, nullptr, nullptr, nullptr);
    for (const wchar_t *name : {L"Computer", L"Documents", L"Twin", L"Twin"}) {
      LVITEMW item{LVIF_TEXT, ListView_GetItemCount(list_)};
      item.pszText = const_cast<wchar_t *>(name);
      SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    // The list lays its icons out when it is first painted.
    UpdateWindow(progman_.Get());
    test::PumpMessages();
  }

  POINT Position(int item) const {
    POINT point{};
    ListView_GetItemPosition(list_, item, &point);
    return point;
  }

  UniqueWindow progman_ = test::OpenWindow(L"Progman", WS_POPUP | WS_VISIBLE, {0, 0, 800, 600});
  HWND list_ = nullptr;
};

TEST_F(DesktopIconsTest, ReadsWhereTheIconsAreAndMovesThemBack) {
  ASSERT_EQ(FindDesktopIconList(), list_);
  TIconController icons;
  ASSERT_TRUE(icons.ReadLayout());
  ASSERT_EQ(icons.Layout().Lines().size(), 3u); // two icons share a label
  const POINT documents = Position(1);
  EXPECT_EQ(*icons.Layout().Value("Documents"), IconLayout::Format({documents.x, documents.y}));

  TIconController moved;
  moved.Layout().Set("Documents", IconPosition{300, 200});
  moved.Layout().Set("Twin", IconLayout::kParked);
  moved.Layout().Set("Not on this desktop", IconPosition{1, 1});
  moved.Layout().Set("Damaged", "1;2");
  const POINT computer = Position(0);
  const POINT secondTwin = Position(3);
  ASSERT_TRUE(moved.ApplyLayout());
  EXPECT_EQ(GetWindowLongPtrW(list_, GWL_STYLE) & LVS_AUTOARRANGE, 0);
  EXPECT_EQ(Position(1).x, 300);
  EXPECT_EQ(Position(1).y, 200);
  EXPECT_EQ(Position(2).x, 20000);        // parked: beyond 16 bits' reach would fail too
  EXPECT_EQ(Position(3).x, secondTwin.x); // only the first of a label moves
  EXPECT_EQ(Position(0).x, computer.x);   // an icon the layout does not name stays

  ASSERT_TRUE(icons.ApplyLayout());
  EXPECT_EQ(Position(1).x, documents.x);
  EXPECT_EQ(Position(1).y, documents.y);

  // A desktop without a layout file of its own takes the screen's.
  TIconController fresh;
  fresh.Load("no such folder/Desktop.3.icons");
  EXPECT_EQ(fresh.Layout().Format(), icons.Layout().Format());
  progman_.Reset();
  EXPECT_FALSE(fresh.ReadLayout()) << "without a shell nothing is read";
  EXPECT_FALSE(fresh.ApplyLayout());
  EXPECT_EQ(fresh.Layout().Format(), icons.Layout().Format());
}

} // namespace
} // namespace qv
