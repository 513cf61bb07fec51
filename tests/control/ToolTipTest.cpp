// Item tooltips in the hosted control: the ToolTips option decides whether the pages made from
// a layout get one, and a value too wide for its cell shows in full under the mouse.
#include "ControlTestSupport.h"

#include "PageListCtrl.h"
#include "Pump.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kLongValue = "C:\\Documents and Settings\\All Users\\Application Data\\Reports\\2024\\Quarterly summary.xlsx";

class ItemToolTips : public HostedSampleTest {
protected:
    std::string TipText(CPageListCtrl* pList)
    {
        return pList->GetToolTip().GetText(pList->m_hWnd, reinterpret_cast<UINT_PTR>(pList->m_hWnd));
    }
};

TEST_F(ItemToolTips, AValueTooWideForItsCellShowsInFullUnderTheMouse)
{
    ASSERT_TRUE(Call(L"SetDefaultValue", {I2(0), I2(0), CVariant(kLongValue)}).ToBool());
    CPageListCtrl* pList = List(0);
    ASSERT_TRUE(pList->GetToolTip().IsWindow());
    pList->SetFocus();
    RECT bounds = {};
    pList->GetItemRect(0, &bounds, LVIR_BOUNDS);
    const POINT pt = {pList->GetColumnWidth(0) + 30, (bounds.top + bounds.bottom) / 2};
    POINT screen = pt;
    ClientToScreen(pList->m_hWnd, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(pList->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    ASSERT_TRUE(PumpUntil([&] { return pList->GetToolTip().IsWindowVisible() != FALSE; }, 3000));
    EXPECT_EQ(TipText(pList), kLongValue);
    const RECT tip = pList->GetToolTip().GetWindowRect();
    EXPECT_GT(tip.top, screen.y);
    EXPECT_LE(tip.top, screen.y + 40);
}

TEST_F(ItemToolTips, PagesMadeWhileTheOptionIsOffHaveNone)
{
    ASSERT_TRUE(List(0)->GetToolTip().IsWindow());
    ASSERT_EQ(Put(m_pControl, L"ToolTips", CVariant(false)), S_OK);
    ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant(SampleLayout())), S_OK);
    for (int nPage = 0; nPage < 3; ++nPage)
        EXPECT_FALSE(List(nPage)->GetToolTip().IsWindow()) << nPage;
}

} // namespace
