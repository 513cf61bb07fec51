// Item tooltips in the hosted control: the ToolTips option decides whether the pages made from
// a layout get one, a value too wide for its cell shows in full under the mouse, and the pages
// of a control share one tooltip window.
#include "ControlTestSupport.h"

#include "PageListCtrl.h"
#include "Pump.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

const std::string kLongValue = "C:\\Documents and Settings\\All Users\\Application Data\\Reports\\2024\\Quarterly summary.xlsx";

BOOL CALLBACK CountTip(HWND hWnd, LPARAM lParam)
{
    wchar_t className[32] = {};
    GetClassNameW(hWnd, className, 32);
    if (lstrcmpiW(className, TOOLTIPS_CLASSW) == 0)
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

// Tooltip windows of the thread, shown or not.
int TipWindows()
{
    int nCount = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTip, reinterpret_cast<LPARAM>(&nCount));
    return nCount;
}

class ItemToolTips : public HostedSampleTest {
protected:
    std::string TipText(CPageListCtrl* pList)
    {
        return pList->GetToolTip()->GetText(pList->m_hWnd, reinterpret_cast<UINT_PTR>(pList->m_hWnd));
    }

    // The page brought to the front with a long value in its first row; the mouse moved over
    // that value while its list has the focus shows the whole value below the cursor.
    void ExpectTipOnPage(int nPage)
    {
        ASSERT_TRUE(Call(L"SetDefaultValue", {I2(nPage), I2(0), CVariant(kLongValue)}).ToBool());
        Call(L"ActivatePage", {I2(nPage)});
        PumpUntilIdle();
        CPageListCtrl* pList = List(nPage);
        ASSERT_NE(nullptr, pList->GetToolTip());
        pList->SetFocus();
        RECT bounds = {};
        pList->GetItemRect(0, &bounds, LVIR_BOUNDS);
        const POINT pt = {pList->GetColumnWidth(0) + 30, (bounds.top + bounds.bottom) / 2};
        POINT screen = pt;
        ClientToScreen(pList->m_hWnd, &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(pList->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        ASSERT_TRUE(PumpUntil([&] { return pList->GetToolTip()->IsWindowVisible() != FALSE; }, 3000)) << nPage;
        EXPECT_EQ(TipText(pList), kLongValue);
        const RECT tip = pList->GetToolTip()->GetWindowRect();
        EXPECT_GE(tip.left, screen.x - 4);
        EXPECT_LE(tip.left, screen.x + 32);
        EXPECT_GT(tip.top, screen.y);
        EXPECT_LE(tip.top, screen.y + 40);
    }
};

TEST_F(ItemToolTips, ThePagesShowTheirTipsThroughOneWindowThatFollowsTheFrontPage)
{
    EXPECT_EQ(1, TipWindows());
    for (int nPage : {1, 0}) {
        ExpectTipOnPage(nPage);
        EXPECT_EQ(1, TipWindows()) << nPage;
    }
}

TEST_F(ItemToolTips, PagesMadeWhileTheOptionIsOffHaveNone)
{
    ASSERT_NE(nullptr, List(0)->GetToolTip());
    ASSERT_EQ(Put(m_pControl, L"ToolTips", CVariant(false)), S_OK);
    ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant(SampleLayout())), S_OK);
    for (int nPage = 0; nPage < 3; ++nPage)
        EXPECT_EQ(nullptr, List(nPage)->GetToolTip()) << nPage;
}

} // namespace
