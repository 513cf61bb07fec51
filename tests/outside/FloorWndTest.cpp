#include "FloorWnd.h"
#include "Pump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const UINT kFloorId = 0;

// A host window that sinks the floor's events, as the control does.
class CFloorHost : public CWnd, public CEventSinkTarget {
public:
    std::vector<long> selected;
    std::vector<long> captionEdits;

protected:
    void OnPageSelected(DISPPARAMS* pParams) { selected.push_back(ArgLong(pParams, 0)); }
    void OnPageCaptionEdit(DISPPARAMS* pParams) { captionEdits.push_back(ArgLong(pParams, 0)); }
    DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(CFloorHost, CEventSinkTarget)
    ON_EVENT(kFloorId, 1, OnPageSelected)
    ON_EVENT(kFloorId, 2, OnPageCaptionEdit)
END_EVENTSINK_MAP(CEventSinkTarget)

class FloorWndTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_hFrame = CreateTestFrame(320, 320);
        CWnd::RegisterWindowClass(L"FloorHost");
        ASSERT_TRUE(m_host.Create(L"FloorHost", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, RECT{0, 0, 300, 300}, m_hFrame, 1));
        ASSERT_TRUE(m_floor.Create(m_host.m_hWnd, kFloorId, RECT{0, 0, 300, 300}, &m_host));
        PumpUntilIdle();
    }
    void TearDown() override
    {
        m_floor.DestroyControl();
        m_host.DestroyWindow();
        DestroyWindow(m_hFrame);
    }

    HWND AddPageWithWindow(const std::string& caption)
    {
        const short nPage = m_floor.AddPage(caption);
        HWND hPage = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, m_floor.m_hWnd, nullptr, nullptr, nullptr);
        EXPECT_TRUE(m_floor.SetPageWindow(nPage, hPage));
        m_floor.RecalcLayout();
        return hPage;
    }

    static POINT Unpack(long packed) { return POINT{static_cast<short>(packed & 0xFFFF), static_cast<short>(packed >> 16)}; }

    void ClickCaption(short nPage, bool bDouble)
    {
        const POINT topLeft = Unpack(m_floor.GetCaptionTopLeft(nPage));
        const POINT bottomRight = Unpack(m_floor.GetCaptionBottomRight(nPage));
        POINT point = {(topLeft.x + bottomRight.x) / 2, (topLeft.y + bottomRight.y) / 2};
        HWND hView = ChildWindowFromPoint(m_floor.m_hWnd, point);
        const LPARAM position = MAKELPARAM(point.x, point.y);
        SendMessageW(hView, WM_LBUTTONDOWN, MK_LBUTTON, position);
        SendMessageW(hView, WM_LBUTTONUP, 0, position);
        if (bDouble) {
            SendMessageW(hView, WM_LBUTTONDBLCLK, MK_LBUTTON, position);
            SendMessageW(hView, WM_LBUTTONUP, 0, position);
        }
        PumpUntilIdle();
    }

    HWND m_hFrame = nullptr;
    CFloorHost m_host;
    CFloorWnd m_floor;
};

TEST_F(FloorWndTest, PageNamesThroughTheWrapper)
{
    EXPECT_EQ(m_floor.GetActivePage(), -1);
    AddPageWithWindow("General");
    EXPECT_TRUE(m_floor.SetPageName(0, "Main"));
    EXPECT_EQ(m_floor.GetPageName(0), "Main");
    EXPECT_EQ(m_floor.GetPageIndex("Main"), 0);
    EXPECT_FALSE(m_floor.SetPageName(1, "None"));
}

TEST_F(FloorWndTest, FrontPageWindowAndCaptionCorners)
{
    HWND hFirst = AddPageWithWindow("A");
    HWND hSecond = AddPageWithWindow("B");
    EXPECT_TRUE(IsWindowVisible(hFirst));
    EXPECT_FALSE(IsWindowVisible(hSecond));
    EXPECT_TRUE(m_floor.ActivatePage(1));
    EXPECT_EQ(m_floor.GetActivePage(), 1);
    EXPECT_FALSE(IsWindowVisible(hFirst));
    EXPECT_TRUE(IsWindowVisible(hSecond));

    const POINT topLeft = Unpack(m_floor.GetCaptionTopLeft(1));
    const POINT bottomRight = Unpack(m_floor.GetCaptionBottomRight(1));
    EXPECT_EQ(topLeft.x, 0);
    EXPECT_EQ(topLeft.y, 20);
    EXPECT_EQ(bottomRight.x, 300);
    EXPECT_EQ(bottomRight.y, 40);
    m_floor.SetPageCaptionHeight(0, 0);
    EXPECT_EQ(Unpack(m_floor.GetCaptionTopLeft(1)).y, 0);
    m_floor.SetSleep(7);
    EXPECT_EQ(m_floor.GetSleep(), 7);
}

TEST_F(FloorWndTest, CaptionClicksFireEventsToTheHost)
{
    AddPageWithWindow("A");
    AddPageWithWindow("B");
    ClickCaption(1, false);
    EXPECT_EQ(m_host.selected, std::vector<long>{1});
    EXPECT_EQ(m_floor.GetActivePage(), 1);
    ClickCaption(0, true);
    EXPECT_EQ(m_host.captionEdits, std::vector<long>{0});
    EXPECT_EQ(m_host.selected.back(), 0);
}

} // namespace
