#include "RowMapTable.h"

#include "PageListCtrl.h"

CRowMapTable::~CRowMapTable()
{
    Clear();
}

CRowMapTable::CRowMap* CRowMapTable::FindRowMap(const CPageListCtrl* pList)
{
    const auto found = m_table.find(pList);
    return found == m_table.end() ? nullptr : &found->second;
}

void CRowMapTable::RegisterControlsWnd(CControlsWnd* pObj)
{
    std::unique_ptr<CControlsWnd>& entry = m_table[pObj->m_pList][pObj->m_nRow];
    if (entry.get() != pObj)
        entry.reset(pObj);
}

CControlsWnd* CRowMapTable::FindControlsWnd(const CPageListCtrl* pList, long nRow) const
{
    const auto map = m_table.find(pList);
    if (map == m_table.end())
        return nullptr;
    const auto entry = map->second.find(nRow);
    if (entry == map->second.end() || !CControlsWnd::IsLive(entry->second.get()))
        return nullptr;
    return entry->second.get();
}

void CRowMapTable::MoveControlsWnd(CControlsWnd* pObj, long nNewRow)
{
    CRowMap* pMap = FindRowMap(pObj->m_pList);
    if (!pMap)
        return;
    const auto entry = pMap->find(pObj->m_nRow);
    if (entry == pMap->end() || entry->second.get() != pObj)
        return;
    entry->second.release();
    pMap->erase(entry);
    pObj->m_nRow = nNewRow;
    (*pMap)[nNewRow].reset(pObj);
}

void CRowMapTable::RemoveControlsWnd(CControlsWnd* pObj)
{
    CPageListCtrl* pList = pObj->m_pList;
    if (pList && pList->GetActiveControlsWnd() == pObj)
        pList->ReleaseActive();
    if (!CControlsWnd::IsLive(pObj))
        return; // a transient object ends in its Release
    if (CRowMap* pMap = FindRowMap(pList)) {
        const auto entry = pMap->find(pObj->m_nRow);
        if (entry != pMap->end() && entry->second.get() == pObj) {
            pMap->erase(entry);
            return;
        }
    }
    delete pObj;
}

void CRowMapTable::Clear()
{
    m_table.clear();
}
