#include "FloorView.h"
#include "Pump.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The view's events are checked through the real server; here they go nowhere.
class CIgnoredEvents : public CFloorView::CEvents {
public:
    void OnPageSelected(short) override {}
    void OnPageCaptionEdit(short) override {}
};

class FloorViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_hFrame = CreateTestFrame(300, 300);
        ASSERT_TRUE(m_view.Create(m_hFrame, RECT{0, 0, 300, 300}));
    }
    void TearDown() override
    {
        for (HWND hPage : m_pages)
            DestroyWindow(hPage);
        m_view.DestroyWindow();
        DestroyWindow(m_hFrame);
    }

    short AddPageWithWindow(const std::string& caption)
    {
        const short nPage = m_view.AddPage(caption);
        HWND hPage = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, m_view.m_hWnd, nullptr, nullptr, nullptr);
        m_pages.push_back(hPage);
        m_view.SetPageWindow(nPage, hPage);
        return nPage;
    }

    // Whether the page's window covers the view's body exactly.
    bool FillsTheBody(size_t nPage) const
    {
        RECT shown = {};
        GetWindowRect(m_pages[nPage], &shown);
        MapWindowPoints(nullptr, m_view.m_hWnd, reinterpret_cast<POINT*>(&shown), 2);
        const RECT body = m_view.GetBodyRect();
        return EqualRect(&shown, &body) != FALSE;
    }

    static POINT Unpack(long packed) { return POINT{static_cast<short>(packed & 0xFFFF), static_cast<short>(packed >> 16)}; }

    HWND m_hFrame = nullptr;
    CIgnoredEvents m_events;
    CFloorView m_view{m_events};
    std::vector<HWND> m_pages;
};

TEST_F(FloorViewTest, FrontPageFillsTheBodyBelowTheCaptionsBeforeIt)
{
    AddPageWithWindow("A");
    AddPageWithWindow("B");
    AddPageWithWindow("C");
    EXPECT_TRUE(m_view.ActivatePage(2));
    EXPECT_FALSE(m_view.ActivatePage(7));
    EXPECT_EQ(m_view.GetActivePage(), 2);
    EXPECT_TRUE(FillsTheBody(2));
    EXPECT_EQ(m_view.GetBodyRect().top, 3 * CFloorView::kDefaultCaptionHeight); // A, B and C stacked above
}

TEST_F(FloorViewTest, FloorLookStacksLaterCaptionsBelowTheBody)
{
    AddPageWithWindow("A");
    AddPageWithWindow("B");
    AddPageWithWindow("C");
    const POINT aTopLeft = Unpack(m_view.GetCaptionTopLeft(0));
    EXPECT_EQ(aTopLeft.x, 0);
    EXPECT_EQ(aTopLeft.y, 0);
    EXPECT_EQ(Unpack(m_view.GetCaptionBottomRight(0)).y, 20);
    EXPECT_EQ(Unpack(m_view.GetCaptionBottomRight(2)).y, 300);
    EXPECT_EQ(Unpack(m_view.GetCaptionTopLeft(1)).y, 260);
    EXPECT_EQ(Unpack(m_view.GetCaptionBottomRight(1)).x, 300);

    m_view.SetAsFloor(FALSE); // tabs in one row along the top
    EXPECT_EQ(Unpack(m_view.GetCaptionTopLeft(2)).y, 0);
    EXPECT_GT(Unpack(m_view.GetCaptionTopLeft(2)).x, Unpack(m_view.GetCaptionTopLeft(1)).x);
    EXPECT_EQ(m_view.GetBodyRect().top, 20);
}

TEST_F(FloorViewTest, CaptionsAreDrawnInTheBackColour)
{
    AddPageWithWindow("A");
    AddPageWithWindow("B");
    m_view.SetBackColor(RGB(0, 128, 0));
    m_view.UpdateWindow();
    PumpUntilIdle();
    const WindowImage image = WindowImage::Capture(m_view.m_hWnd);
    EXPECT_EQ(image.Pixel(5, 10), RGB(0, 128, 0));     // inside the first caption
    EXPECT_EQ(image.Pixel(5, 290), RGB(0, 128, 0));    // second caption, at the bottom
}

TEST_F(FloorViewTest, AnimatedActivationEndsWithThePageInTheBody)
{
    AddPageWithWindow("A");
    AddPageWithWindow("B");
    m_view.SetAnimation(TRUE);
    m_view.SetSleep(1);
    EXPECT_TRUE(m_view.ActivatePage(1));
    EXPECT_TRUE(FillsTheBody(1));
}

TEST_F(FloorViewTest, NoSleepValueHoldsThePageChangeForLong)
{
    AddPageWithWindow("A");
    AddPageWithWindow("B");
    m_view.SetAnimation(TRUE);
    m_view.SetSleep(65535);
    EXPECT_EQ(m_view.GetSleep(), 65535);
    const ULONGLONG nStart = GetTickCount64();
    EXPECT_TRUE(m_view.ActivatePage(1));
    // Unbounded, eight steps of 65.5 s each; bounded, well under a second.
    EXPECT_LT(GetTickCount64() - nStart, 2000u);
    EXPECT_TRUE(FillsTheBody(1));
}

} // namespace
