#include "GroupKind.h"

#include "ItemList.h"
#include "MemberStore.h"

#include <utility>

std::string CControlsWnd_CGroup::GetClassName() const
{
    return "CControlsWnd_CGroup";
}

BOOL CControlsWnd_CGroup::IsGroup()
{
    return TRUE;
}

BOOL CControlsWnd_CGroup::IsPersistent() const
{
    return TRUE;
}

// The row map owns the object: its expanded flag and members outlive every use of the row.
BOOL CControlsWnd_CGroup::Release()
{
    return FALSE;
}

CWnd* CControlsWnd_CGroup::CreateEditor()
{
    return &m_button;
}

void CControlsWnd_CGroup::HideEditor(BOOL) {}

// The page folds or unfolds the rows itself; a page that does not fold leaves the flag alone.
void CControlsWnd_CGroup::DoDefaultAction()
{
    if (m_pList)
        m_pList->ToggleGroup(m_nRow, &m_bExpanded);
}

BOOL CControlsWnd_CGroup::IsExpanded()
{
    return m_bExpanded || m_arrMembers.empty();
}

int CControlsWnd_CGroup::AddMember(int nStoreRow)
{
    m_arrMembers.push_back(nStoreRow);
    return static_cast<int>(m_arrMembers.size()) - 1;
}

const std::vector<int>& CControlsWnd_CGroup::GetMembers()
{
    return m_arrMembers;
}

void CControlsWnd_CGroup::CollectMembers(CMemberStore* pStore)
{
    if (pStore && m_pList)
        pStore->CollectMembers(this, m_pList->GetItemText(static_cast<int>(m_nRow), m_pList->GetNameColumn()));
}

void CControlsWnd_CGroup::KeepFolded(int nStoreRow, CControlsWndPtr pObj)
{
    if (pObj)
        m_folded[nStoreRow] = std::move(pObj);
}

CControlsWndPtr CControlsWnd_CGroup::TakeFolded(int nStoreRow)
{
    const auto found = m_folded.find(nStoreRow);
    if (found == m_folded.end())
        return nullptr;
    CControlsWndPtr pObj = std::move(found->second);
    m_folded.erase(found);
    return pObj;
}

void CControlsWnd_CGroup::FollowStoreRows(int nFrom)
{
    for (int& nMember : m_arrMembers) {
        if (nMember >= nFrom)
            ++nMember;
    }
    std::map<int, CControlsWndPtr> moved;
    for (auto& entry : m_folded)
        moved[entry.first >= nFrom ? entry.first + 1 : entry.first] = std::move(entry.second);
    m_folded = std::move(moved);
}
