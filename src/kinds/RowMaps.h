// The row-map operations as behaviour objects and page lists call them: each finds the
// control's row-map table through the page list's owner, and does nothing (or answers null)
// for a page list without one.
#pragma once
#include "RowMapTable.h"

CRowMapTable::CRowMap* FindRowMap(CPageListCtrl* pList);
void RegisterControlsWnd(CControlsWnd* pObj);
CControlsWnd* FindControlsWnd(CPageListCtrl* pList, long nRow);
void MoveControlsWnd(CControlsWnd* pObj, long nNewRow);
void RemoveControlsWnd(CControlsWnd* pObj);
