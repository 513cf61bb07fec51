#include "NComboView.h"
#include "Pump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CRecordingEvents : public CNComboView::CEvents {
public:
    std::vector<long> picks;
    void OnRowPicked(long nRow) override { picks.push_back(nRow); }
};

class NComboViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_hFrame = CreateTestFrame(300, 300);
        ASSERT_TRUE(m_view.Create(m_hFrame, RECT{10, 10, 260, 32}));
        EXPECT_EQ(m_view.InsertColumn(0, "Code", 60, LVCFMT_LEFT, TRUE), 0);
        EXPECT_EQ(m_view.InsertColumn(1, "Country", 128, LVCFMT_LEFT, TRUE), 1);
        const char* rows[][2] = {{"DE", "Germany"}, {"FR", "France"}, {"GR", "\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1"}};
        for (long r = 0; r < 3; ++r) {
            EXPECT_EQ(m_view.InsertItem(r, rows[r][0]), r);
            EXPECT_TRUE(m_view.SetItemText(r, 1, rows[r][1]));
            EXPECT_TRUE(m_view.SetItemData(r, 100 + r));
        }
    }
    void TearDown() override
    {
        m_view.DestroyWindow();
        DestroyWindow(m_hFrame);
    }

    HWND m_hFrame = nullptr;
    CRecordingEvents m_events;
    CNComboView m_view{m_events};
};

TEST_F(NComboViewTest, CellsAndItemDataReadBack)
{
    EXPECT_EQ(m_view.GetColumnCount(), 2);
    EXPECT_EQ(m_view.GetItemCount(), 3);
    EXPECT_EQ(m_view.GetCellText(1, 1), "France");
    EXPECT_EQ(m_view.GetCellText(2, 1), "\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1");
    EXPECT_EQ(m_view.GetCellText(3, 0), "");
    EXPECT_EQ(m_view.GetCellText(0, 5), "");
    EXPECT_FALSE(m_view.SetItemText(0, 2, "x"));
    EXPECT_EQ(m_view.GetColumnName(1), "Country");

    // A column inserted in front moves the cells right.
    EXPECT_EQ(m_view.InsertColumn(0, "Flag", 20, LVCFMT_LEFT, TRUE), 0);
    EXPECT_EQ(m_view.GetCellText(1, 2), "France");
    EXPECT_EQ(m_view.GetCellText(1, 0), "");
}

TEST_F(NComboViewTest, KeyboardOpensMovesAndPicks)
{
    m_view.SetFocus();
    SendMessageW(m_view.m_hWnd, WM_KEYDOWN, VK_F4, 0);
    ASSERT_TRUE(m_view.IsListOpen());
    EXPECT_EQ(GetFocus(), m_view.GetList().m_hWnd);
    SendMessageW(m_view.GetList().m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(m_view.GetList().m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    PumpUntilIdle();
    EXPECT_EQ(m_events.picks, std::vector<long>{1});
    EXPECT_EQ(m_view.GetSelectedRow(), 1);
    EXPECT_FALSE(m_view.IsListOpen());

    SendMessageW(m_view.m_hWnd, WM_KEYDOWN, VK_DOWN, 0); // closed: the arrows step the pick
    EXPECT_EQ(m_events.picks, (std::vector<long>{1, 2}));
    SendMessageW(m_view.m_hWnd, WM_KEYDOWN, VK_F4, 0);
    SendMessageW(m_view.GetList().m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpUntilIdle();
    EXPECT_FALSE(m_view.IsListOpen());
    EXPECT_EQ(m_events.picks.size(), 2u);
}

TEST_F(NComboViewTest, InsertingAndDeletingRowsKeepsThePickOnItsRow)
{
    m_view.SetSelectedRow(1);
    EXPECT_EQ(m_view.InsertItem(1, "IT"), 1);
    EXPECT_EQ(m_view.GetSelectedRow(), 2);
    EXPECT_TRUE(m_view.DeleteItem(0));
    EXPECT_EQ(m_view.GetSelectedRow(), 1);
    EXPECT_TRUE(m_view.DeleteItem(1));
    EXPECT_EQ(m_view.GetSelectedRow(), -1);
    EXPECT_FALSE(m_view.DeleteItem(4));
    m_view.SetSelectedRow(9);
    EXPECT_EQ(m_view.GetSelectedRow(), -1);
}

} // namespace
