// CHeaderCtrl: a list view's column header as a window object.
#pragma once
#include "Wnd.h"

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const;
    BOOL GetItemRect(int nIndex, RECT* pRect) const;
    int GetItemWidth(int nIndex) const;
};
