// CSliderCtrl: the trackbar as a window object.
#pragma once
#include "Wnd.h"

class CSliderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND hParent, UINT nID);
    void SetRange(int nMin, int nMax, BOOL bRedraw = TRUE);
    int GetPos() const;
    void SetPos(int nPos);
};
