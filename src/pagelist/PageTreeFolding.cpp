// Expanding and collapsing the groups of a grouped page, by the mouse on a group's sign and by
// the group's default action (double click, space bar). A group's rows go in and out as one
// block, so that a fold costs what the group holds, whatever the size of the page.
#include "PageTreeCtrl.h"

#include "GroupKind.h"
#include "RowMaps.h"

#include <algorithm>

LRESULT CPageTreeCtrl::OnTreeLButtonDown(WPARAM wParam, LPARAM lParam)
{
    const CLifeToken::CWatch alive = Watch();
    const LRESULT result = CPageListCtrl::OnLButtonDown(wParam, lParam);
    if (!alive)
        return result;
    // Only the row that the press selected: a host that heard of the selection may have moved
    // another row under the mouse.
    const POINT pt = MessagePoint(lParam);
    const int nRow = HitTest(pt);
    if (!IsSelectedRow(nRow) || !IsInSignColumn(nRow, pt))
        return result;
    if (CControlsWnd_CGroup* pGroup = GroupAt(nRow))
        ToggleGroup(nRow, &pGroup->m_bExpanded);
    return result;
}

bool CPageTreeCtrl::IsInSignColumn(int nRow, POINT pt) const
{
    RECT rcLabel = {};
    return GetItemRect(nRow, &rcLabel, LVIR_LABEL) && PtInRect(&rcLabel, pt);
}

bool CPageTreeCtrl::HasVerticalScrollBar() const
{
    return (GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_VSCROLL) != 0;
}

void CPageTreeCtrl::ToggleGroup(long nRow, BOOL* pbExpanded)
{
    const int nGroupRow = static_cast<int>(nRow);
    CControlsWnd_CGroup* pGroup = GroupAt(nGroupRow);
    if (!pGroup || !pbExpanded)
        return;
    const CLifeToken::CWatch alive = Watch();
    const CLifeToken::CWatch groupAlive = pGroup->Watch();
    ReleaseActive();
    if (!alive || !groupAlive)
        return;
    const bool bCollapsing = *pbExpanded != FALSE;
    if (bCollapsing && (!LeaveMembers(nGroupRow, ShownMemberCount(nGroupRow, *pGroup)) || !groupAlive))
        return;
    Fold(nGroupRow, *pGroup, pbExpanded);
    NotifyRow(EVENT_OBJECT_STATECHANGE, nGroupRow);
    ActivateRow(nGroupRow);
}

// Nothing is drawn while the rows change, and the result is drawn at once from a picture. The
// list's redraw flag holds the drawing back: a list view that redraws works out what to repaint
// for every row that comes or goes, and hiding the window instead costs Wine milliseconds as it
// is shown again.
void CPageTreeCtrl::Fold(int nGroupRow, CControlsWnd_CGroup& group, BOOL* pbExpanded)
{
    const bool bHadScrollBar = HasVerticalScrollBar();
    SendMessage(WM_SETREDRAW, FALSE);
    *pbExpanded = !*pbExpanded;
    if (*pbExpanded)
        ShowMembers(nGroupRow, group);
    else
        HideMembers(nGroupRow, group);
    SendMessage(WM_SETREDRAW, TRUE);
    EnsureVisible(nGroupRow, TRUE);
    RedrawItems(nGroupRow, nGroupRow);
    RepaintFromPicture();
    if (!bHadScrollBar && HasVerticalScrollBar())
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// What the group shows, as far as the rows below it go.
int CPageTreeCtrl::ShownMemberCount(int nGroupRow, CControlsWnd_CGroup& group) const
{
    const int nBelow = std::max(GetItemCount() - nGroupRow - 1, 0);
    return std::min(static_cast<int>(group.GetMembers().size()), nBelow);
}

BOOL CPageTreeCtrl::LeaveMembers(int nGroupRow, int nCount)
{
    const CLifeToken::CWatch alive = Watch();
    const unsigned nChanges = GetNameChanges();
    for (const UINT nFlag : {UINT(LVNI_SELECTED), UINT(LVNI_FOCUSED)}) {
        const int nMember = GetNextItem(-1, nFlag);
        if (nMember <= nGroupRow || nMember > nGroupRow + nCount)
            continue;
        SetItemState(nMember, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (!alive || GetNameChanges() != nChanges)
            return FALSE;
    }
    return TRUE;
}

// The members as the store has them now, values included, each with the object it held when
// the group folded; the group keeps in step with what it shows.
void CPageTreeCtrl::ShowMembers(int nGroupRow, CControlsWnd_CGroup& group)
{
    group.CollectMembers(&m_Store);
    std::vector<RowContent> rows;
    rows.reserve(group.GetMembers().size());
    for (const int nStoreRow : group.GetMembers())
        rows.push_back(RowContent{m_Store.GetNameText(nStoreRow), m_Store.GetItemData(nStoreRow), m_Store.GetValueText(nStoreRow)});
    const int nShown = InsertRows(nGroupRow + 1, rows);
    group.m_arrMembers.resize(static_cast<size_t>(nShown));
    for (int nPlace = 0; nPlace < nShown; ++nPlace) {
        if (CControlsWndPtr pObj = group.TakeFolded(group.m_arrMembers[static_cast<size_t>(nPlace)])) {
            pObj->m_nRow = nGroupRow + 1 + nPlace;
            RegisterControlsWnd(std::move(pObj));
        }
    }
}

// The members' rows go; the group keeps their objects until it opens again. The objects of the
// rows below move up with their rows, whatever their kind.
void CPageTreeCtrl::HideMembers(int nGroupRow, CControlsWnd_CGroup& group)
{
    const int nCount = ShownMemberCount(nGroupRow, group);
    for (int nPlace = 0; nPlace < nCount; ++nPlace)
        group.KeepFolded(group.m_arrMembers[static_cast<size_t>(nPlace)], TakeControlsWnd(this, nGroupRow + 1 + nPlace));
    DeleteRows(nGroupRow + 1, nCount);
}
