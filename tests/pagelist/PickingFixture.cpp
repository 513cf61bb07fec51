#include "PickingFixture.h"

#include "BoolComboBoxKind.h"
#include "ColorComboBoxKind.h"
#include "ComboBoxKind.h"
#include "ControlsFactory.h"
#include "Pump.h"
#include "Text.h"
#include "UserComboBoxKind.h"

#include <algorithm>

namespace {

CControlsWndPtr NoObject()
{
    return nullptr;
}

BOOL CALLBACK CollectShown(HWND hWnd, LPARAM lParam)
{
    auto* pFound = reinterpret_cast<std::pair<const wchar_t*, std::vector<HWND>>*>(lParam);
    wchar_t className[64] = {};
    GetClassNameW(hWnd, className, 64);
    if (lstrcmpiW(className, pFound->first) == 0 && IsWindowVisible(hWnd))
        pFound->second.push_back(hWnd);
    return TRUE;
}

} // namespace

CPickingOwner::CPickingOwner()
{
    std::fill_n(customColors, kCustomColorCount, RGB(255, 255, 255));
}

void CPickingOwner::FireSelectItem(long nPage, long nRow)
{
    CFakeOwner::FireSelectItem(nPage, nRow);
    Run("SelectItem");
}

void CPickingOwner::FirePropertyChanging(long nPage, long nRow)
{
    CFakeOwner::FirePropertyChanging(nPage, nRow);
    Run("PropertyChanging");
}

void CPickingOwner::FirePropertyChanged(long nPage, long nRow, BOOL bUpdate)
{
    CFakeOwner::FirePropertyChanged(nPage, nRow, bUpdate);
    Run("PropertyChanged");
}

bool CPickingOwner::FireLoadItems(long nPage, long nRow, std::string* pItems)
{
    const bool bAnswered = CFakeOwner::FireLoadItems(nPage, nRow, pItems);
    Run("LoadItems");
    return bAnswered;
}

void CPickingOwner::GetCustomColors(COLORREF crColors[kCustomColorCount]) const
{
    std::copy_n(customColors, kCustomColorCount, crColors);
}

void CPickingOwner::SetCustomColors(const COLORREF crColors[kCustomColorCount])
{
    if (std::equal(crColors, crColors + kCustomColorCount, customColors))
        return;
    std::copy_n(crColors, kCustomColorCount, customColors);
    events.emplace_back("CustomColorChange", -1, -1, FALSE);
    Run("CustomColorChange");
}

std::vector<std::string> CPickingOwner::Heard() const
{
    std::vector<std::string> heard;
    for (const FiredEvent& event : events) {
        std::string strLine = std::get<0>(event);
        if (strLine != "CustomColorChange")
            strLine += FormatText(" %ld", std::get<2>(event));
        if (strLine.rfind("PropertyChanged", 0) == 0)
            strLine += FormatText(" %d", std::get<3>(event));
        heard.push_back(strLine);
    }
    return heard;
}

void CPickingOwner::Run(const std::string& strEvent)
{
    if (onEvent)
        onEvent(strEvent);
}

void PickingTest::SetUp()
{
    RegisterTestKinds();
    RegisterControlsClass("CControlsWnd_CComboBox", &NewControlsObject<CControlsWnd_CComboBox>);
    RegisterControlsClass("CControlsWnd_CBoolComboBox", &NewControlsObject<CControlsWnd_CBoolComboBox>);
    RegisterControlsClass("CControlsWnd_CUserComboBox", &NewControlsObject<CControlsWnd_CUserComboBox>);
    RegisterControlsClass("CControlsWnd_CColorComboBox", &NewControlsObject<CControlsWnd_CColorComboBox>);
    m_hFrame = CreateTestFrame(420, 300);
    m_pList = std::make_unique<CPageListCtrl>(&m_owner, 18);
    ASSERT_TRUE(m_pList->Create(m_hFrame, 1000));
    m_pList->SetPageIndex(3);
    m_pList->MoveWindow(RECT{0, 0, 400, 300});
    const char* const rows[][2] = {{"Choice", "ComboBox"},     {"Visible", "BoolComboBox"}, {"Style", "UserComboBox"},
                                   {"Fore", "ColorComboBox"}, {"Back", "ColorComboBox"},    {"Note", "NoSuchKind"}};
    for (const auto& row : rows)
        m_pList->AddItemFromText(row[0], row[1], "Enable", "");
    m_owner.items = "North\\South\\East\\West";
    PumpUntilIdle();
}

void PickingTest::TearDown()
{
    m_owner.onEvent = nullptr;
    m_pList.reset();
    m_owner.rowMaps.Clear();
    DestroyWindow(m_hFrame);
    PumpUntilIdle();
    EXPECT_TRUE(ShownWindows(L"ListBox").empty()) << "a drop-down is left";
    EXPECT_TRUE(ShownWindows(CColourPopup::kClassName).empty()) << "a popup is left";
    RegisterTestKinds();
    for (const char* pszClass : {"CControlsWnd_CBoolComboBox", "CControlsWnd_CUserComboBox", "CControlsWnd_CColorComboBox"})
        RegisterControlsClass(pszClass, &NoObject);
}

std::string PickingTest::Value(int nRow) const
{
    return m_pList->GetItemText(nRow, m_pList->GetValueColumn());
}

void PickingTest::SetValue(int nRow, const std::string& strValue)
{
    m_pList->SetItemValue(nRow, strValue);
}

void PickingTest::MoveCursor(HWND hWnd, POINT pt)
{
    ClientToScreen(hWnd, &pt);
    SetCursorPos(pt.x, pt.y);
    PumpUntilIdle();
}

void PickingTest::Click(HWND hWnd, POINT pt)
{
    MoveCursor(hWnd, pt);
    SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    if (IsWindow(hWnd))
        SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

void PickingTest::ClickRow(int nRow)
{
    RECT bounds = {};
    m_pList->GetItemRect(nRow, &bounds, LVIR_BOUNDS);
    Click(m_pList->m_hWnd, POINT{40, (bounds.top + bounds.bottom) / 2});
}

void PickingTest::DoubleClickRow(int nRow)
{
    RECT bounds = {};
    m_pList->GetItemRect(nRow, &bounds, LVIR_BOUNDS);
    const POINT pt = {40, (bounds.top + bounds.bottom) / 2};
    const HWND hList = m_pList->m_hWnd;
    Click(hList, pt);
    // The host may delete the page list as it hears of the step.
    SendMessageW(hList, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    if (IsWindow(hList))
        SendMessageW(hList, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

void PickingTest::ClickRowButton(int nRow)
{
    ClickRow(nRow);
    m_pList->Invalidate();
    m_pList->UpdateWindow();
    PumpUntilIdle();
    const RECT button = m_pList->GetButtonRect();
    ASSERT_FALSE(IsRectEmpty(&button)) << "the row shows no button";
    Click(m_pList->m_hWnd, POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    PumpUntilIdle();
}

void PickingTest::Key(HWND hWnd, UINT nKey)
{
    SendMessageW(hWnd, WM_KEYDOWN, nKey, 1);
}

std::vector<HWND> PickingTest::ShownWindows(const wchar_t* pszClass)
{
    std::pair<const wchar_t*, std::vector<HWND>> found(pszClass, {});
    EnumThreadWindows(GetCurrentThreadId(), &CollectShown, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

HWND PickingTest::DropDown()
{
    const std::vector<HWND> shown = ShownWindows(L"ListBox");
    return shown.size() == 1 ? shown[0] : nullptr;
}

CColourPopup* PickingTest::Popup()
{
    const std::vector<HWND> shown = ShownWindows(CColourPopup::kClassName);
    return shown.size() == 1 ? dynamic_cast<CColourPopup*>(CWnd::FromHandle(shown[0])) : nullptr;
}

std::vector<std::string> PickingTest::Items(HWND hDropDown)
{
    std::vector<std::string> items;
    const int nCount = static_cast<int>(SendMessageW(hDropDown, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(hDropDown, LB_GETTEXTLEN, i, 0)), L'\0');
        SendMessageW(hDropDown, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        items.push_back(WideToUtf8(text));
    }
    return items;
}

RECT PickingTest::ScreenCell(int nRow)
{
    RECT cell = {};
    m_pList->GetCellRect(&cell, nRow);
    MapWindowPoints(m_pList->m_hWnd, nullptr, reinterpret_cast<POINT*>(&cell), 2);
    return cell;
}

void PickingTest::MoveFrameTo(int nScreenY)
{
    RECT frame = {};
    GetWindowRect(m_hFrame, &frame);
    POINT origin = {0, 0};
    ClientToScreen(m_pList->m_hWnd, &origin);
    SetWindowPos(m_hFrame, nullptr, frame.left, frame.top + nScreenY - origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpUntilIdle();
}

CShorterWorkArea::CShorterWorkArea(int nShorter)
{
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &m_rcBefore, 0);
    m_rcShorter = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) - nShorter};
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &m_rcShorter, 0);
}

CShorterWorkArea::~CShorterWorkArea()
{
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &m_rcBefore, 0);
}
