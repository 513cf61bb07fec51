#include "Edit.h"

#include "Text.h"

#include <commctrl.h>

BOOL CEdit::Create(DWORD style, const RECT& rect, HWND hParent, UINT nID)
{
    return CWnd::Create(WC_EDITW, "", style, 0, rect, hParent, nID);
}

void CEdit::SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, static_cast<WPARAM>(nStart), nEnd); }

void CEdit::ReplaceSel(const std::string& text)
{
    const std::wstring wide = Utf8ToWide(text);
    SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

BOOL CEdit::GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL bModified) { SendMessage(EM_SETMODIFY, static_cast<WPARAM>(bModified)); }
void CEdit::SetReadOnly(BOOL bReadOnly) { SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly)); }
