#include "DropEdit.h"

#include "Dpi.h"

#include "ControlsWnd.h"
#include "ItemList.h"
#include "PageListOwner.h"

BEGIN_MESSAGE_MAP(CDropEdit, CEdit)
    ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_MESSAGE_REFLECT(WM_CTLCOLOREDIT, OnCtlColor)
END_MESSAGE_MAP(CEdit)

CDropEdit::CDropEdit() : m_brBack(RGB(255, 255, 255))
{
}

CDropEdit* CDropEdit::SetEditTextColor(COLORREF crText)
{
    m_crText = crText;
    return this;
}

CDropEdit* CDropEdit::CreateForRow(CControlsWnd* pControlsWnd)
{
    CItemList* pList = pControlsWnd ? pControlsWnd->m_pList : nullptr;
    const HWND hList = pList ? pList->GetListWindow() : nullptr;
    if (!hList || !Create(WS_CHILD | ES_AUTOHSCROLL, RECT{0, 0, 0, 0}, hList, kEditId))
        return nullptr;
    SetFont(reinterpret_cast<HFONT>(::SendMessageW(hList, WM_GETFONT, 0, 0)), TRUE);
    m_pControlsWnd = pControlsWnd;
    m_controlsAlive = pControlsWnd->Watch();
    const CPageListOwner* pOwner = pList->GetControl();
    return SetEditTextColor(pOwner ? pOwner->GetEditorColor() : m_crText);
}

void CDropEdit::ShowInCell(int nLeft, int nTop, int nRight, int nBottom)
{
    MoveWindow(RECT{nLeft, nTop, nRight, nBottom}, TRUE);
    ShowWindow(SW_SHOW);
    // The window losing the focus may be another row's edit, which commits; the host's handler
    // may then end this row.
    const CLifeToken::CWatch alive = m_controlsAlive;
    SetFocus();
    if (!alive)
        return;
    SetSel(::GetWindowTextLengthW(m_hWnd), -1);
    SendMessage(EM_SCROLLCARET);
}

void CDropEdit::ShowForRow()
{
    CControlsWnd* pControlsWnd = ControlsWnd();
    RECT rect;
    if (!pControlsWnd || !IsWindow() || !pControlsWnd->GetCellRect(&rect))
        return;
    SetWindowText(pControlsWnd->GetText());
    // A small gap to the cell's grid lines at the left, top and bottom.
    const CDpi dpi = CDpi::OfWindow(m_hWnd);
    ShowInCell(rect.left + dpi.Scale(2), rect.top + dpi.Scale(2), rect.right, rect.bottom - dpi.Scale(1));
}

LRESULT CDropEdit::OnKillFocus(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    CControlsWnd* pControlsWnd = ControlsWnd();
    // An edit closed with its object ends without a word to the row.
    if (!pControlsWnd || pControlsWnd->IsClosing())
        return result;
    // The host's handler of the change may delete the row, its object and so this edit.
    const CLifeToken::CWatch alive = m_controlsAlive;
    std::string strText = GetWindowText();
    pControlsWnd->CommitText(strText, FALSE);
    if (alive)
        ShowWindow(SW_HIDE);
    return result;
}

LRESULT CDropEdit::OnKeyDown(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    CControlsWnd* pControlsWnd = ControlsWnd();
    // Enter ends the edit through the focus loss, which commits and hides it; this edit may be
    // gone afterwards.
    if (wParam == VK_RETURN && pControlsWnd && pControlsWnd->m_pList)
        ::SetFocus(pControlsWnd->m_pList->GetListWindow());
    return result;
}

LRESULT CDropEdit::OnCtlColor(WPARAM wParam, LPARAM)
{
    SetTextColor(reinterpret_cast<HDC>(wParam), m_crText);
    return reinterpret_cast<LRESULT>(m_brBack.Get());
}

CControlsWnd* CDropEdit::ControlsWnd() const
{
    return m_controlsAlive ? m_pControlsWnd : nullptr;
}
