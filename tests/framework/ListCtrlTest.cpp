// The list view wrapper: texts in any script and length, item data of the full width, states,
// columns, hit tests, scrolling and label editing ended in the reflected notification.
#include "ListCtrl.h"
#include "Pump.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const DWORD kReport = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS;

// A list that accepts label edits (reflected LVN_ENDLABELEDIT) unless the new text is "no".
class CEditableList : public CListCtrl {
public:
    std::vector<std::string> endedWith;

protected:
    LRESULT OnEndLabelEdit(WPARAM, LPARAM lParam)
    {
        const auto* pInfo = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
        const std::string text = pInfo->item.pszText ? WideToUtf8(pInfo->item.pszText) : std::string("(cancelled)");
        endedWith.push_back(text);
        return text != "no";
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditableList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITW, OnEndLabelEdit)
END_MESSAGE_MAP(CListCtrl)

class ListCtrlTest : public testing::Test {
protected:
    void SetUp() override { m_hFrame = CreateTestFrame(320, 240); }
    void TearDown() override { DestroyWindow(m_hFrame); }

    // Two columns, "Name" 140 and "Value" 128 pixels wide, and nRows rows "row <n>".
    void Create(CListCtrl& list, DWORD style, int nRows)
    {
        ASSERT_TRUE(list.Create(style, RECT{0, 0, 320, 240}, m_hFrame, 101));
        ASSERT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 140), 0);
        ASSERT_EQ(list.InsertColumn(1, "Value", LVCFMT_LEFT, 128), 1);
        for (int i = 0; i < nRows; ++i)
            ASSERT_EQ(list.InsertItem(i, FormatText("row %d", i)), i);
    }

    HWND m_hFrame = nullptr;
};

TEST_F(ListCtrlTest, TextsRoundTripInAnyScriptAndLength)
{
    CListCtrl list;
    Create(list, kReport, 2);
    const std::string mixed = "\xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80 \xd7\xa9\xd7\x9c"; // 日本 😀 של
    std::string longCjk;
    for (int i = 0; i < 1500; ++i)
        longCjk += "\xe5\xad\x97"; // 字
    const std::string longLatin(3000, 'w');
    EXPECT_TRUE(list.SetItemText(0, 1, mixed));
    EXPECT_TRUE(list.SetItemText(1, 1, longLatin));
    EXPECT_TRUE(list.SetItemText(1, 0, longCjk));
    EXPECT_EQ(list.GetItemText(0, 1), mixed);
    EXPECT_EQ(list.GetItemText(1, 1), longLatin);
    EXPECT_EQ(list.GetItemText(1, 0), longCjk);
    EXPECT_EQ(list.GetItemText(9, 0), "");
    EXPECT_FALSE(list.SetItemText(9, 0, "nowhere"));
    EXPECT_TRUE(list.SetItemText(1, 1, ""));
    EXPECT_EQ(list.GetItemText(1, 1), "");
    EXPECT_FALSE(list.DeleteItem(7));
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 0), longCjk);
}

TEST_F(ListCtrlTest, ItemDataAndStatesRoundTrip)
{
    CListCtrl list;
    Create(list, kReport, 3);
    const DWORD_PTR allBits = ~static_cast<DWORD_PTR>(0);
    EXPECT_TRUE(list.SetItemData(2, allBits));
    EXPECT_EQ(list.GetItemData(2), allBits);
    EXPECT_EQ(list.GetItemData(0), 0u);
    EXPECT_FALSE(list.SetItemData(7, 1));
    EXPECT_EQ(list.GetItemData(7), 0u);
    EXPECT_EQ(list.GetItemText(2, 0), "row 2"); // setting data leaves the text alone

    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetItemState(2, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED)); // only the masked bits
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_TRUE(list.SetItemState(2, 0, LVIS_SELECTED));
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
}

TEST_F(ListCtrlTest, ColumnsAndExtendedStyle)
{
    CListCtrl list;
    Create(list, kReport, 1);
    EXPECT_EQ(GetParent(list.GetHeaderCtrl()), list.m_hWnd);
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_TRUE(list.SetColumnWidth(1, 90));
    EXPECT_EQ(list.InsertColumn(1, "Middle", LVCFMT_LEFT, 40), 1);
    EXPECT_EQ(list.GetColumnWidth(2), 90);
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.GetColumnWidth(1), 90);
    EXPECT_EQ(list.GetColumnWidth(5), 0);

    const DWORD before = list.GetExtendedStyle();
    EXPECT_EQ(list.SetExtendedStyle(before | LVS_EX_GRIDLINES), before);
    EXPECT_EQ(list.GetExtendedStyle(), before | LVS_EX_GRIDLINES);
}

TEST_F(ListCtrlTest, HitTestsFindTheItemAndSubItemUnderARealRectangle)
{
    CListCtrl list;
    Create(list, kReport | LVS_NOCOLUMNHEADER, 3);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    RECT row = {};
    ASSERT_TRUE(list.GetItemRect(1, &row, LVIR_BOUNDS));
    RECT value = {};
    ASSERT_TRUE(list.GetSubItemRect(1, 1, LVIR_BOUNDS, &value));
    EXPECT_EQ(value.left, row.left + 140);
    EXPECT_EQ(value.right, row.left + 140 + 128);
    EXPECT_EQ(value.top, row.top);
    EXPECT_FALSE(list.GetItemRect(5, &row, LVIR_BOUNDS));

    const POINT inName = {row.left + 10, (value.top + value.bottom) / 2};
    const POINT inValue = {value.left + 3, inName.y};
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(inName, &flags), 1);
    EXPECT_NE(flags & LVHT_ONITEM, 0u);
    int nSubItem = -1;
    EXPECT_EQ(list.SubItemHitTest(inValue, &nSubItem, &flags), 1);
    EXPECT_EQ(nSubItem, 1);
    EXPECT_EQ(list.SubItemHitTest(inName, &nSubItem), 1);
    EXPECT_EQ(nSubItem, 0);
    EXPECT_EQ(list.HitTest(POINT{inName.x, 230}, &flags), -1);
}

TEST_F(ListCtrlTest, EnsureVisibleScrollsARowIntoThePage)
{
    CListCtrl list;
    Create(list, kReport, 60);
    const int nPerPage = list.GetCountPerPage();
    EXPECT_GT(nPerPage, 3);
    EXPECT_LT(nPerPage, 60);
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_TRUE(list.EnsureVisible(45, FALSE));
    EXPECT_GT(list.GetTopIndex(), 45 - nPerPage);
    EXPECT_LE(list.GetTopIndex(), 45);
}

TEST_F(ListCtrlTest, LabelEditingEndsInTheReflectedNotification)
{
    CEditableList list;
    Create(list, kReport | LVS_EDITLABELS, 3);
    list.SetFocus();
    EXPECT_EQ(list.GetEditControl(), nullptr);

    HWND hEdit = list.EditLabel(1);
    ASSERT_NE(hEdit, nullptr);
    EXPECT_EQ(list.GetEditControl(), hEdit);
    SetWindowTextW(hEdit, L"renamed \x4e2d");
    SendMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 0);
    PumpUntilIdle();
    EXPECT_EQ(list.endedWith, std::vector<std::string>{"renamed \xe4\xb8\xad"});
    EXPECT_EQ(list.GetItemText(1, 0), "renamed \xe4\xb8\xad");
    EXPECT_EQ(list.GetEditControl(), nullptr);

    hEdit = list.EditLabel(2);
    ASSERT_NE(hEdit, nullptr);
    SetWindowTextW(hEdit, L"no");
    SendMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 0);
    PumpUntilIdle();
    EXPECT_EQ(list.endedWith.size(), 2u);
    EXPECT_EQ(list.GetItemText(2, 0), "row 2"); // refused by the handler
}

} // namespace
