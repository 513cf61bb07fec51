#include "RowNameWatch.h"

#include <commctrl.h>

CRowNameWatch::~CRowNameWatch()
{
    for (HWND hList : m_lists)
        RemoveWindowSubclass(hList, &WatchProc, reinterpret_cast<UINT_PTR>(this));
}

void CRowNameWatch::Watch(HWND hList, int nNameColumn)
{
    if (hList && SetWindowSubclass(hList, &WatchProc, reinterpret_cast<UINT_PTR>(this), static_cast<DWORD_PTR>(nNameColumn)))
        m_lists.insert(hList);
}

bool CRowNameWatch::ChangesNames(UINT message, LPARAM lParam, int nNameColumn)
{
    switch (message) {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX:
    case WM_DESTROY:
        return true;
    case LVM_SETITEMA:
    case LVM_SETITEMW: {
        // LVITEMA and LVITEMW agree up to the text pointer.
        const LVITEMW* pItem = reinterpret_cast<const LVITEMW*>(lParam);
        return pItem && (pItem->mask & LVIF_TEXT) && pItem->iSubItem == nNameColumn;
    }
    case LVM_SETITEMTEXTA:
    case LVM_SETITEMTEXTW: {
        const LVITEMW* pItem = reinterpret_cast<const LVITEMW*>(lParam);
        return pItem && pItem->iSubItem == nNameColumn;
    }
    default:
        return false;
    }
}

LRESULT CALLBACK CRowNameWatch::WatchProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                          DWORD_PTR dwRefData)
{
    CRowNameWatch* pWatch = reinterpret_cast<CRowNameWatch*>(uIdSubclass);
    if (ChangesNames(message, lParam, static_cast<int>(dwRefData)))
        pWatch->m_bChanged = true;
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hWnd, &WatchProc, uIdSubclass);
        pWatch->m_lists.erase(hWnd);
    }
    return DefSubclassProc(hWnd, message, wParam, lParam);
}
