// CEdit: the edit control as a window object.
#pragma once
#include "Wnd.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND hParent, UINT nID);
    void SetSel(int nStart, int nEnd);
    void ReplaceSel(const std::string& text);
    BOOL GetModify() const;
    void SetModify(BOOL bModified);
    void SetReadOnly(BOOL bReadOnly);
};
