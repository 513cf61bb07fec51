// CHeaderCtrl: a column header as a window object; usually a list view's own header, attached
// or subclassed through CListCtrl::GetHeaderCtrl.
#pragma once
#include "Wnd.h"

class CHeaderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND hParent, UINT nID);
    int GetItemCount() const;
    BOOL GetItemRect(int nIndex, RECT* pRect) const;
    int GetItemWidth(int nIndex) const;
};
