#include "NCombo.h"
#include "NComboKinds.h"
#include "Pump.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <vector>

namespace {

// A page-list-like host that sinks the combo's pick event from its child with id 0.
class CComboHost : public CWnd, public CEventSinkTarget {
public:
    std::vector<long> picks;

protected:
    void OnRowPicked(DISPPARAMS* pParams) { picks.push_back(ArgLong(pParams, 0)); }
    DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(CComboHost, CEventSinkTarget)
    ON_EVENT(0, kNComboRowPickedEvent, OnRowPicked)
END_EVENTSINK_MAP(CEventSinkTarget)

BOOL CALLBACK TakeVisibleList(HWND hWnd, LPARAM lParam)
{
    wchar_t className[64] = {};
    GetClassNameW(hWnd, className, 64);
    if (wcscmp(className, WC_LISTVIEWW) != 0 || !IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The drop-down: the thread's visible top-level report list.
HWND FindDropDownList()
{
    HWND hFound = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeVisibleList, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

class NComboWrapperTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_hFrame = CreateTestFrame(320, 320);
        CWnd::RegisterWindowClass(L"ComboHost");
        ASSERT_TRUE(m_host.Create(L"ComboHost", "", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 300, 300}, m_hFrame, 1));
        ASSERT_TRUE(m_combo.Create(m_host.m_hWnd, &m_host));
        m_combo.SetDropDownHeight(128);
        EXPECT_EQ(m_combo.InsertColumn(0, "Id", 128, 0, TRUE, TRUE), 0);
        EXPECT_EQ(m_combo.InsertColumn(1, "Name", 128, 0, TRUE, TRUE), 1);
        const char* names[] = {"Ada", "Brian", "Claude"};
        for (long r = 0; r < 3; ++r) {
            EXPECT_EQ(m_combo.InsertItem(r, std::to_string(r + 1)), r);
            EXPECT_TRUE(m_combo.SetItemText(r, 1, names[r]));
            EXPECT_TRUE(m_combo.SetItemData(r, 500 + r));
        }
    }
    void TearDown() override
    {
        m_combo.DestroyControl();
        m_host.DestroyWindow();
        DestroyWindow(m_hFrame);
    }

    void ShowOverCell()
    {
        m_combo.MoveControl(RECT{10, 10, 250, 10 + m_combo.GetControlHeight()});
        m_combo.Activate(TRUE);
        PumpUntilIdle();
    }

    HWND View() const { return GetWindow(m_combo.m_hWnd, GW_CHILD); }

    HWND m_hFrame = nullptr;
    CComboHost m_host;
    CNCombo m_combo;
};

TEST_F(NComboWrapperTest, FilledByDispatchIdAndReadBack)
{
    EXPECT_FALSE(m_combo.IsWindowVisible()); // made hidden
    EXPECT_EQ(m_combo.GetColumnCount(), 2);
    EXPECT_EQ(m_combo.GetCellText(1, 1), "Brian");
    EXPECT_EQ(m_combo.GetCellText(2, 0), "3");
    EXPECT_EQ(m_combo.GetItemData(2), 502);
    EXPECT_EQ(m_combo.GetSelectedRow(), -1);
    EXPECT_GT(m_combo.GetControlHeight(), 10);
    ShowOverCell();
    EXPECT_TRUE(m_combo.IsWindowVisible());
    EXPECT_EQ(GetFocus(), View());
    m_combo.Activate(FALSE);
    EXPECT_FALSE(m_combo.IsWindowVisible());
    EXPECT_EQ(GetFocus(), m_host.m_hWnd);
}

TEST_F(NComboWrapperTest, MousePickFiresEventTwoWithTheRow)
{
    ShowOverCell();
    SendMessageW(View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    HWND hList = FindDropDownList();
    ASSERT_NE(hList, nullptr);
    RECT row = {};
    row.left = LVIR_BOUNDS;
    SendMessageW(hList, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    const LPARAM point = MAKELPARAM(row.left + 10, (row.top + row.bottom) / 2);
    SendMessageW(hList, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(hList, WM_LBUTTONUP, 0, point);
    PumpUntilIdle();
    EXPECT_EQ(m_host.picks, std::vector<long>{2});
    EXPECT_EQ(m_combo.GetSelectedRow(), 2);
}

TEST_F(NComboWrapperTest, FailedCallsRaiseTheDriversException)
{
    CDispatchDriver driver(m_combo.GetControlDispatch());
    EXPECT_THROW(driver.Call(999, VT_EMPTY), CDispatchException);                 // no such member
    EXPECT_THROW(driver.Call(12, VT_BSTR, {CVariant("x"), CVariant(1L)}), CDispatchException); // wrong type
    EXPECT_EQ(m_combo.GetCellText(0, 1), "Ada");                                  // still working
}

} // namespace
