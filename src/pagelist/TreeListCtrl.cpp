#include "TreeListCtrl.h"

#include "GroupKind.h"
#include "Text.h"

#include <algorithm>

CTreeListCtrl::~CTreeListCtrl()
{
    if (IsWindow())
        ::DestroyWindow(Detach());
}

BOOL CTreeListCtrl::CreateStore(HWND hParent)
{
    // In report view: in the default icon view every row inserted is placed on a grid first.
    // The window keeps the list view's own procedure: each of the messages a large page sends
    // its store goes straight there.
    const HWND hStore = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 0, 0, hParent, nullptr,
                                          ModuleInstance(), nullptr);
    if (!hStore)
        return FALSE;
    Attach(hStore);
    // Never shown: nothing in it is ever drawn, and a list that redraws pays for every row.
    SendMessage(WM_SETREDRAW, FALSE);
    m_nNameColumn = InsertColumn(0, "Name");
    m_nValueColumn = InsertColumn(1, "Value");
    m_nGroupColumn = InsertColumn(2, "Group");
    return m_nNameColumn >= 0 && m_nValueColumn >= 0 && m_nGroupColumn >= 0;
}

std::string CTreeListCtrl::GetGroupText(int nRow) const
{
    return GetItemText(nRow, m_nGroupColumn);
}

DWORD CTreeListCtrl::GetItemData(int nRow) const
{
    return static_cast<DWORD>(CListCtrl::GetItemData(nRow));
}

std::string CTreeListCtrl::GetValueText(int nRow) const
{
    return GetItemText(nRow, m_nValueColumn);
}

std::string CTreeListCtrl::GetNameText(int nRow) const
{
    return GetItemText(nRow, m_nNameColumn);
}

BOOL CTreeListCtrl::SetValueText(int nRow, const std::string& strText)
{
    return SetItemText(nRow, m_nValueColumn, strText);
}

void CTreeListCtrl::CollectMembers(CControlsWnd_CGroup* pGroup, const std::string& strGroup)
{
    if (!pGroup)
        return;
    pGroup->m_arrMembers.clear();
    const auto found = m_groups.find(FoldCase(strGroup));
    if (found == m_groups.end())
        return;
    for (const int nRow : found->second)
        pGroup->AddMember(nRow);
}

int CTreeListCtrl::InsertRow(int nIndex, const std::string& strName, DWORD dwData, const std::string& strGroup)
{
    const int nRowsBefore = GetItemCount();
    // The name is the item's own text (the first column): name and data go in with the item.
    const int nRow = InsertItem(nIndex, strName, dwData);
    if (nRow < 0)
        return nRow;
    if (!strGroup.empty())
        SetItemText(nRow, m_nGroupColumn, strGroup);
    if (nRow < nRowsBefore) {
        for (auto& group : m_groups) {
            Rows& rows = group.second;
            for (auto it = std::lower_bound(rows.begin(), rows.end(), nRow); it != rows.end(); ++it)
                ++*it;
        }
    }
    Rows& rows = m_groups[FoldCase(strGroup)];
    rows.insert(std::lower_bound(rows.begin(), rows.end(), nRow), nRow);
    return nRow;
}

void CTreeListCtrl::LeaveGroup(int nRow)
{
    const auto found = m_groups.find(FoldCase(GetGroupText(nRow)));
    if (found == m_groups.end())
        return;
    Rows& rows = found->second;
    const auto it = std::lower_bound(rows.begin(), rows.end(), nRow);
    if (it != rows.end() && *it == nRow)
        rows.erase(it);
}

void CTreeListCtrl::DeleteAllRows()
{
    DeleteAllItems();
    m_groups.clear();
}
