#include "RowMaps.h"

#include "ItemList.h"
#include "PageListOwner.h"

CRowMapTable* FindRowMapTable(CItemList* pList)
{
    CPageListOwner* pOwner = pList ? pList->GetControl() : nullptr;
    return pOwner ? &pOwner->GetRowMapTable() : nullptr;
}

CRowMapTable::CRowMap* FindRowMap(CItemList* pList)
{
    CRowMapTable* pTable = FindRowMapTable(pList);
    return pTable ? pTable->FindRowMap(pList) : nullptr;
}

BOOL RegisterControlsWnd(CControlsWndPtr pObj)
{
    CRowMapTable* pTable = pObj ? FindRowMapTable(pObj->m_pList) : nullptr;
    if (!pTable)
        return FALSE;
    pTable->RegisterControlsWnd(std::move(pObj));
    return TRUE;
}

CControlsWnd* FindControlsWnd(CItemList* pList, long nRow)
{
    CRowMapTable* pTable = FindRowMapTable(pList);
    return pTable ? pTable->FindControlsWnd(pList, nRow) : nullptr;
}

void MoveControlsWnd(CControlsWnd* pObj, long nNewRow)
{
    if (CRowMapTable* pTable = pObj ? FindRowMapTable(pObj->m_pList) : nullptr)
        pTable->MoveControlsWnd(pObj, nNewRow);
}

CControlsWndPtr TakeControlsWnd(CItemList* pList, long nRow)
{
    CRowMapTable* pTable = FindRowMapTable(pList);
    return pTable ? pTable->TakeControlsWnd(pList, nRow) : nullptr;
}

void RemoveControlsWnd(CControlsWnd* pObj)
{
    if (!pObj)
        return;
    if (CRowMapTable* pTable = FindRowMapTable(pObj->m_pList)) {
        pTable->RemoveControlsWnd(pObj);
        return;
    }
    // Without a control there is no row map: only the page list's hold on the object ends.
    const CLifeToken::CWatch alive = pObj->Watch();
    if (pObj->m_pList && pObj->m_pList->GetActiveControlsWnd() == pObj)
        pObj->m_pList->ReleaseActive();
    if (alive)
        CControlsWndDeleter()(pObj);
}
