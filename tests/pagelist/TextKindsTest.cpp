// The text and button kinds on a real page list with a fake control: the edit opened over the
// value cell, its commits, the button presses, and hosts whose handlers end the row, the rows
// or the list while a kind is still at work.
#include "ButtonKind.h"
#include "ControlsFactory.h"
#include "EditButtonKind.h"
#include "EditKind.h"
#include "LinkKind.h"
#include "PageListCtrl.h"
#include "ReturnKind.h"
#include "TestKinds.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

enum Row { kEditRow, kEditButtonRow, kButtonRow, kReturnRow, kLinkRow };


class TextKindsTest : public PageListFixture<CPageListCtrl> {
protected:
    void SetUp() override
    {
        PageListFixture::SetUp();
        RegisterControlsClass("CControlsWnd_CEdit", &NewControlsObject<CControlsWnd_CEdit>);
        RegisterControlsClass("CControlsWnd_CEditButton", &NewControlsObject<CControlsWnd_CEditButton>);
        RegisterControlsClass("CControlsWnd_CButton", &NewControlsObject<CControlsWnd_CButton>);
        RegisterControlsClass("CControlsWnd_CReturn", &NewControlsObject<CControlsWnd_CReturn>);
        RegisterControlsClass("CControlsWnd_CLink", &NewControlsObject<CControlsWnd_CLink>);
        AddRow("Caption", "Edit", "hello");
        AddRow("Picture", "EditButton", "logo.png");
        AddRow("Refresh", "Button", "now");
        AddRow("Next", "Return", "page 2");
        AddRow("Help", "Link", "index");
    }
    void TearDown() override
    {
        m_owner.onEvent = nullptr;
        PageListFixture::TearDown();
    }

    void AddRow(const char* pszName, const char* pszAs, const char* pszValue)
    {
        const int nRow = m_list.AddItemFromText(pszName, pszAs, "Enable", "");
        m_list.SetItemValue(nRow, pszValue);
    }

    // The row's object as the page list holds it while the row is selected.
    CControlsWnd* Activate(int nRow)
    {
        m_list.ReleaseActive();
        return m_list.ActivateRow(nRow) ? m_list.GetActiveControlsWnd() : nullptr;
    }

    // The active Edit or EditButton row opened; its edit window.
    HWND Open(int nRow, int nMode)
    {
        CControlsWnd* pObj = Activate(nRow);
        if (!pObj)
            return nullptr;
        pObj->ShowEditor(nMode);
        m_owner.events.clear();
        return Edit();
    }

    HWND Edit() const { return GetDlgItem(m_list.m_hWnd, static_cast<int>(CDropEdit::kEditId)); }

    static void Type(HWND hEdit, const std::string& text)
    {
        for (const char c : text)
            SendMessageW(hEdit, WM_CHAR, static_cast<WPARAM>(c), 0);
    }

    // Through the queue, as the keyboard would.
    static void Press(HWND hEdit, UINT nKey)
    {
        PostMessageW(hEdit, WM_KEYDOWN, nKey, 1);
        PumpUntilIdle();
    }

    static std::string Text(HWND hWnd)
    {
        wchar_t text[256] = {};
        GetWindowTextW(hWnd, text, 256);
        return std::string(text, text + lstrlenW(text));
    }
};

TEST_F(TextKindsTest, EditOpensOverTheCellWithItsTextAndTheCaretAtTheEnd)
{
    CControlsWnd* pObj = Activate(kEditRow);
    ASSERT_NE(nullptr, pObj);
    EXPECT_EQ("CControlsWnd_CEdit", pObj->GetClassName());
    const HWND hEdit = Edit();
    ASSERT_NE(nullptr, hEdit);
    EXPECT_EQ(pObj->m_pEditor->m_hWnd, hEdit);
    EXPECT_FALSE(IsWindowVisible(hEdit)) << "made hidden";
    EXPECT_EQ(0, GetWindowLongW(hEdit, GWL_STYLE) & WS_BORDER);
    EXPECT_NE(0, GetWindowLongW(hEdit, GWL_STYLE) & ES_AUTOHSCROLL);

    m_owner.events.clear();
    pObj->ShowEditor(0);
    EXPECT_EQ(Events{Changing(kEditRow)}, m_owner.events);
    EXPECT_TRUE(IsWindowVisible(hEdit));
    EXPECT_EQ(hEdit, GetFocus());
    EXPECT_EQ("hello", Text(hEdit));
    DWORD nStart = 0, nEnd = 0;
    SendMessageW(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&nStart), reinterpret_cast<LPARAM>(&nEnd));
    EXPECT_EQ(5u, nStart);
    EXPECT_EQ(5u, nEnd);
    EXPECT_EQ(m_list.GetItemFont(), reinterpret_cast<HFONT>(SendMessageW(hEdit, WM_GETFONT, 0, 0)));

    RECT cell = {};
    ASSERT_NE(nullptr, m_list.GetCellRect(&cell, kEditRow));
    RECT placed = {};
    GetWindowRect(hEdit, &placed);
    MapWindowPoints(nullptr, m_list.m_hWnd, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(cell.left + 2, placed.left);
    EXPECT_EQ(cell.top + 2, placed.top);
    EXPECT_EQ(cell.right, placed.right);
    EXPECT_EQ(cell.bottom - 1, placed.bottom);

    pObj->HideEditor(TRUE);
    EXPECT_TRUE(IsWindowVisible(hEdit)) << "hiding is left to the focus loss";
    pObj->DoDefaultAction();
    EXPECT_EQ(Events{Changing(kEditRow)}, m_owner.events);
}

TEST_F(TextKindsTest, EscapeLeavesTheEditOpenAndTheFocusLeavingCommits)
{
    const HWND hEdit = Open(kEditRow, 0);
    ASSERT_NE(nullptr, hEdit);
    Type(hEdit, "!");
    Press(hEdit, VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(hEdit));
    EXPECT_EQ(hEdit, GetFocus());
    EXPECT_EQ("hello!", Text(hEdit));
    EXPECT_TRUE(m_owner.events.empty());

    SetFocus(m_hFrame);
    EXPECT_EQ(Events{Changed(kEditRow, TRUE)}, m_owner.events);
    EXPECT_EQ("hello!", Value(kEditRow));
    EXPECT_FALSE(IsWindowVisible(hEdit));
}

TEST_F(TextKindsTest, EditPaintsTheEditorColourOnWhite)
{
    // Another window colour, so that white can only be the edit's own background.
    const int nIndex = COLOR_WINDOW;
    const COLORREF crWindow = GetSysColor(nIndex);
    const COLORREF crOther = RGB(255, 255, 128);
    SetSysColors(1, &nIndex, &crOther);
    m_list.SetItemValue(kEditRow, "WWWWWW");
    const HWND hEdit = Open(kEditRow, 0);
    ASSERT_NE(nullptr, hEdit);
    HideCaret(hEdit);
    RedrawWindow(hEdit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpUntilIdle();
    const WindowImage image = WindowImage::Capture(hEdit);
    SetSysColors(1, &nIndex, &crWindow);
    ASSERT_FALSE(image.IsEmpty());

    int nWhite = 0, nBlue = 0, nOther = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const COLORREF c = image.Pixel(x, y);
            if (c == RGB(255, 255, 255))
                ++nWhite;
            else if (GetBValue(c) > 150 && GetRValue(c) < 100 && GetGValue(c) < 100)
                ++nBlue;
            else if (GetBValue(c) < GetRValue(c) || GetBValue(c) < GetGValue(c))
                ++nOther; // neither white nor blue, nor the blend of the two at a letter's edge
        }
    }
    EXPECT_GT(nWhite, image.Width() * image.Height() / 2);
    EXPECT_GT(nBlue, 20) << "blue letters";
    EXPECT_EQ(0, nOther);
}

} // namespace
