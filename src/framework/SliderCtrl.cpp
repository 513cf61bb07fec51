#include "SliderCtrl.h"

#include <commctrl.h>

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, HWND hParent, UINT nID)
{
    return CWnd::Create(TRACKBAR_CLASSW, "", style, 0, rect, hParent, nID);
}

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
    SendMessage(TBM_SETRANGEMAX, static_cast<WPARAM>(bRedraw), nMax);
}

int CSliderCtrl::GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
void CSliderCtrl::SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
