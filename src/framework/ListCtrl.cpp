#include "ListCtrl.h"

#include "Text.h"

#include <vector>

BEGIN_MESSAGE_MAP(CListCtrl, CWnd)
    ON_MESSAGE_REFLECT(WM_DRAWITEM, OnReflectedDrawItem)
    ON_MESSAGE_REFLECT(WM_MEASUREITEM, OnReflectedMeasureItem)
END_MESSAGE_MAP(CWnd)

BOOL CListCtrl::Create(DWORD style, const RECT& rect, HWND hParent, UINT nID)
{
    return CWnd::Create(WC_LISTVIEWW, "", style, 0, rect, hParent, nID);
}

LRESULT CListCtrl::OnReflectedDrawItem(WPARAM, LPARAM lParam)
{
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

LRESULT CListCtrl::OnReflectedMeasureItem(WPARAM, LPARAM lParam)
{
    MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    return TRUE;
}

int CListCtrl::InsertColumn(int nColumn, const std::string& heading, int nFormat, int nWidth)
{
    std::wstring text = Utf8ToWide(heading);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | (nWidth >= 0 ? LVCF_WIDTH : 0u);
    column.fmt = nFormat;
    column.cx = nWidth;
    column.pszText = text.data();
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&column)));
}

BOOL CListCtrl::DeleteColumn(int nColumn)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(nColumn)));
}

int CListCtrl::GetColumnCount() const
{
    HWND hHeader = GetHeaderCtrl();
    return hHeader ? static_cast<int>(::SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListCtrl::GetColumnWidth(int nColumn) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nColumn)));
}

BOOL CListCtrl::SetColumnWidth(int nColumn, int nWidth)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nColumn), MAKELPARAM(nWidth, 0)));
}

HWND CListCtrl::GetHeaderCtrl() const
{
    return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
}

int CListCtrl::InsertItem(int nItem, const std::string& text)
{
    std::wstring wide = Utf8ToWide(text);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = wide.data();
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::InsertItem(int nItem, const std::string& text, DWORD_PTR data)
{
    std::wstring wide = Utf8ToWide(text);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = nItem;
    item.pszText = wide.data();
    item.lParam = static_cast<LPARAM>(data);
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(nItem)));
}

BOOL CListCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const std::string& text)
{
    std::wstring wide = Utf8ToWide(text);
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = wide.data();
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

std::string CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The list view copies at most the buffer it is given and says how much it copied: grow
    // until the text fits.
    for (size_t size = 256;; size *= 4) {
        std::vector<wchar_t> buffer(size);
        LVITEMW item = {};
        item.iSubItem = nSubItem;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const size_t length = static_cast<size_t>(
            SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size)
            return WideToUtf8(std::wstring(item.pszText, length));
    }
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR data)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int nItem, UINT state, UINT mask)
{
    LVITEMW item = {};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

UINT CListCtrl::GetItemState(int nItem, UINT mask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), mask));
}

int CListCtrl::GetNextItem(int nStart, UINT flags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(nStart), MAKELPARAM(flags, 0)));
}

int CListCtrl::HitTest(POINT point, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    const int nItem = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (pFlags)
        *pFlags = info.flags;
    return nItem;
}

int CListCtrl::SubItemHitTest(POINT point, int* pSubItem, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    const int nItem = static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (pSubItem)
        *pSubItem = info.iSubItem;
    if (pFlags)
        *pFlags = info.flags;
    return nItem;
}

BOOL CListCtrl::GetItemRect(int nItem, RECT* pRect, UINT code) const
{
    pRect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pRect)));
}

BOOL CListCtrl::GetSubItemRect(int nItem, int nSubItem, UINT code, RECT* pRect) const
{
    pRect->top = nSubItem;
    pRect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pRect)));
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
{
    return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(nFirst), nLast));
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), bPartialOK));
}

HWND CListCtrl::EditLabel(int nItem)
{
    return reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, static_cast<WPARAM>(nItem)));
}

HWND CListCtrl::GetEditControl() const
{
    return reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL));
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(exStyle)));
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

int CListCtrl::GetTopIndex() const
{
    return static_cast<int>(SendMessage(LVM_GETTOPINDEX));
}

int CListCtrl::GetCountPerPage() const
{
    return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE));
}
