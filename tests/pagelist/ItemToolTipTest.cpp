// The item tooltip of a page list, driven by real mouse messages: it shows the whole value of
// a row too wide for its cell, where the tooltip class puts it, while the list has the focus.
#include "ColorHeaderCtrl.h"
#include "PageListCtrl.h"
#include "Pump.h"
#include "TestKinds.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const int kListWidth = 400;
const std::string kLong = "C:\\Program Files\\Common Files\\Shared Reports\\Quarterly\\2024\\Summary of the year.docx";
const std::string kOtherLong = "A value that is far too long for the value cell of the list, however it is measured";

class CTipOwner : public CFakeOwner {
public:
    BOOL GetToolTips() const override { return TRUE; }
};

class ItemToolTipTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestKinds();
        CPageListCtrl::SetAutoResizingColumns(TRUE);
        m_hFrame = CreateTestFrame(kListWidth + 20, 320);
    }
    void TearDown() override
    {
        m_pList.reset();
        m_owner.rowMaps.Clear();
        DestroyWindow(m_hFrame);
    }

    // Rows: a short value, a long one, an empty one, another long one; the list has the focus.
    void MakeList()
    {
        m_pList = std::make_unique<CPageListCtrl>(&m_owner, 18);
        ASSERT_TRUE(m_pList->Create(m_hFrame, 1000));
        m_pList->MoveWindow(RECT{0, 0, kListWidth, 300});
        const std::string values[] = {"short", kLong, "", kOtherLong};
        for (const std::string& value : values)
            m_pList->SetItemValue(m_pList->AddItemFromText("Row", "ComboBox", "Enable", ""), value);
        m_pList->SetFocus();
        PumpUntilIdle();
    }

    CPageListCtrl& List() { return *m_pList; }
    const CItemToolTipCtrl& Tip() { return *List().GetToolTip(); }
    std::string TipText() { return Tip().GetText(List().m_hWnd, reinterpret_cast<UINT_PTR>(List().m_hWnd)); }
    bool TipShown() { return Tip().IsWindow() && Tip().IsWindowVisible(); }

    POINT ValuePoint(int nRow)
    {
        RECT bounds = {};
        List().GetItemRect(nRow, &bounds, LVIR_BOUNDS);
        return POINT{List().GetColumnWidth(0) + 40, (bounds.top + bounds.bottom) / 2};
    }

    // The cursor goes there, as the tooltip class places the tip by it, and the list hears of it.
    POINT MoveTo(POINT pt)
    {
        POINT screen = pt;
        ClientToScreen(List().m_hWnd, &screen);
        SetCursorPos(screen.x, screen.y);
        List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        return screen;
    }

    // Long enough for a tip to come up after its initial delay; a tip that is not to come is
    // waited for twice that delay.
    bool WaitForTip() { return PumpUntil([this] { return TipShown(); }, 3000); }
    bool NoTipComes()
    {
        const DWORD nDelay = static_cast<DWORD>(SendMessageW(Tip().m_hWnd, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
        return !PumpUntil([this] { return TipShown(); }, 2 * nDelay);
    }

    CTipOwner m_owner;
    std::unique_ptr<CPageListCtrl> m_pList;
    HWND m_hFrame = nullptr;
};

TEST_F(ItemToolTipTest, TheFirstOverflowingRowTheMouseReachesGivesTheTipItsText)
{
    MakeList();
    MoveTo(ValuePoint(3));
    ASSERT_TRUE(WaitForTip());
    EXPECT_EQ(kOtherLong, TipText());
}

TEST_F(ItemToolTipTest, ValuesThatFitAndEmptyValuesShowNoTip)
{
    MakeList();
    std::string strTip;
    EXPECT_FALSE(Tip().GetItemTip(0, strTip));
    EXPECT_FALSE(Tip().GetItemTip(2, strTip));
    EXPECT_FALSE(Tip().GetItemTip(-1, strTip));
    MoveTo(ValuePoint(0));
    EXPECT_FALSE(Tip().IsTipActive());
    MoveTo(ValuePoint(2));
    EXPECT_FALSE(Tip().IsTipActive());
    EXPECT_TRUE(NoTipComes());
}

TEST_F(ItemToolTipTest, APressInTheListEndsTheTip)
{
    MakeList();
    MoveTo(ValuePoint(0));
    MoveTo(ValuePoint(1));
    ASSERT_TRUE(WaitForTip());
    const POINT pt = ValuePoint(1);
    List().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    List().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(Tip().IsTipActive());
    EXPECT_FALSE(TipShown());
}

TEST_F(ItemToolTipTest, AValueColumnMadeNarrowerLetsAFittingValueOverflow)
{
    MakeList();
    List().SetItemValue(0, "A value of some forty letters or so, here");
    MoveTo(ValuePoint(0));
    EXPECT_FALSE(Tip().IsTipActive());
    // The divider dragged far to the right leaves the value a narrow column.
    const POINT divider = {List().GetColumnWidth(0), 100};
    POINT screen = divider;
    ClientToScreen(List().m_hWnd, &screen);
    SetCursorPos(screen.x, screen.y);
    PumpUntilIdle();
    List().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(divider.x, divider.y));
    List().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(320, 100));
    List().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(320, 100));
    ASSERT_EQ(320, List().GetColumnWidth(0));
    MoveTo(ValuePoint(2));
    MoveTo(POINT{340, ValuePoint(0).y});
    EXPECT_TRUE(Tip().IsTipActive());
    ASSERT_TRUE(WaitForTip());
    EXPECT_EQ("A value of some forty letters or so, here", TipText());
}

} // namespace
