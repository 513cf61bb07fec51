#include "RowMaps.h"

#include "PageListCtrl.h"
#include "PageListOwner.h"

namespace {

CRowMapTable* TableOf(CPageListCtrl* pList)
{
    CPageListOwner* pOwner = pList ? pList->GetControl() : nullptr;
    return pOwner ? &pOwner->GetRowMapTable() : nullptr;
}

} // namespace

CRowMapTable::CRowMap* FindRowMap(CPageListCtrl* pList)
{
    CRowMapTable* pTable = TableOf(pList);
    return pTable ? pTable->FindRowMap(pList) : nullptr;
}

void RegisterControlsWnd(CControlsWnd* pObj)
{
    if (CRowMapTable* pTable = TableOf(pObj->m_pList))
        pTable->RegisterControlsWnd(pObj);
}

CControlsWnd* FindControlsWnd(CPageListCtrl* pList, long nRow)
{
    CRowMapTable* pTable = TableOf(pList);
    return pTable ? pTable->FindControlsWnd(pList, nRow) : nullptr;
}

void MoveControlsWnd(CControlsWnd* pObj, long nNewRow)
{
    if (CRowMapTable* pTable = TableOf(pObj->m_pList))
        pTable->MoveControlsWnd(pObj, nNewRow);
}

void RemoveControlsWnd(CControlsWnd* pObj)
{
    CRowMapTable* pTable = TableOf(pObj->m_pList);
    if (pTable) {
        pTable->RemoveControlsWnd(pObj);
        return;
    }
    // Without a control there is no row map: only the page list's hold on the object ends.
    if (pObj->m_pList && pObj->m_pList->GetActiveControlsWnd() == pObj)
        pObj->m_pList->ReleaseActive();
    if (CControlsWnd::IsLive(pObj))
        delete pObj;
}
