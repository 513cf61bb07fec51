// What the page list tells accessibility clients: its object on request, the actions they ask
// for, and the WinEvents of its rows. Child ids are row indices counted from 1.
#include "PageListCtrl.h"

#include "ControlsWnd.h"
#include "PageListAccessible.h"

LRESULT CPageListCtrl::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return Default();
    return CAccessibleBase::Serve(NewComObject<CPageListAccessible>(*this), wParam, lParam);
}

void CPageListCtrl::NotifyRow(DWORD dwEvent, int nRow) const
{
    if (nRow >= 0)
        NotifyWinEvent(dwEvent, m_hWnd, OBJID_CLIENT, CAccessibleBase::ChildId(nRow));
}

void CPageListCtrl::NotifyRowStates(int nRow, UINT nOld, UINT nNew) const
{
    if ((nNew & LVIS_FOCUSED) && !(nOld & LVIS_FOCUSED) && ::GetFocus() == m_hWnd)
        NotifyRow(EVENT_OBJECT_FOCUS, nRow);
    if ((nNew & LVIS_SELECTED) && !(nOld & LVIS_SELECTED))
        NotifyRow(EVENT_OBJECT_SELECTION, nRow);
}

// The client waits for no editor or dialog: the action runs once its call has returned, on the
// row where it is by then.
void CPageListCtrl::DoAccessibleAction(int nRow)
{
    m_pendingActions.push_back(m_accessibleRows.Slot(nRow));
    PostMessage(kAccessibleAction);
}

// As a click selects the row and Enter (or a click on the sign) opens it.
LRESULT CPageListCtrl::OnAccessibleAction(WPARAM, LPARAM)
{
    if (m_pendingActions.empty())
        return 0;
    const int nRow = static_cast<int>(*m_pendingActions.front());
    m_pendingActions.erase(m_pendingActions.begin());
    if (!IsRow(nRow) || !IsEnabled(nRow))
        return 0;
    const CLifeToken::CWatch alive = Watch();
    SetFocus();
    if (!alive)
        return 0;
    SelectRow(nRow);
    if (!alive)
        return 0;
    CControlsWnd* pActive = GetActiveControlsWnd();
    if (!pActive || !IsSelectedRow(static_cast<int>(pActive->m_nRow)))
        return 0;
    if (pActive->IsGroup())
        pActive->DoDefaultAction();
    else
        pActive->ShowEditor(0);
    return 0;
}
