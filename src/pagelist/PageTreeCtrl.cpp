#include "PageTreeCtrl.h"

#include "AsControls.h"
#include "Brush.h"
#include "GdiStack.h"
#include "GroupKind.h"
#include "ItemData.h"
#include "Pen.h"
#include "RowMaps.h"

#include <algorithm>

namespace {

const COLORREF kSignFrame = RGB(128, 128, 128);
const int kSignArm = 3;

} // namespace

BEGIN_MESSAGE_MAP(CPageTreeCtrl, CPageListCtrl)
    ON_MESSAGE(WM_LBUTTONDOWN, OnTreeLButtonDown)
END_MESSAGE_MAP(CPageListCtrl)

CPageTreeCtrl::CPageTreeCtrl(CPageListOwner* pCtrl, int nItemHeight) : CPageListCtrl(pCtrl, nItemHeight) {}

// The store tells its parent of every row it gets; that concerns no one, and a large page
// loads faster without handing each notification through the message maps.
LRESULT CPageTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam && reinterpret_cast<const NMHDR*>(lParam)->hwndFrom == m_Store.m_hWnd)
        return 0;
    return CPageListCtrl::WindowProc(message, wParam, lParam);
}

BOOL CPageTreeCtrl::IsGroupPage()
{
    return TRUE;
}

BOOL CPageTreeCtrl::InitColumns()
{
    // The store exists before the first row comes.
    if (!m_Store.CreateStore(m_hWnd) || InsertColumn(0, "", LVCFMT_LEFT, m_dpi.Scale(kSignColumnWidth)) < 0)
        return FALSE;
    return CPageListCtrl::InitColumns();
}

BOOL CPageTreeCtrl::IsGroupData(DWORD dwData)
{
    return CAsControls::Get().IsGroupKind(ItemKind(dwData));
}

BOOL CPageTreeCtrl::IsGroupRow(int nRow)
{
    return IsRow(nRow) && IsGroupData(static_cast<DWORD>(GetItemData(nRow)));
}

CControlsWnd_CGroup* CPageTreeCtrl::GroupAt(int nRow)
{
    return IsGroupRow(nRow) ? dynamic_cast<CControlsWnd_CGroup*>(GetControlsWnd(nRow, TRUE)) : nullptr;
}

void CPageTreeCtrl::ForEachGroup(const std::function<void(CControlsWnd_CGroup&)>& visit)
{
    CRowMapTable::CRowMap* pMap = FindRowMap(this);
    if (!pMap)
        return;
    for (const auto& entry : *pMap) {
        if (auto* pGroup = dynamic_cast<CControlsWnd_CGroup*>(entry.second.get()))
            visit(*pGroup);
    }
}

int CPageTreeCtrl::InsertRow(int nIndex, const std::string& strName, DWORD dwData, const std::string& strGroup)
{
    const int nStoreRows = m_Store.GetItemCount();
    const int nStoreRow = m_Store.InsertRow(nIndex, strName, dwData, strGroup);
    if (nStoreRow < 0)
        return nStoreRow;
    if (nStoreRow < nStoreRows)
        FollowStoreRows(nStoreRow);
    if (IsGroupData(dwData))
        ShowGroupRow(nIndex, strName, dwData);
    else if (!m_bLoading)
        AttachAllGroups();
    return nStoreRow;
}

// New groups start collapsed: their members stay in the store until the group opens.
void CPageTreeCtrl::ShowGroupRow(int nIndex, const std::string& strName, DWORD dwData)
{
    const int nRow = CPageListCtrl::InsertRow(nIndex, strName, dwData, std::string());
    if (nRow < 0)
        return;
    if (CControlsWnd_CGroup* pGroup = GroupAt(nRow))
        pGroup->CollectMembers(&m_Store);
}

void CPageTreeCtrl::FollowStoreRows(int nFrom)
{
    ForEachGroup([nFrom](CControlsWnd_CGroup& group) { group.FollowStoreRows(nFrom); });
}

int CPageTreeCtrl::InsertProperty(int nIndex, const std::string& strName, DWORD dwData)
{
    if (nIndex < 0)
        return -1;
    nIndex = std::min(nIndex, GetItemCount());
    if (IsGroupData(dwData)) {
        if (m_Store.InsertRow(m_Store.GetItemCount(), strName, dwData, std::string()) < 0)
            return -1;
        const int nRow = CPageListCtrl::InsertRow(nIndex, strName, dwData, std::string());
        if (CControlsWnd_CGroup* pGroup = GroupAt(nRow))
            pGroup->CollectMembers(&m_Store);
        return nRow;
    }
    int nGroupRow = nIndex - 1;
    while (nGroupRow >= 0 && !IsGroupRow(nGroupRow))
        --nGroupRow;
    CControlsWnd_CGroup* pGroup = nGroupRow < 0 ? nullptr : GroupAt(nGroupRow);
    if (!pGroup)
        return InsertUngrouped(nIndex, strName, dwData);
    const std::string strGroup = GetItemText(nGroupRow, m_nNameColumn);
    std::vector<int>& members = pGroup->m_arrMembers;
    if (!pGroup->m_bExpanded) {
        const int nStoreRow = FileInStore(members.empty() ? m_Store.GetItemCount() : members.back() + 1, strName, dwData, strGroup);
        if (nStoreRow >= 0)
            AttachAllGroups();
        return -1; // filed in the folded group: no row shows it until the group opens
    }
    const size_t nPlace = std::min(static_cast<size_t>(nIndex - nGroupRow - 1), members.size());
    const int nBefore = nPlace < members.size() ? members[nPlace] : (members.empty() ? m_Store.GetItemCount() : members.back() + 1);
    const int nStoreRow = FileInStore(nBefore, strName, dwData, strGroup);
    if (nStoreRow < 0)
        return -1;
    members.insert(members.begin() + static_cast<std::ptrdiff_t>(nPlace), nStoreRow);
    return CPageListCtrl::InsertRow(nGroupRow + 1 + static_cast<int>(nPlace), strName, dwData, std::string());
}

// Above every group: shown as it is, in no group.
int CPageTreeCtrl::InsertUngrouped(int nIndex, const std::string& strName, DWORD dwData)
{
    if (FileInStore(m_Store.GetItemCount(), strName, dwData, std::string()) < 0)
        return -1;
    return CPageListCtrl::InsertRow(nIndex, strName, dwData, std::string());
}

int CPageTreeCtrl::FileInStore(int nStoreIndex, const std::string& strName, DWORD dwData, const std::string& strGroup)
{
    const int nStoreRows = m_Store.GetItemCount();
    const int nStoreRow = m_Store.InsertRow(nStoreIndex, strName, dwData, strGroup);
    if (nStoreRow >= 0 && nStoreRow < nStoreRows)
        FollowStoreRows(nStoreRow);
    return nStoreRow;
}

void CPageTreeCtrl::AttachAllGroups()
{
    ForEachGroup([this](CControlsWnd_CGroup& group) {
        if (!group.m_bExpanded)
            group.CollectMembers(&m_Store);
    });
}

void CPageTreeCtrl::LoadItemsText(std::string_view text)
{
    m_bLoading = true;
    CPageListCtrl::LoadItemsText(text);
    m_bLoading = false;
    AttachAllGroups();
}

int CPageTreeCtrl::AddItemFromText(const std::string& strName, const std::string& strAs, const std::string& strType,
                                   const std::string& strGroup)
{
    return InsertRow(m_Store.GetItemCount(), strName, ItemDataFromNames(strAs, strType), strGroup);
}

CControlsWnd_CGroup* CPageTreeCtrl::ShownGroupOf(int nRow, int* pPlace)
{
    if (!IsRow(nRow) || IsGroupRow(nRow))
        return nullptr;
    int nGroupRow = nRow - 1;
    while (nGroupRow >= 0 && !IsGroupRow(nGroupRow))
        --nGroupRow;
    auto* pGroup = nGroupRow < 0 ? nullptr : dynamic_cast<CControlsWnd_CGroup*>(FindControlsWnd(this, nGroupRow));
    const int nPlace = nRow - nGroupRow - 1;
    if (!pGroup || !pGroup->m_bExpanded || nPlace >= static_cast<int>(pGroup->GetMembers().size()))
        return nullptr;
    *pPlace = nPlace;
    return pGroup;
}

BOOL CPageTreeCtrl::SetItemValue(int nRow, const std::string& strText)
{
    if (!CPageListCtrl::SetItemValue(nRow, strText))
        return FALSE;
    int nPlace = -1;
    if (CControlsWnd_CGroup* pGroup = ShownGroupOf(nRow, &nPlace))
        m_Store.SetValueText(pGroup->GetMembers()[static_cast<size_t>(nPlace)], strText);
    return TRUE;
}

// The store keeps the deleted property, but its group no longer counts it: the members the
// group shows stay in step with its rows, and the property does not come back when the group
// opens again.
BOOL CPageTreeCtrl::DeleteRow(int nRow)
{
    int nPlace = -1;
    if (CControlsWnd_CGroup* pGroup = ShownGroupOf(nRow, &nPlace)) {
        const auto member = pGroup->m_arrMembers.begin() + nPlace;
        m_Store.LeaveGroup(*member);
        pGroup->m_arrMembers.erase(member);
    }
    return CPageListCtrl::DeleteRow(nRow);
}

void CPageTreeCtrl::InvalidateItems(BOOL)
{
    Invalidate(TRUE);
}

void CPageTreeCtrl::SetRowName(int, const std::string&) {}

BOOL CPageTreeCtrl::DeleteAllItems()
{
    const BOOL bDeleted = CPageListCtrl::DeleteAllItems();
    m_Store.DeleteAllRows();
    return bDeleted;
}

void CPageTreeCtrl::OnDrawItemBegin(HDC hDC, int nRow, DWORD dwItemData)
{
    RECT rcLabel = {};
    if (!IsGroupData(dwItemData) || !GetItemRect(nRow, &rcLabel, LVIR_LABEL))
        return;
    const int nBox = m_dpi.Scale(kSignBox);
    const int nArm = m_dpi.Scale(kSignArm);
    const int nLeft = rcLabel.left + (rcLabel.right - rcLabel.left - nBox) / 2;
    const int nTop = rcLabel.top + (rcLabel.bottom - rcLabel.top - nBox) / 2;
    const RECT rcBox = {nLeft, nTop, nLeft + nBox, nTop + nBox};
    const CBrush frame(kSignFrame);
    FrameRect(hDC, &rcBox, frame);
    const POINT centre = {nLeft + nBox / 2, nTop + nBox / 2};
    const CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CGdiStack gdi;
    gdi.Push(hDC, pen);
    MoveToEx(hDC, centre.x - nArm, centre.y, nullptr);
    LineTo(hDC, centre.x + nArm + 1, centre.y);
    auto* pGroup = dynamic_cast<CControlsWnd_CGroup*>(FindControlsWnd(this, nRow));
    if (pGroup && !pGroup->IsExpanded()) {
        MoveToEx(hDC, centre.x, centre.y - nArm, nullptr);
        LineTo(hDC, centre.x, centre.y + nArm + 1);
    }
    gdi.PopAll();
}
