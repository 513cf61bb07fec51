#include "DateTimeCtrl.h"
#include "Edit.h"
#include "ListBox.h"
#include "Pump.h"
#include "SliderCtrl.h"
#include "TreeCtrl.h"

#include <gtest/gtest.h>

namespace {

// An edit that takes its own change notifications, reflected by its parent.
class CCountingEdit : public CEdit {
public:
    int changes = 0;

protected:
    LRESULT OnChange(WPARAM, LPARAM) { ++changes; return 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
    ON_COMMAND_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP(CEdit)

class WrappersTest : public testing::Test {
protected:
    void SetUp() override { m_hFrame = CreateTestFrame(300, 200); }
    void TearDown() override { DestroyWindow(m_hFrame); }
    HWND m_hFrame = nullptr;
};

TEST_F(WrappersTest, EditChangeCommandIsReflectedAndTypedKeysLand)
{
    CCountingEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, RECT{0, 0, 200, 22}, m_hFrame, 5));
    edit.SetWindowText("abc");
    EXPECT_EQ(edit.changes, 1);
    edit.SetFocus();
    edit.SetSel(3, 3);
    SendMessageW(edit.m_hWnd, WM_CHAR, L'\x00e9', 0); // é
    EXPECT_EQ(edit.GetWindowText(), "abc\xc3\xa9");
    EXPECT_EQ(edit.changes, 2);
    edit.SetSel(0, 1);
    edit.ReplaceSel("Z");
    EXPECT_EQ(edit.GetWindowText(), "Zbc\xc3\xa9");
}

TEST_F(WrappersTest, ListBoxTreeDateAndTrackbarRoundTrip)
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

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, RECT{100, 0, 200, 100}, m_hFrame, 7));
    HTREEITEM hRoot = tree.InsertItem("Desktop", TVI_ROOT, TVI_LAST, -1, -1, 11);
    HTREEITEM hChild = tree.InsertItem("Folder", hRoot);
    EXPECT_EQ(tree.GetCount(), 2u);
    EXPECT_EQ(tree.GetItemText(hChild), "Folder");
    EXPECT_EQ(tree.GetItemData(hRoot), 11);
    EXPECT_EQ(tree.GetParentItem(hChild), hRoot);
    EXPECT_TRUE(tree.Expand(hRoot, TVE_EXPAND));
    EXPECT_TRUE(tree.SelectItem(hChild));
    EXPECT_EQ(tree.GetSelectedItem(), hChild);

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
    slider.SetPos(70); // clamped to the range
    EXPECT_EQ(slider.GetPos(), 50);
}

} // namespace
