// CListBox: the list box as a window object, with UTF-8 item texts.
#pragma once
#include "Wnd.h"

class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND hParent, UINT nID);
    int AddString(const std::string& text);
    int InsertString(int nIndex, const std::string& text);
    int DeleteString(int nIndex);
    void ResetContent();
    int GetCount() const;
    std::string GetText(int nIndex) const;
    int GetCurSel() const;
    int SetCurSel(int nIndex);
    int FindStringExact(int nStartAfter, const std::string& text) const;
    // The first item after nStartAfter that begins with text, case ignored; LB_ERR for none.
    int FindString(int nStartAfter, const std::string& text) const;
    // Selects that item; LB_ERR when there is none.
    int SelectString(int nStartAfter, const std::string& text);
    // Room for nItems more items of nBytes in all, made before adding many.
    int InitStorage(int nItems, size_t nBytes);
    BOOL SetItemData(int nIndex, DWORD_PTR data);
    DWORD_PTR GetItemData(int nIndex) const;
    int GetItemHeight(int nIndex) const;
    int SetItemHeight(int nIndex, int nHeight);
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
    BOOL GetItemRect(int nIndex, RECT* pRect) const;
};
