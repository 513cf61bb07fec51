#include "Button.h"

#include <commctrl.h>

BOOL CButton::Create(const std::string& caption, DWORD style, const RECT& rect, HWND hParent, UINT nID)
{
    return CWnd::Create(WC_BUTTONW, caption, style, 0, rect, hParent, nID);
}

int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
void CButton::SetState(BOOL bPushed) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(bPushed)); }
