// The row-map operations as behaviour objects and page lists call them: each finds the
// control's row-map table through the page list's owner, and does nothing (or answers null)
// for a page list without one.
#pragma once
#include "RowMapTable.h"

CRowMapTable* FindRowMapTable(CItemList* pList);
CRowMapTable::CRowMap* FindRowMap(CItemList* pList);
// FALSE when the page list has no row map table: the object is deleted then.
BOOL RegisterControlsWnd(CControlsWndPtr pObj);
CControlsWnd* FindControlsWnd(CItemList* pList, long nRow);
void MoveControlsWnd(CControlsWnd* pObj, long nNewRow);
void RemoveControlsWnd(CControlsWnd* pObj);
CControlsWndPtr TakeControlsWnd(CItemList* pList, long nRow);
