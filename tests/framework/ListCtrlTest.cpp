#include "Brush.h"
#include "GdiStack.h"
#include "ListCtrl.h"
#include "Pen.h"
#include "Pump.h"
#include "Text.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const DWORD kReport = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS;

// Owner-drawn rows 24 pixels high: each row is a rectangle filled with the colour in its item
// data and outlined with a black pen, selected through a CGdiStack that must leave the device
// context as it found it.
class CFramedRowsList : public CListCtrl {
public:
    static constexpr COLORREF kOutline = RGB(0, 0, 0);
    std::vector<int> drawn;
    RECT lastRect = {};
    bool leftSelectionsAsFound = true;

protected:
    void MeasureItem(LPMEASUREITEMSTRUCT pMeasure) override { pMeasure->itemHeight = 24; }

    void DrawItem(LPDRAWITEMSTRUCT pDraw) override
    {
        const int nItem = static_cast<int>(pDraw->itemID);
        drawn.push_back(nItem);
        HDC hdc = pDraw->hDC;
        const HGDIOBJ hBrushBefore = GetCurrentObject(hdc, OBJ_BRUSH);
        const HGDIOBJ hPenBefore = GetCurrentObject(hdc, OBJ_PEN);
        const CBrush fill(static_cast<COLORREF>(GetItemData(nItem)));
        const CPen outline(PS_SOLID, 1, kOutline);
        CGdiStack stack;
        stack.Push(hdc, fill);
        stack.Push(hdc, outline);
        const RECT& r = pDraw->rcItem;
        lastRect = r;
        Rectangle(hdc, r.left, r.top, r.right, r.bottom);
        stack.Pop();
        stack.Pop();
        leftSelectionsAsFound = leftSelectionsAsFound && GetCurrentObject(hdc, OBJ_BRUSH) == hBrushBefore &&
                                GetCurrentObject(hdc, OBJ_PEN) == hPenBefore;
    }
};

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
    void Fill(CListCtrl& list, int nRows)
    {
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
    ASSERT_TRUE(list.Create(kReport, RECT{0, 0, 320, 240}, m_hFrame, 101));
    Fill(list, 0);

    const std::string cyrillic = "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82";   // Привет
    const std::string mixed = "\xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80 \xd7\xa9\xd7\x9c"; // 日本 😀 של
    std::string longCjk;
    for (int i = 0; i < 1500; ++i)
        longCjk += "\xe5\xad\x97"; // 字
    const std::string longLatin(3000, 'w');
    ASSERT_EQ(list.InsertItem(0, cyrillic), 0);
    ASSERT_EQ(list.InsertItem(1, "second"), 1);
    ASSERT_EQ(list.InsertItem(1, "middle"), 1);
    EXPECT_EQ(list.InsertItem(10, "end"), 3); // beyond the end: appended
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_TRUE(list.SetItemText(1, 1, mixed));
    EXPECT_TRUE(list.SetItemText(2, 1, longLatin));
    EXPECT_TRUE(list.SetItemText(3, 0, longCjk));

    EXPECT_EQ(list.GetItemText(0, 0), cyrillic);
    EXPECT_EQ(list.GetItemText(1, 0), "middle");
    EXPECT_EQ(list.GetItemText(1, 1), mixed);
    EXPECT_EQ(list.GetItemText(2, 0), "second");
    EXPECT_EQ(list.GetItemText(2, 1), longLatin);
    EXPECT_EQ(list.GetItemText(3, 0), longCjk);
    EXPECT_EQ(list.GetItemText(0, 1), "");
    EXPECT_EQ(list.GetItemText(9, 0), "");
    EXPECT_FALSE(list.SetItemText(9, 0, "nowhere"));

    EXPECT_TRUE(list.SetItemText(2, 1, ""));
    EXPECT_EQ(list.GetItemText(2, 1), "");
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 0), "middle");
    EXPECT_FALSE(list.DeleteItem(7));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListCtrlTest, ItemDataAndStatesRoundTrip)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(kReport, RECT{0, 0, 320, 240}, m_hFrame, 101));
    Fill(list, 3);

    const DWORD_PTR word = 0x8003u | (5u << 16);
    const DWORD_PTR allBits = ~static_cast<DWORD_PTR>(0);
    EXPECT_TRUE(list.SetItemData(1, word));
    EXPECT_TRUE(list.SetItemData(2, allBits));
    EXPECT_EQ(list.GetItemData(0), 0u);
    EXPECT_EQ(list.GetItemData(1), word);
    EXPECT_EQ(list.GetItemData(2), allBits);
    EXPECT_FALSE(list.SetItemData(7, 1));
    EXPECT_EQ(list.GetItemData(7), 0u);
    EXPECT_EQ(list.GetItemText(1, 0), "row 1"); // setting data leaves the text alone

    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetItemState(2, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED)); // only the masked bits
    EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), 0u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(list.GetNextItem(0, LVNI_ALL), 1);

    EXPECT_TRUE(list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);
    EXPECT_EQ(list.GetNextItem(0, LVNI_SELECTED), 2); // multiple selection allowed here
    EXPECT_TRUE(list.SetItemState(2, 0, LVIS_SELECTED));
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
    EXPECT_EQ(list.GetNextItem(0, LVNI_SELECTED), -1);
}

TEST_F(ListCtrlTest, ColumnsAndExtendedStyle)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(kReport, RECT{0, 0, 320, 240}, m_hFrame, 101));
    Fill(list, 1);
    const HWND hHeader = list.GetHeaderCtrl();
    ASSERT_NE(hHeader, nullptr);
    EXPECT_EQ(GetParent(hHeader), list.m_hWnd);
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.GetColumnWidth(0), 140);
    EXPECT_EQ(list.GetColumnWidth(1), 128);

    EXPECT_TRUE(list.SetColumnWidth(1, 90));
    EXPECT_EQ(list.GetColumnWidth(1), 90);
    EXPECT_EQ(list.InsertColumn(1, "Middle", LVCFMT_LEFT, 40), 1);
    EXPECT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(list.GetColumnWidth(2), 90);
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.GetColumnWidth(1), 90);
    EXPECT_EQ(list.GetColumnWidth(5), 0);

    const DWORD before = list.GetExtendedStyle();
    EXPECT_EQ(before & LVS_EX_GRIDLINES, 0u);
    EXPECT_EQ(list.SetExtendedStyle(before | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), before);
    EXPECT_EQ(list.GetExtendedStyle(), before | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

TEST_F(ListCtrlTest, HitTestsFindTheItemAndSubItemUnderARealRectangle)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(kReport | LVS_NOCOLUMNHEADER, RECT{0, 0, 320, 240}, m_hFrame, 101));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    Fill(list, 3);

    RECT row = {};
    ASSERT_TRUE(list.GetItemRect(1, &row, LVIR_BOUNDS));
    RECT label = {};
    ASSERT_TRUE(list.GetItemRect(1, &label, LVIR_LABEL));
    EXPECT_GE(label.left, row.left);
    EXPECT_LE(label.right, row.left + 140);
    EXPECT_EQ(label.top, row.top);
    RECT value = {};
    ASSERT_TRUE(list.GetSubItemRect(1, 1, LVIR_BOUNDS, &value));
    EXPECT_EQ(value.left, row.left + 140);
    EXPECT_EQ(value.right, row.left + 140 + 128);
    EXPECT_EQ(value.top, row.top);
    EXPECT_FALSE(list.GetItemRect(5, &row, LVIR_BOUNDS));

    const POINT inName = {label.left + 3, (row.top + row.bottom) / 2};
    const POINT inValue = {value.left + 3, (value.top + value.bottom) / 2};
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(inName, &flags), 1);
    EXPECT_NE(flags & LVHT_ONITEM, 0u);
    int nSubItem = -1;
    EXPECT_EQ(list.SubItemHitTest(inValue, &nSubItem, &flags), 1);
    EXPECT_EQ(nSubItem, 1);
    EXPECT_EQ(list.SubItemHitTest(inName, &nSubItem), 1);
    EXPECT_EQ(nSubItem, 0);
    RECT last = {};
    ASSERT_TRUE(list.GetItemRect(2, &last, LVIR_BOUNDS));
    EXPECT_EQ(list.HitTest(POINT{inName.x, last.bottom + 10}, &flags), -1);
    EXPECT_NE(flags & LVHT_NOWHERE, 0u);
}

TEST_F(ListCtrlTest, EnsureVisibleScrollsARowIntoThePage)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(kReport, RECT{0, 0, 320, 240}, m_hFrame, 101));
    Fill(list, 60);
    RECT row = {};
    ASSERT_TRUE(list.GetItemRect(0, &row, LVIR_BOUNDS));
    const int nPerPage = list.GetCountPerPage();
    EXPECT_GT(nPerPage, 3);
    EXPECT_LT(nPerPage, 60);
    EXPECT_LE(nPerPage * (row.bottom - row.top), list.GetClientRect().bottom);
    EXPECT_EQ(list.GetTopIndex(), 0);

    EXPECT_TRUE(list.EnsureVisible(45, FALSE));
    const int nTop = list.GetTopIndex();
    EXPECT_GT(nTop, 45 - nPerPage);
    EXPECT_LE(nTop, 45);
    ASSERT_TRUE(list.GetItemRect(45, &row, LVIR_BOUNDS));
    EXPECT_GE(row.top, 0);
    EXPECT_LE(row.bottom, list.GetClientRect().bottom);
}

TEST_F(ListCtrlTest, LabelEditingEndsInTheReflectedNotification)
{
    CEditableList list;
    ASSERT_TRUE(list.Create(kReport | LVS_EDITLABELS, RECT{0, 0, 320, 240}, m_hFrame, 101));
    Fill(list, 3);
    list.SetFocus();
    EXPECT_EQ(list.GetEditControl(), nullptr);

    HWND hEdit = list.EditLabel(1);
    ASSERT_NE(hEdit, nullptr);
    EXPECT_EQ(list.GetEditControl(), hEdit);
    EXPECT_EQ(GetWindowTextLengthW(hEdit), 5); // "row 1"
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

TEST_F(ListCtrlTest, OwnerDrawnRowsShowTheirPixelsAndRedrawOnlyWhatIsAsked)
{
    CFramedRowsList list;
    ASSERT_TRUE(list.Create(kReport | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER, RECT{0, 0, 320, 240}, m_hFrame, 102));
    Fill(list, 3);
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int i = 0; i < 3; ++i)
        list.SetItemData(i, colours[i]);
    list.Invalidate();
    list.UpdateWindow();
    PumpUntilIdle();
    EXPECT_TRUE(list.leftSelectionsAsFound);

    RECT bounds = {};
    ASSERT_TRUE(list.GetItemRect(1, &bounds, LVIR_BOUNDS));
    EXPECT_EQ(bounds.bottom - bounds.top, 24);
    // The rectangle the list asks a row to fill (Wine's starts 2 pixels right of the bounds).
    list.drawn.clear();
    list.RedrawItems(1, 1);
    list.UpdateWindow();
    ASSERT_EQ(list.drawn, std::vector<int>{1});
    const RECT second = list.lastRect;
    EXPECT_EQ(second.top, bounds.top);
    EXPECT_EQ(second.bottom, bounds.bottom);
    const int middle = (second.top + second.bottom) / 2;
    WindowImage image = WindowImage::Capture(list);
    EXPECT_EQ(image.Pixel(second.left, middle), CFramedRowsList::kOutline);
    EXPECT_EQ(image.Pixel(second.right - 1, middle), CFramedRowsList::kOutline);
    EXPECT_EQ(image.Pixel(second.left + 10, second.top), CFramedRowsList::kOutline);
    EXPECT_EQ(image.Pixel(second.left + 10, middle), RGB(0, 255, 0));
    EXPECT_EQ(image.Pixel(second.left + 10, second.top - 5), RGB(255, 0, 0));
    EXPECT_EQ(image.Pixel(second.left + 10, second.bottom + 5), RGB(0, 0, 255));
    EXPECT_EQ(image.CountPixels(RECT{second.left + 1, second.top + 1, second.right - 1, second.bottom - 1}, RGB(0, 255, 0)),
              (second.right - second.left - 2) * (second.bottom - second.top - 2));

    list.drawn.clear();
    list.SetItemData(1, RGB(255, 255, 0));
    EXPECT_TRUE(list.RedrawItems(1, 1));
    list.UpdateWindow();
    PumpUntilIdle();
    EXPECT_EQ(list.drawn, std::vector<int>{1});
    image = WindowImage::Capture(list);
    EXPECT_EQ(image.Pixel(second.left + 10, middle), RGB(255, 255, 0));
    EXPECT_EQ(image.Pixel(second.left + 10, second.top - 5), RGB(255, 0, 0));
}

} // namespace
