#include "ListCtrl.h"
#include "Pump.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// An owner-drawn list that paints each row a colour chosen by its item data and records the
// notifications reflected to it.
class CColourRowsList : public CListCtrl {
public:
    int measured = 0;
    int drawn = 0;
    std::vector<int> changedItems;
    std::vector<int> clickedItems;

protected:
    void MeasureItem(LPMEASUREITEMSTRUCT pMeasure) override
    {
        ++measured;
        pMeasure->itemHeight = 24;
    }

    void DrawItem(LPDRAWITEMSTRUCT pDraw) override
    {
        ++drawn;
        HBRUSH hBrush = CreateSolidBrush(static_cast<COLORREF>(GetItemData(static_cast<int>(pDraw->itemID))));
        FillRect(pDraw->hDC, &pDraw->rcItem, hBrush);
        DeleteObject(hBrush);
    }

    LRESULT OnItemChanged(WPARAM, LPARAM lParam)
    {
        const auto* pChange = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((pChange->uNewState & LVIS_SELECTED) && !(pChange->uOldState & LVIS_SELECTED))
            changedItems.push_back(pChange->iItem);
        return 0;
    }

    LRESULT OnClick(WPARAM, LPARAM lParam)
    {
        clickedItems.push_back(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourRowsList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
END_MESSAGE_MAP(CListCtrl)

// A parent that is a window object itself (reflection through the object, not the reflector).
class CParentWnd : public CWnd {
public:
    std::vector<UINT> codesSeen;

    bool Saw(UINT code) const { return std::find(codesSeen.begin(), codesSeen.end(), code) != codesSeen.end(); }

protected:
    LRESULT OnNotify(WPARAM, LPARAM lParam)
    {
        codesSeen.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_MESSAGE(WM_NOTIFY, OnNotify)
END_MESSAGE_MAP(CWnd)

const DWORD kOwnerDrawReport = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS | LVS_SINGLESEL;

class ListCtrlTest : public testing::Test {
protected:
    void SetUp() override { m_hFrame = CreateTestFrame(320, 240); }
    void TearDown() override { DestroyWindow(m_hFrame); }

    void Fill(CListCtrl& list)
    {
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 150);
        list.InsertColumn(1, "Value", LVCFMT_LEFT, 150);
        const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(list.InsertItem(i, "row"), i);
            list.SetItemData(i, colours[i]);
        }
    }

    void Click(HWND hWnd, POINT point)
    {
        const LPARAM position = MAKELPARAM(point.x, point.y);
        SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, position);
        SendMessageW(hWnd, WM_LBUTTONUP, 0, position);
        PumpUntilIdle();
    }

    HWND m_hFrame = nullptr;
};

TEST_F(ListCtrlTest, OwnerDrawingIsReflectedFromAPlainParent)
{
    CColourRowsList list;
    ASSERT_TRUE(list.Create(kOwnerDrawReport, RECT{0, 0, 320, 240}, m_hFrame, 100));
    Fill(list);
    list.Invalidate();
    list.UpdateWindow();
    PumpUntilIdle();
    EXPECT_GT(list.measured, 0);     // asked while the list was being created
    EXPECT_GE(list.drawn, 3);

    RECT second = {};
    ASSERT_TRUE(list.GetItemRect(1, &second, LVIR_BOUNDS));
    EXPECT_EQ(second.bottom - second.top, 24);
    const WindowImage image = WindowImage::Capture(list.m_hWnd);
    EXPECT_EQ(image.Pixel(10, (second.top + second.bottom) / 2), RGB(0, 255, 0));
    EXPECT_EQ(image.Pixel(10, second.top - 5), RGB(255, 0, 0));
    EXPECT_EQ(image.Pixel(10, second.bottom + 5), RGB(0, 0, 255));
}

TEST_F(ListCtrlTest, ClickNotificationsReachTheListThroughAWindowObjectParent)
{
    CWnd::RegisterWindowClass(L"ListParent");
    CParentWnd parent;
    ASSERT_TRUE(parent.Create(L"ListParent", "", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 320, 240}, m_hFrame, 1));
    CColourRowsList list;
    ASSERT_TRUE(list.Create(kOwnerDrawReport, RECT{0, 0, 320, 240}, parent.m_hWnd, 100));
    Fill(list);
    EXPECT_GT(list.measured, 0);
    list.UpdateWindow();
    PumpUntilIdle();

    RECT third = {};
    ASSERT_TRUE(list.GetItemRect(2, &third, LVIR_BOUNDS));
    const POINT inThird = {20, (third.top + third.bottom) / 2};
    EXPECT_EQ(list.HitTest(inThird), 2);
    Click(list.m_hWnd, inThird);
    EXPECT_EQ(list.changedItems, std::vector<int>{2});
    EXPECT_EQ(list.clickedItems, std::vector<int>{2});
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    // What the child takes stays with it; the rest goes on to the parent's own map.
    EXPECT_FALSE(parent.Saw(LVN_ITEMCHANGED));
    EXPECT_FALSE(parent.Saw(static_cast<UINT>(NM_CLICK)));
    EXPECT_TRUE(parent.Saw(LVN_ITEMCHANGING));
}

TEST_F(ListCtrlTest, TextsDataAndStatesRoundTrip)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 320, 240}, m_hFrame, 101));
    EXPECT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 140), 0);
    EXPECT_EQ(list.InsertColumn(1, "Value", LVCFMT_LEFT, 128), 1);
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.GetColumnWidth(1), 128);

    const std::string cyrillic = "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82"; // Привет
    const std::string longText(3000, 'w');
    ASSERT_EQ(list.InsertItem(0, cyrillic), 0);
    ASSERT_EQ(list.InsertItem(1, "second"), 1);
    ASSERT_EQ(list.InsertItem(1, "middle"), 1);
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_TRUE(list.SetItemText(2, 1, longText));
    EXPECT_EQ(list.GetItemText(0, 0), cyrillic);
    EXPECT_EQ(list.GetItemText(1, 0), "middle");
    EXPECT_EQ(list.GetItemText(2, 0), "second");
    EXPECT_EQ(list.GetItemText(2, 1), longText);
    EXPECT_EQ(list.GetItemText(0, 1), "");

    EXPECT_TRUE(list.SetItemData(1, 0x8003u | (5u << 16)));
    EXPECT_EQ(list.GetItemData(1), 0x8003u | (5u << 16));
    EXPECT_EQ(list.GetItemData(7), 0u);

    EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 0), "middle");
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

} // namespace
