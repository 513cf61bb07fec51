// The DataComboBox kind on a real page list with a fake control: the date picker kept with the
// row, placed over the cell on the row's date, every change made with the keys committed at
// once as the text the picker shows, and texts that name no date.
#include "ControlsFactory.h"
#include "DateKind.h"
#include "RowMaps.h"
#include "TestKinds.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {


// A date as the user's short date format writes it, as the picker shows it.
std::string ShortDate(WORD nYear, WORD nMonth, WORD nDay)
{
    SYSTEMTIME time = {};
    time.wYear = nYear;
    time.wMonth = nMonth;
    time.wDay = nDay;
    wchar_t text[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 64);
    return WideToUtf8(text);
}

std::string Text(HWND hWnd)
{
    wchar_t text[128] = {};
    GetWindowTextW(hWnd, text, 128);
    return WideToUtf8(text);
}

class DateKindTest : public PageListFixture<CPageListCtrl> {
protected:
    void SetUp() override
    {
        PageListFixture::SetUp();
        RegisterControlsClass("CControlsWnd_CDataComboBox", &NewControlsObject<CControlsWnd_CDataComboBox>);
        m_list.AddItemFromText("Delivered", "DataComboBox", "Enable", "");
        m_list.AddItemFromText("Invoiced", "DataComboBox", "Enable", "");
        m_list.SetItemValue(0, ShortDate(2021, 3, 14));
    }
    void TearDown() override
    {
        m_owner.onEvent = nullptr;
        PageListFixture::TearDown();
    }

    CControlsWnd* Activate(int nRow)
    {
        m_list.ReleaseActive();
        return m_list.ActivateRow(nRow) ? m_list.GetActiveControlsWnd() : nullptr;
    }
    HWND Picker(int nRow)
    {
        CControlsWnd* pObj = FindControlsWnd(&m_list, nRow);
        return pObj && pObj->m_pEditor ? pObj->m_pEditor->m_hWnd : nullptr;
    }
    // Opens the row's picker and moves the keyboard into its first field.
    HWND Open(int nRow)
    {
        CControlsWnd* pObj = Activate(nRow);
        if (!pObj)
            return nullptr;
        pObj->ShowEditor(0);
        const HWND hPicker = Picker(nRow);
        SetFocus(hPicker);
        Key(hPicker, VK_RIGHT);
        m_owner.events.clear();
        return hPicker;
    }
    static void Key(HWND hPicker, UINT nKey)
    {
        PostMessageW(hPicker, WM_KEYDOWN, nKey, 1);
        PostMessageW(hPicker, WM_KEYUP, nKey, 0xC0000001);
        PumpUntilIdle();
    }
};

TEST_F(DateKindTest, ShowingPlacesThePickerOverTheCellOnTheRowsDateAndLeavesTheFocus)
{
    CControlsWnd* pObj = Activate(0);
    SetFocus(m_list.m_hWnd);
    m_owner.events.clear();
    pObj->ShowEditor(0);
    EXPECT_EQ(Events{Changing(0)}, m_owner.events) << "even when nothing changes afterwards";
    const HWND hPicker = Picker(0);
    EXPECT_TRUE(IsWindowVisible(hPicker));
    EXPECT_EQ(m_list.m_hWnd, GetFocus());
    RECT cell = {}, placed = {};
    m_list.GetCellRect(&cell, 0);
    GetWindowRect(hPicker, &placed);
    MapWindowPoints(nullptr, m_list.m_hWnd, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_TRUE(EqualRect(&cell, &placed));
    EXPECT_EQ(ShortDate(2021, 3, 14), Text(hPicker));
    PumpUntilIdle();
    EXPECT_EQ(Events{Changing(0)}, m_owner.events);
}

// A person drops the calendar with the picker's arrow and clicks a day in it.
TEST_F(DateKindTest, ADayPickedInTheCalendarIsCommittedOnce)
{
    CControlsWnd* pObj = Activate(0);
    pObj->ShowEditor(0);
    const HWND hPicker = Picker(0);
    RECT client = {};
    GetClientRect(hPicker, &client);
    const LPARAM arrow = MAKELPARAM(client.right - 6, client.bottom / 2);
    SendMessageW(hPicker, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
    SendMessageW(hPicker, WM_LBUTTONUP, 0, arrow);
    PumpUntilIdle();
    const HWND hCalendar = reinterpret_cast<HWND>(SendMessageW(hPicker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(nullptr, hCalendar);
    ASSERT_TRUE(IsWindowVisible(hCalendar));
    // Where the calendar shows the 20th of March.
    RECT area = {};
    GetClientRect(hCalendar, &area);
    POINT day = {-1, -1};
    for (int y = 0; y < area.bottom && day.x < 0; y += 2) {
        for (int x = 0; x < area.right && day.x < 0; x += 2) {
            MCHITTESTINFO hit = {};
            hit.cbSize = MCHITTESTINFO_V1_SIZE;
            hit.pt = POINT{x, y};
            SendMessageW(hCalendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.uHit == MCHT_CALENDARDATE && hit.st.wMonth == 3 && hit.st.wDay == 20)
                day = hit.pt;
        }
    }
    ASSERT_GE(day.x, 0);
    m_owner.events.clear();
    SendMessageW(hCalendar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(day.x, day.y));
    SendMessageW(hCalendar, WM_LBUTTONUP, 0, MAKELPARAM(day.x, day.y));
    PumpUntilIdle();
    EXPECT_EQ(Events{Changed(0, TRUE)}, m_owner.events);
    EXPECT_EQ(ShortDate(2021, 3, 20), Value(0));
    EXPECT_EQ(Value(0), Text(hPicker));
    EXPECT_FALSE(IsWindow(hCalendar) && IsWindowVisible(hCalendar)) << "the calendar closes";
}

} // namespace
