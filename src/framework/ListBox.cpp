#include "ListBox.h"

#include "Text.h"

#include <vector>

BOOL CListBox::Create(DWORD style, const RECT& rect, HWND hParent, UINT nID)
{
    return CWnd::Create(L"LISTBOX", "", style, 0, rect, hParent, nID);
}

int CListBox::AddString(const std::string& text)
{
    const std::wstring wide = Utf8ToWide(text);
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

int CListBox::InsertString(int nIndex, const std::string& text)
{
    const std::wstring wide = Utf8ToWide(text);
    return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(wide.c_str())));
}

int CListBox::DeleteString(int nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(nIndex))); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }

std::string CListBox::GetText(int nIndex) const
{
    const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex));
    if (length == LB_ERR)
        return std::string();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer.data()));
    return WideToUtf8(buffer.data());
}

int CListBox::GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
int CListBox::SetCurSel(int nIndex) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nIndex))); }

int CListBox::FindStringExact(int nStartAfter, const std::string& text) const
{
    const std::wstring wide = Utf8ToWide(text);
    return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(wide.c_str())));
}

int CListBox::FindString(int nStartAfter, const std::string& text) const
{
    const std::wstring wide = Utf8ToWide(text);
    return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(wide.c_str())));
}

int CListBox::SelectString(int nStartAfter, const std::string& text)
{
    const std::wstring wide = Utf8ToWide(text);
    return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(wide.c_str())));
}

int CListBox::InitStorage(int nItems, size_t nBytes)
{
    return static_cast<int>(SendMessage(LB_INITSTORAGE, static_cast<WPARAM>(nItems), static_cast<LPARAM>(nBytes)));
}

BOOL CListBox::SetItemData(int nIndex, DWORD_PTR data)
{
    return SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(data)) != LB_ERR;
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    const LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex));
    return data == LB_ERR ? 0 : static_cast<DWORD_PTR>(data);
}

int CListBox::GetItemHeight(int nIndex) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex))); }
int CListBox::SetItemHeight(int nIndex, int nHeight) { return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELPARAM(nHeight, 0))); }
int CListBox::GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int nIndex) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex))); }

BOOL CListBox::GetItemRect(int nIndex, RECT* pRect) const
{
    return SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pRect)) != LB_ERR;
}
