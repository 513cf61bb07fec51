#include "RowMapTable.h"

#include "ItemList.h"

#include <utility>
#include <vector>

// Objects are taken out of the table before they are deleted: a dying editor that looks its
// row up finds nothing instead of a half-deleted entry.

CRowMapTable::~CRowMapTable()
{
    Clear();
}

CRowMapTable::CRowMap* CRowMapTable::FindRowMap(const CItemList* pList)
{
    const auto found = m_table.find(pList);
    return found == m_table.end() ? nullptr : &found->second;
}

void CRowMapTable::RegisterControlsWnd(CControlsWndPtr pObj)
{
    if (!pObj)
        return;
    CControlsWndPtr& entry = m_table[pObj->m_pList][pObj->m_nRow];
    if (entry.get() == pObj.get()) {
        (void)pObj.release(); // entered already: the entry owns it
        return;
    }
    std::swap(entry, pObj); // the object entered before dies as pObj goes
}

CControlsWnd* CRowMapTable::FindControlsWnd(const CItemList* pList, long nRow) const
{
    const auto map = m_table.find(pList);
    if (map == m_table.end())
        return nullptr;
    const auto entry = map->second.find(nRow);
    return entry == map->second.end() ? nullptr : entry->second.get();
}

void CRowMapTable::MoveControlsWnd(CControlsWnd* pObj, long nNewRow)
{
    CRowMap* pMap = pObj ? FindRowMap(pObj->m_pList) : nullptr;
    if (!pMap)
        return;
    const auto entry = pMap->find(pObj->m_nRow);
    if (entry == pMap->end() || entry->second.get() != pObj)
        return;
    CControlsWndPtr pMoving = std::move(entry->second);
    pMap->erase(entry);
    pObj->m_nRow = nNewRow;
    CControlsWndPtr pDisplaced = std::exchange((*pMap)[nNewRow], std::move(pMoving));
}

CControlsWndPtr CRowMapTable::TakeControlsWnd(const CItemList* pList, long nRow)
{
    CRowMap* pMap = FindRowMap(pList);
    if (!pMap)
        return nullptr;
    const auto entry = pMap->find(nRow);
    if (entry == pMap->end())
        return nullptr;
    CControlsWndPtr pObj = std::move(entry->second);
    pMap->erase(entry);
    return pObj;
}

void CRowMapTable::RemoveControlsWnd(CControlsWnd* pObj)
{
    if (!pObj)
        return;
    const CLifeToken::CWatch alive = pObj->Watch();
    CItemList* pList = pObj->m_pList;
    if (pList && pList->GetActiveControlsWnd() == pObj)
        pList->ReleaseActive();
    if (!alive)
        return; // a transient object ends in its Release
    CControlsWndPtr pDying;
    if (CRowMap* pMap = FindRowMap(pList)) {
        const auto entry = pMap->find(pObj->m_nRow);
        if (entry != pMap->end() && entry->second.get() == pObj) {
            pDying = std::move(entry->second);
            pMap->erase(entry);
        }
    }
    if (!pDying)
        pDying.reset(pObj);
}

void CRowMapTable::ShiftRows(CRowMap& map, long nFrom, long nBy)
{
    std::vector<CControlsWndPtr> moving;
    for (auto entry = map.begin(); entry != map.end();) {
        if (entry->first >= nFrom) {
            moving.push_back(std::move(entry->second));
            entry = map.erase(entry);
        } else {
            ++entry;
        }
    }
    for (CControlsWndPtr& pObj : moving) {
        pObj->m_nRow += nBy;
        const long nRow = pObj->m_nRow;
        map[nRow] = std::move(pObj);
    }
}

void CRowMapTable::OnRowsInserted(const CItemList* pList, long nFirst, long nCount)
{
    if (CRowMap* pMap = FindRowMap(pList))
        ShiftRows(*pMap, nFirst, nCount);
}

void CRowMapTable::OnRowsDeleted(const CItemList* pList, long nFirst, long nCount)
{
    CRowMap* pMap = FindRowMap(pList);
    if (!pMap)
        return;
    std::vector<CControlsWndPtr> dying;
    for (auto entry = pMap->begin(); entry != pMap->end();) {
        if (entry->first >= nFirst && entry->first < nFirst + nCount) {
            dying.push_back(std::move(entry->second));
            entry = pMap->erase(entry);
        } else {
            ++entry;
        }
    }
    ShiftRows(*pMap, nFirst + nCount, -nCount);
}

void CRowMapTable::RemoveRowMap(const CItemList* pList)
{
    const auto found = m_table.find(pList);
    if (found == m_table.end())
        return;
    CRowMap dying = std::move(found->second);
    m_table.erase(found);
}

void CRowMapTable::Clear()
{
    auto dying = std::move(m_table);
    m_table.clear();
}
