// Mouse and keyboard of the page list: which row becomes active, when its editor opens, where
// keys go while it is open, and the events the host hears of it. Every event runs the host's
// handler, which may delete the row, the page (this object with it) or the whole control:
// after each one, nothing of this object or of the active object is touched before a watch
// says it is still there.
#include "PageListCtrl.h"

#include "ControlsWnd.h"
#include "PageListOwner.h"
#include "Text.h"

namespace {

const UINT kSelectedOrFocused = LVIS_SELECTED | LVIS_FOCUSED;

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

bool IsNavigationKey(UINT nChar)
{
    switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

// The keys that switch pages belong to the floor that holds the page.
bool IsPageSwitchKey(UINT nChar)
{
    return (GetKeyState(VK_CONTROL) & 0x8000) && (nChar == VK_TAB || nChar == VK_PRIOR || nChar == VK_NEXT);
}

} // namespace

POINT CPageListCtrl::MessagePoint(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LRESULT CPageListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The character of the key that opened an Edit row reaches its editor with the key itself;
    // here it would only search the rows by their first letters.
    if (message == WM_CHAR && IsEditorVisible())
        return 0;
    if (IsKeyMessage(message) && IsEditorVisible()) {
        CWnd* pEditor = GetActiveControlsWnd()->m_pEditor;
        if (pEditor && pEditor->IsWindow())
            return pEditor->SendMessage(message, wParam, lParam);
    }
    if (message == WM_HSCROLL || message == WM_VSCROLL) {
        const CLifeToken::CWatch alive = Watch();
        ReleaseActive();
        if (!alive)
            return 0;
    }
    RelayToToolTip(message, wParam, lParam);
    return CListCtrl::WindowProc(message, wParam, lParam);
}

// Only mouse messages: a tooltip reads nothing else from what it is relayed, and a large page
// sends its list one message per row as it loads.
void CPageListCtrl::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message < WM_MOUSEFIRST || message > WM_MOUSELAST || !m_pToolTip || !m_pToolTip->IsServing(this))
        return;
    MSG relayed = {};
    relayed.hwnd = m_hWnd;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    m_pToolTip->RelayEvent(relayed);
}

// The wheel scrolls without a scroll message; an editor over a row that moved goes as well.
LRESULT CPageListCtrl::OnMouseWheel(WPARAM, LPARAM)
{
    const int nTop = GetTopIndex();
    const LRESULT result = Default();
    if (GetTopIndex() != nTop)
        ReleaseActive();
    return result;
}

BOOL CPageListCtrl::FollowRow(int nRow, const std::function<void()>& run, int* pRowAfter)
{
    const CLifeToken::CWatch alive = Watch();
    m_followedRows.push_back(nRow);
    run();
    if (!alive)
        return FALSE;
    *pRowAfter = m_followedRows.back();
    m_followedRows.pop_back();
    return TRUE;
}

bool CPageListCtrl::IsSelectedRow(int nRow) const
{
    return IsRow(nRow) && (GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED);
}

void CPageListCtrl::SelectRow(int nRow)
{
    int nTarget = nRow;
    if (!LeaveOtherRows(&nTarget) || nTarget < 0)
        return;
    const auto select = [this, nTarget] { SetItemState(nTarget, kSelectedOrFocused, kSelectedOrFocused); };
    if (FollowRow(nTarget, select, &nTarget) && nTarget >= 0)
        EnsureVisible(nTarget, FALSE);
}

// The rows that lose the selection or the focus lose it one call each, before the new row is
// selected. The list view would do it half-way through selecting the new row, and a host that
// changes the rows as it hears of it would leave the list view going on with stale indices.
BOOL CPageListCtrl::LeaveOtherRows(int* pRow)
{
    for (const UINT nFlag : {UINT(LVNI_SELECTED), UINT(LVNI_FOCUSED)}) {
        const int nOther = GetNextItem(-1, nFlag);
        if (nOther < 0 || nOther == *pRow)
            continue;
        const auto leave = [this, nOther] { SetItemState(nOther, 0, kSelectedOrFocused); };
        if (!FollowRow(*pRow, leave, pRow))
            return FALSE;
        if (*pRow < 0)
            return TRUE;
    }
    return TRUE;
}

LRESULT CPageListCtrl::OnLButtonDown(WPARAM, LPARAM lParam)
{
    const POINT pt = MessagePoint(lParam);
    const CLifeToken::CWatch alive = Watch();
    // An editor that had the focus commits as it loses it, and the host hears of that.
    SetFocus();
    if (!alive)
        return 0;
    if (IsOverDivider(pt)) {
        BeginDividerDrag(pt);
        return 0;
    }
    m_nPrevSelection = GetNextItem(-1, LVNI_SELECTED);
    const int nRow = HitTest(pt);
    if (nRow >= 0)
        SelectRow(nRow);
    return 0;
}

LRESULT CPageListCtrl::OnLButtonUp(WPARAM, LPARAM lParam)
{
    const CLifeToken::CWatch alive = Watch();
    const LRESULT result = Default();
    if (!alive)
        return result;
    if (IsDraggingDivider()) {
        EndDividerDrag();
        return result;
    }
    const POINT pt = MessagePoint(lParam);
    OnRowClicked(HitTest(pt), pt);
    return result;
}

// Only the row that the press selected is activated: when the host has deleted or moved it
// meanwhile, the row under the mouse is another one. Disabled rows get no behaviour object.
void CPageListCtrl::OnRowClicked(int nRow, POINT pt)
{
    if (!IsSelectedRow(nRow) || !IsEnabled(nRow) || !ActivateRow(nRow))
        return;
    CControlsWnd* pActive = GetActiveControlsWnd();
    if (!pActive || pActive->m_nRow != nRow)
        return;
    const int nMode = GetEditMode(nRow, pt, m_nPrevSelection);
    if (nMode == 0)
        return;
    EnsureVisible(nRow, TRUE);
    pActive->ShowEditor(nMode);
}

int CPageListCtrl::GetEditMode(int nRow, POINT pt, int nPrevSelection)
{
    if (nRow < 0 || !IsEnabled(nRow))
        return 0;
    if (IsEditKind(nRow))
        return nRow == nPrevSelection ? 1 : 0;
    if (IsRectEmpty(&m_rcButton))
        return 0;
    if (PtInRect(&m_rcButton, pt))
        return 2;
    if (IsEditButtonKind(nRow))
        return nRow == nPrevSelection ? 1 : 0;
    return 0;
}

// The presses of a double click in the row button have opened its editor already.
LRESULT CPageListCtrl::OnLButtonDblClk(WPARAM, LPARAM lParam)
{
    const POINT pt = MessagePoint(lParam);
    if (PtInRect(&m_rcButton, pt))
        return 0;
    const int nRow = HitTest(pt);
    if (nRow >= 0)
        DoDefaultAction(nRow);
    return 0;
}

LRESULT CPageListCtrl::OnRButton(WPARAM, LPARAM)
{
    return 0;
}

// An editor that opens as a window of its own (a drop-down list) takes the focus as it opens:
// that is no reason to hide it.
LRESULT CPageListCtrl::OnKillFocus(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    CControlsWnd* pActive = GetActiveControlsWnd();
    const HWND hGaining = reinterpret_cast<HWND>(wParam);
    if (pActive && !(hGaining && pActive->m_pEditor && pActive->m_pEditor->m_hWnd == hGaining))
        pActive->HideEditor(FALSE);
    return result;
}

// The list shown is the one the mouse can reach: the tooltip serves it.
LRESULT CPageListCtrl::OnWindowPosChanged(WPARAM, LPARAM lParam)
{
    const LRESULT result = Default();
    const auto* pPos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (m_pToolTip && pPos && (pPos->flags & SWP_SHOWWINDOW))
        m_pToolTip->Serve(this);
    return result;
}

LRESULT CPageListCtrl::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    if (IsPageSwitchKey(nChar))
        return ::SendMessageW(GetParent(), WM_KEYDOWN, wParam, lParam);
    if (IsNavigationKey(nChar))
        return Default();
    if (nChar == VK_DELETE)
        FireDeleteForActiveRow();
    else
        OnKeyForActiveRow(nChar, lParam);
    return 0;
}

void CPageListCtrl::FireDeleteForActiveRow()
{
    CControlsWnd* pActive = GetActiveControlsWnd();
    if (m_pCtrl && pActive)
        m_pCtrl->FireDelete(m_nPage, pActive->m_nRow);
}

// Edit rows open at any key, and the key then starts the edit; the other kinds open at F4 or
// Enter. The space bar also runs the row's default action.
void CPageListCtrl::OnKeyForActiveRow(UINT nChar, LPARAM lKeyFlags)
{
    CControlsWnd* pActive = GetActiveControlsWnd();
    if (!pActive || !IsEnabled(pActive->m_nRow))
        return;
    const bool bEdit = IsEditKind(pActive->m_nRow) != FALSE;
    if (bEdit || nChar == VK_F4 || nChar == VK_RETURN) {
        const CLifeToken::CWatch alive = Watch();
        const CLifeToken::CWatch activeAlive = pActive->Watch();
        pActive->ShowEditor(0);
        if (!alive || !activeAlive || GetActiveControlsWnd() != pActive)
            return;
        if (bEdit && pActive->m_pEditor && pActive->m_pEditor->IsWindow())
            pActive->m_pEditor->PostMessage(WM_KEYDOWN, nChar, lKeyFlags);
    }
    if (nChar == VK_SPACE)
        DoDefaultAction(pActive->m_nRow);
}

LRESULT CPageListCtrl::OnItemChanged(WPARAM, LPARAM lParam)
{
    const auto* pChange = reinterpret_cast<const NMLISTVIEW*>(lParam);
    const int nRow = pChange->iItem;
    if (nRow >= 0 && (pChange->uChanged & LVIF_STATE))
        NotifyRowStates(nRow, pChange->uOldState, pChange->uNewState);
    if (!m_pCtrl || nRow < 0 || !(pChange->uChanged & LVIF_STATE))
        return 0;
    const UINT nOld = pChange->uOldState;
    const UINT nNew = pChange->uNewState;
    // The list view may report a change by an index that a host has made stale meanwhile: the
    // row's state as it is now decides.
    if ((nNew & LVIS_SELECTED) && !(nOld & LVIS_SELECTED) && IsSelectedRow(nRow))
        OnRowBecameSelected(nRow);
    else if ((nOld & kSelectedOrFocused) && !(nNew & kSelectedOrFocused) && !GetItemState(nRow, kSelectedOrFocused))
        m_pCtrl->FireUnselectItem(m_nPage, nRow);
    return 0;
}

// The host hears of the row before it becomes the active one; its handler may delete the row,
// move it, or select another, and then this row is left alone.
void CPageListCtrl::OnRowBecameSelected(int nRow)
{
    const CLifeToken::CWatch alive = Watch();
    ReleaseActive();
    if (!alive)
        return;
    CPageListOwner* pCtrl = m_pCtrl;
    const auto fire = [pCtrl, nPage = m_nPage, nRow] { pCtrl->FireSelectItem(nPage, nRow); };
    int nSelected = -1;
    if (FollowRow(nRow, fire, &nSelected) && IsSelectedRow(nSelected))
        OnRowSelected(nSelected, 0);
}

LRESULT CPageListCtrl::OnNotifyTaken(WPARAM, LPARAM)
{
    return 0;
}

// A label emptied by its editor deletes the row; a cancelled edit changes nothing.
LRESULT CPageListCtrl::OnEndLabelEdit(WPARAM, LPARAM lParam)
{
    const auto* pInfo = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
    if (!pInfo->item.pszText)
        return 0;
    const std::string strText = WideToUtf8(pInfo->item.pszText);
    if (strText.empty())
        DeleteRow(pInfo->item.iItem);
    else
        SetItemText(pInfo->item.iItem, pInfo->item.iSubItem, strText);
    return 0;
}

void CPageListCtrl::OnRowPicked(DISPPARAMS* pParams)
{
    OnControlEvent(ArgLong(pParams, 0));
}
