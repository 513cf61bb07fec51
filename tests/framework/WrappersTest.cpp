// Thin wrappers of the common controls: texts in UTF-8 both ways, item data, positions and
// tools through the wrappers' messages.
#include "Button.h"
#include "DateTimeCtrl.h"
#include "Edit.h"
#include "HeaderCtrl.h"
#include "ListBox.h"
#include "ListCtrl.h"
#include "Pump.h"
#include "SliderCtrl.h"
#include "ToolTipCtrl.h"
#include "TreeCtrl.h"

#include <gtest/gtest.h>

namespace {

class WrappersTest : public testing::Test {
protected:
    void SetUp() override { m_hFrame = CreateTestFrame(300, 200); }
    void TearDown() override { DestroyWindow(m_hFrame); }
    HWND m_hFrame = nullptr;
};

TEST_F(WrappersTest, ListBoxDateTrackbarAndButtonRoundTrip)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, RECT{0, 0, 100, 100}, m_hFrame, 6));
    EXPECT_EQ(list.AddString("one"), 0);
    EXPECT_EQ(list.AddString("\xe6\x97\xa5"), 1);
    EXPECT_TRUE(list.SetItemData(1, 42));
    EXPECT_EQ(list.GetText(1), "\xe6\x97\xa5");
    EXPECT_EQ(list.GetItemData(1), 42u);
    EXPECT_EQ(list.FindStringExact(-1, "ONE"), 0);
    EXPECT_EQ(list.GetText(9), "");
    list.SetCurSel(1);
    EXPECT_EQ(list.GetCurSel(), 1);

    CDateTimeCtrl date;
    ASSERT_TRUE(date.Create(WS_CHILD | WS_VISIBLE | DTS_SHORTDATEFORMAT, RECT{0, 100, 150, 122}, m_hFrame, 8));
    SYSTEMTIME when = {};
    when.wYear = 2024;
    when.wMonth = 2;
    when.wDay = 29;
    EXPECT_TRUE(date.SetTime(when));
    SYSTEMTIME back = {};
    ASSERT_TRUE(date.GetTime(&back));
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 2);
    EXPECT_EQ(back.wDay, 29);

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, RECT{0, 130, 150, 160}, m_hFrame, 9));
    slider.SetRange(0, 50);
    slider.SetPos(30);
    EXPECT_EQ(slider.GetPos(), 30);

    CButton button;
    ASSERT_TRUE(button.Create("Check \xc3\xa9", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, RECT{150, 0, 270, 24}, m_hFrame, 10));
    EXPECT_EQ(button.GetWindowText(), "Check \xc3\xa9");
    button.SetCheck(BST_CHECKED);
    EXPECT_EQ(button.GetCheck(), BST_CHECKED);
}

TEST_F(WrappersTest, TreeItemsTextsAndHitTest)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, RECT{0, 0, 300, 200}, m_hFrame, 7));
    std::string longName;
    for (int i = 0; i < 400; ++i)
        longName += "\xd0\x96"; // Ж
    HTREEITEM hRoot = tree.InsertItem("Desktop", TVI_ROOT, TVI_LAST, -1, -1, 11);
    HTREEITEM hFirst = tree.InsertItem("Folder", hRoot);
    HTREEITEM hSecond = tree.InsertItem(longName, hRoot, TVI_LAST, -1, -1, 22);
    ASSERT_NE(hSecond, nullptr);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), hRoot);
    EXPECT_EQ(tree.GetItemText(hFirst), "Folder");
    EXPECT_EQ(tree.GetItemText(hSecond), longName);
    EXPECT_EQ(tree.GetItemData(hRoot), 11);
    EXPECT_TRUE(tree.SetItemData(hFirst, 33));
    EXPECT_EQ(tree.GetItemData(hFirst), 33);
    EXPECT_EQ(tree.GetParentItem(hFirst), hRoot);
    EXPECT_EQ(tree.GetChildItem(hRoot), hFirst);
    EXPECT_EQ(tree.GetNextSiblingItem(hFirst), hSecond);

    RECT firstRect = {};
    EXPECT_TRUE(tree.Expand(hRoot, TVE_EXPAND));
    ASSERT_TRUE(tree.GetItemRect(hFirst, &firstRect, TRUE));
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(POINT{firstRect.left + 2, (firstRect.top + firstRect.bottom) / 2}, &flags), hFirst);
    EXPECT_NE(flags & TVHT_ONITEMLABEL, 0u);

    EXPECT_TRUE(tree.SelectItem(hFirst));
    EXPECT_EQ(tree.GetSelectedItem(), hFirst);
    EXPECT_TRUE(tree.DeleteItem(hFirst));
    EXPECT_EQ(tree.GetCount(), 2u);
    EXPECT_TRUE(tree.DeleteAllItems());
}

TEST_F(WrappersTest, HeaderOfAListReportsItsColumns)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 300, 200}, m_hFrame, 11));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 140);
    list.InsertColumn(1, "Value", LVCFMT_LEFT, 128);
    CHeaderCtrl header;
    ASSERT_TRUE(header.SubclassWindow(list.GetHeaderCtrl()));
    EXPECT_EQ(header.GetItemCount(), 2);
    EXPECT_EQ(header.GetItemWidth(1), 128);
    EXPECT_EQ(header.GetItemWidth(2), -1);
    RECT second = {};
    ASSERT_TRUE(header.GetItemRect(1, &second));
    EXPECT_EQ(second.left, 140);
    EXPECT_EQ(second.right, 268);
}

TEST_F(WrappersTest, ToolTipToolsTextsAndTracking)
{
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(m_hFrame));
    const std::string greek = "\xce\xb1\xce\xb2\xce\xb3";  // αβγ
    ASSERT_TRUE(tip.AddTool(m_hFrame, 1, RECT{0, 0, 50, 50}, greek));
    ASSERT_TRUE(tip.AddTool(m_hFrame, 2, RECT{50, 0, 100, 50}, "second", TTF_TRACK | TTF_ABSOLUTE));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, RECT{0, 100, 100, 120}, m_hFrame, 13));
    ASSERT_TRUE(tip.AddWindowTool(edit, "whole edit"));
    EXPECT_EQ(tip.GetToolCount(), 3);
    EXPECT_EQ(tip.GetText(m_hFrame, 1), greek);
    EXPECT_EQ(tip.GetText(edit, reinterpret_cast<UINT_PTR>(edit.m_hWnd)), "whole edit");

    tip.UpdateTipText(m_hFrame, 1, "changed");
    EXPECT_EQ(tip.GetText(m_hFrame, 1), "changed");
    tip.UpdateTipText(edit, reinterpret_cast<UINT_PTR>(edit.m_hWnd), "");
    EXPECT_EQ(tip.GetText(edit, reinterpret_cast<UINT_PTR>(edit.m_hWnd)), "");

    EXPECT_FALSE(tip.IsWindowVisible());
    tip.TrackPosition(POINT{400, 300});
    tip.TrackActivate(m_hFrame, 2, TRUE);
    PumpUntilIdle();
    EXPECT_TRUE(tip.IsWindowVisible());
    const RECT shown = tip.GetWindowRect();
    EXPECT_NEAR(shown.left, 400, 2); // Wine places the border a pixel outside the point
    EXPECT_NEAR(shown.top, 300, 2);
    tip.TrackActivate(m_hFrame, 2, FALSE);
    PumpUntilIdle();
    EXPECT_FALSE(tip.IsWindowVisible());

    tip.DelTool(m_hFrame, 1);
    EXPECT_EQ(tip.GetToolCount(), 2);
    EXPECT_EQ(tip.GetText(m_hFrame, 1), "");
}

} // namespace
