// CButton: push buttons, check boxes and radio buttons as window objects.
#pragma once
#include "Wnd.h"

class CButton : public CWnd {
public:
    BOOL Create(const std::string& caption, DWORD style, const RECT& rect, HWND hParent, UINT nID);
    int GetCheck() const;
    void SetCheck(int nCheck);
    void SetState(BOOL bPushed);
};
