#include "HeaderCtrl.h"

#include <commctrl.h>

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, HWND hParent, UINT nID)
{
    return CWnd::Create(WC_HEADERW, "", style, 0, rect, hParent, nID);
}

int CHeaderCtrl::GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }

BOOL CHeaderCtrl::GetItemRect(int nIndex, RECT* pRect) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pRect)));
}

int CHeaderCtrl::GetItemWidth(int nIndex) const
{
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    return SendMessage(HDM_GETITEMW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&item)) ? item.cxy : -1;
}
