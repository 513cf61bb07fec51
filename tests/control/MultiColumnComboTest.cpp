// The multi-column combo on its own, in a parent window of a test frame: its size and its
// drop-down's place, typing and prefix selection, the keys of its edit, the mouse in its list,
// the message to its parent, the parent's OK and Cancel, and the window procedures it puts back.
#include "MultiColumnComboBox.h"
#include "Pump.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

RECT GetWindowRectOf(HWND hWnd)
{
    RECT rect = {};
    GetWindowRect(hWnd, &rect);
    return rect;
}

// A parent that counts the combo's selection messages.
class CComboParent : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> m_selChanges;
    int m_nOk = 0;
    int m_nCancel = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CMultiColumnComboBox::SelChangeMessage()) {
            m_selChanges.emplace_back(wParam, lParam);
            return 0;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
            ++m_nOk;
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
            ++m_nCancel;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

const char* const kFruits[][3] = {
    {"Apple", "red", "12"},    {"Apricot", "orange", "7"}, {"Banana", "yellow", "30"},
    {"blueberry", "blue", "3"}, {"Cherry", "dark red", "5"}, {"Damson", "purple", "9"},
    {"Elderberry", "black", "2"}, {"Fig", "green", "4"},
};
const int kFruitCount = static_cast<int>(sizeof(kFruits) / sizeof(kFruits[0]));

class MultiColumnCombo : public testing::Test {
protected:
    static constexpr UINT kComboId = 77;

    void SetUp() override
    {
        m_hFrame = CreateTestFrame(400, 300);
        CWnd::RegisterWindowClass(L"ComboParent");
        ASSERT_TRUE(m_parent.Create(L"ComboParent", "", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 400, 300}, m_hFrame, 1));
        m_pfnParentProc = GetWindowLongPtrW(m_parent.m_hWnd, GWLP_WNDPROC);
        ASSERT_TRUE(m_combo.Create(CMultiColumnComboBox::kClassName, "", WS_CHILD | WS_VISIBLE, 0, RECT{20, 20, 220, 60},
                                   m_parent.m_hWnd, kComboId));
        CListCtrl* pList = m_combo.GetListCtrl();
        ASSERT_NE(pList, nullptr);
        for (int nColumn = 0; nColumn < 3; ++nColumn)
            pList->InsertColumn(nColumn, "c" + std::to_string(nColumn), LVCFMT_LEFT, 60);
        for (int nRow = 0; nRow < kFruitCount; ++nRow) {
            pList->InsertItem(nRow, kFruits[nRow][0]);
            pList->SetItemText(nRow, 1, kFruits[nRow][1]);
            pList->SetItemText(nRow, 2, kFruits[nRow][2]);
        }
        PumpUntilIdle();
    }
    void TearDown() override
    {
        m_combo.DestroyWindow();
        DestroyWindow(m_hFrame);
        PumpUntilIdle();
    }

    HWND Edit() { return m_combo.GetEditCtrl()->m_hWnd; }
    HWND List() { return m_combo.GetListCtrl()->m_hWnd; }
    void Type(const std::string& text) { m_combo.GetEditCtrl()->SetWindowText(text); }
    void Key(WPARAM nKey) { SendMessageW(Edit(), WM_KEYDOWN, nKey, 0); }
    std::string EditText() { return m_combo.GetEditCtrl()->GetWindowText(); }
    void DropDown()
    {
        m_combo.ShowDropDown(TRUE);
        PumpUntilIdle();
    }

    HWND m_hFrame = nullptr;
    CComboParent m_parent;
    LONG_PTR m_pfnParentProc = 0;
    CMultiColumnComboBox m_combo{0};
};

TEST_F(MultiColumnCombo, IsSeventeenPixelsHighWithItsListUnderneathShiftedRight)
{
    const RECT combo = m_combo.GetWindowRect();
    EXPECT_EQ(combo.bottom - combo.top, CMultiColumnComboBox::kHeight);
    DropDown();
    ASSERT_TRUE(m_combo.IsDroppedDown());
    const RECT list = GetWindowRectOf(List());
    EXPECT_EQ(list.top, combo.bottom);
    EXPECT_EQ(list.bottom - list.top, 5 * CMultiColumnComboBox::kHeight);
    EXPECT_EQ(list.left, combo.left + 3);
    EXPECT_EQ(list.right, combo.right + 1);
}

TEST_F(MultiColumnCombo, TheOpenListIsSeenAboveTheFrame)
{
    DropDown();
    const RECT list = GetWindowRectOf(List());
    const POINT middle = {(list.left + list.right) / 2, (list.top + list.bottom) / 2};
    const HWND hSeen = WindowFromPoint(middle);
    EXPECT_TRUE(hSeen == List() || IsChild(List(), hSeen));
}

TEST_F(MultiColumnCombo, ExtraWidthGrowsToTheLeftAndSettingsKeepAbsoluteValues)
{
    EXPECT_EQ(m_combo.SetDropDownLines(-3), 5);
    EXPECT_EQ(m_combo.GetDropDownLines(), 3);
    EXPECT_DOUBLE_EQ(m_combo.SetDropDownWidthRatio(-0.5), 0.0);
    EXPECT_DOUBLE_EQ(m_combo.GetDropDownWidthRatio(), 0.5);
    DropDown();
    const RECT combo = m_combo.GetWindowRect();
    const RECT list = GetWindowRectOf(List());
    const int nWidth = combo.right - combo.left;
    EXPECT_EQ(list.bottom - list.top, 3 * CMultiColumnComboBox::kHeight);
    EXPECT_EQ(list.right, combo.right + 1);
    EXPECT_EQ(list.right - list.left, (nWidth - 2) + (nWidth - 2) / 2);
}

TEST_F(MultiColumnCombo, TypingSelectsTheFirstRowWithThePrefixIgnoringCase)
{
    Type("ap");
    EXPECT_EQ(m_combo.GetCurrentSelection(), 0);
    Type("APR");
    EXPECT_EQ(m_combo.GetCurrentSelection(), 1);
    Type("Bl");
    EXPECT_EQ(m_combo.GetCurrentSelection(), 3);
    Type("zzz");
    EXPECT_EQ(m_combo.GetCurrentSelection(), 3) << "no match leaves the selection";
    Type("");
    EXPECT_EQ(m_combo.GetCurrentSelection(), 0) << "the empty prefix matches the first row";
    EXPECT_EQ(m_combo.GetListCtrl()->GetNextItem(-1, LVNI_SELECTED), 0);
    // Nothing is committed by typing.
    EXPECT_TRUE(m_parent.m_selChanges.empty());
    EXPECT_EQ(m_combo.GetCommitted(), -1);
}

TEST_F(MultiColumnCombo, TypingSearchesTheKeyColumn)
{
    m_combo.SetKeyColumn(1);
    Type("DARK");
    EXPECT_EQ(m_combo.GetCurrentSelection(), 4);
    Type("b");
    EXPECT_EQ(m_combo.GetCurrentSelection(), 3);
}

TEST_F(MultiColumnCombo, ArrowsMoveTheSelectionAndEnterCommitsTheKeyTextToTheParent)
{
    DropDown();
    EXPECT_EQ(GetFocus(), Edit());
    EXPECT_EQ(CMultiColumnComboBox::GetActive(), &m_combo);
    EXPECT_EQ(m_combo.GetCurrentSelection(), -1) << "nothing committed, nothing selected";
    Type("ban");
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(m_combo.GetCurrentSelection(), 4);
    Key(VK_UP);
    EXPECT_EQ(m_combo.GetCurrentSelection(), 3);
    EXPECT_TRUE(m_parent.m_selChanges.empty());
    Key(VK_RETURN);
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_EQ(EditText(), "blueberry");
    EXPECT_EQ(m_combo.GetCommitted(), 3);
    ASSERT_EQ(m_parent.m_selChanges.size(), 1u);
    EXPECT_EQ(m_parent.m_selChanges[0].first, kComboId);
    EXPECT_EQ(reinterpret_cast<HWND>(m_parent.m_selChanges[0].second), m_combo.m_hWnd);
    // Opened again, the committed row is the selected one.
    DropDown();
    EXPECT_EQ(m_combo.GetCurrentSelection(), 3);
    EXPECT_EQ(m_combo.GetListCtrl()->GetNextItem(-1, LVNI_SELECTED), 3);
}

TEST_F(MultiColumnCombo, EscapeClosesWithoutCommittingAndF4Toggles)
{
    SetFocus(Edit());
    Key(VK_F4);
    EXPECT_TRUE(m_combo.IsDroppedDown());
    EXPECT_EQ(GetCapture(), List());
    Key(VK_DOWN);
    Key(VK_ESCAPE);
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_EQ(EditText(), "");
    EXPECT_TRUE(m_parent.m_selChanges.empty());
    Key(VK_F4);
    EXPECT_TRUE(m_combo.IsDroppedDown());
    Key(VK_F4);
    EXPECT_FALSE(m_combo.IsDroppedDown());
}

TEST_F(MultiColumnCombo, TheSelectionFollowsTheMouseAndAClickInARowCommitsIt)
{
    DropDown();
    const POINT point = PointInRow(List(), 2, 10);
    SendMessageW(List(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(m_combo.GetCurrentSelection(), 2);
    ClickAt(List(), point);
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_EQ(EditText(), "Banana");
    EXPECT_EQ(m_parent.m_selChanges.size(), 1u);
    EXPECT_EQ(GetFocus(), Edit()) << "the hidden list does not take the focus";
    EXPECT_EQ(GetCapture(), nullptr) << "nor the mouse";
}

TEST_F(MultiColumnCombo, AClickOutsideTheListClosesItWithoutCommitting)
{
    DropDown();
    ClickAt(List(), POINT{-200, -40});
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_EQ(EditText(), "");
    EXPECT_TRUE(m_parent.m_selChanges.empty());
    EXPECT_EQ(GetCapture(), nullptr) << "the next click goes where it is aimed";
}

TEST_F(MultiColumnCombo, TheDropButtonOpensAndTheNextClickClosesTheList)
{
    const RECT client = m_combo.GetClientRect();
    const POINT button = {client.right - 4, client.bottom / 2};
    ClickAt(m_combo.m_hWnd, button);
    EXPECT_TRUE(m_combo.IsDroppedDown());
    POINT inList = button;
    MapWindowPoints(m_combo.m_hWnd, List(), &inList, 1);
    ClickAt(List(), inList);
    EXPECT_FALSE(m_combo.IsDroppedDown());
}

TEST_F(MultiColumnCombo, AHiddenComboDoesNotDropDown)
{
    m_combo.ShowWindow(SW_HIDE);
    m_combo.ShowDropDown(TRUE);
    EXPECT_FALSE(m_combo.IsDroppedDown());
}

TEST_F(MultiColumnCombo, OkFromTheParentCommitsAndIsTakenCancelOnlyClosesTheOpenList)
{
    DropDown();
    Key(VK_DOWN);
    SendMessageW(m_parent.m_hWnd, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(m_parent.m_nOk, 0) << "the parent never sees the OK";
    EXPECT_EQ(EditText(), "Apple");
    EXPECT_EQ(m_parent.m_selChanges.size(), 1u);
    DropDown();
    SendMessageW(m_parent.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_EQ(m_parent.m_nCancel, 0);
    // Closed, the Cancel is the parent's again.
    SendMessageW(m_parent.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(m_parent.m_nCancel, 1);
}

TEST_F(MultiColumnCombo, LosingTheFocusClosesTheListAndEndsTheActiveCombo)
{
    DropDown();
    SetFocus(m_parent.m_hWnd);
    EXPECT_FALSE(m_combo.IsDroppedDown());
    EXPECT_EQ(CMultiColumnComboBox::GetActive(), nullptr);
}

TEST_F(MultiColumnCombo, ItsEndPutsTheWindowProceduresItReplacedBack)
{
    const HWND hList = List();
    EXPECT_NE(GetWindowLongPtrW(m_parent.m_hWnd, GWLP_WNDPROC), m_pfnParentProc);
    DropDown();
    m_combo.DestroyWindow();
    EXPECT_EQ(GetWindowLongPtrW(m_parent.m_hWnd, GWLP_WNDPROC), m_pfnParentProc);
    EXPECT_FALSE(IsWindow(hList));
    EXPECT_EQ(CMultiColumnComboBox::GetActive(), nullptr);
    // The parent still works.
    SendMessageW(m_parent.m_hWnd, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(m_parent.m_nOk, 1);
}

TEST_F(MultiColumnCombo, TwoCombosShareTheirParentsHookUntilTheLastGoes)
{
    CMultiColumnComboBox second(0);
    ASSERT_TRUE(second.Create(CMultiColumnComboBox::kClassName, "", WS_CHILD | WS_VISIBLE, 0, RECT{20, 100, 220, 140},
                              m_parent.m_hWnd, kComboId + 1));
    m_combo.DestroyWindow();
    EXPECT_NE(GetWindowLongPtrW(m_parent.m_hWnd, GWLP_WNDPROC), m_pfnParentProc);
    second.GetListCtrl()->InsertColumn(0, "c", LVCFMT_LEFT, 60);
    second.GetListCtrl()->InsertItem(0, "only");
    second.ShowDropDown(TRUE);
    SendMessageW(second.GetEditCtrl()->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(m_parent.m_hWnd, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(second.GetEditCtrl()->GetWindowText(), "only");
    second.DestroyWindow();
    EXPECT_EQ(GetWindowLongPtrW(m_parent.m_hWnd, GWLP_WNDPROC), m_pfnParentProc);
}

} // namespace
