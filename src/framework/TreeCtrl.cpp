#include "TreeCtrl.h"

#include "Text.h"

#include <vector>

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, HWND hParent, UINT nID)
{
    return CWnd::Create(WC_TREEVIEWW, "", style, 0, rect, hParent, nID);
}

HTREEITEM CTreeCtrl::InsertItem(const std::string& text, HTREEITEM hParent, HTREEITEM hAfter, int nImage,
                                int nSelectedImage, LPARAM data)
{
    std::wstring wide = Utf8ToWide(text);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hAfter;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | (nImage >= 0 ? TVIF_IMAGE | TVIF_SELECTEDIMAGE : 0u);
    insert.item.pszText = wide.data();
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage >= 0 ? nSelectedImage : nImage;
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::DeleteAllItems() { return DeleteItem(TVI_ROOT); }

std::string CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    // The tree view does not say how long a text is: grow the buffer while the text fills it.
    for (size_t size = 256;; size *= 4) {
        std::vector<wchar_t> buffer(size);
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        if (!SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
            return std::string();
        const std::wstring text(item.pszText);
        if (text.size() + 1 < size)
            return WideToUtf8(text);
    }
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMW item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    return SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, LPARAM data)
{
    TVITEMW item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = data;
    return static_cast<BOOL>(SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CTreeCtrl::SetChildrenFlag(HTREEITEM hItem, BOOL bHasChildren)
{
    TVITEMW item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    item.cChildren = bHasChildren ? 1 : 0;
    return static_cast<BOOL>(SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT code) const
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem)
{
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT code)
{
    return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem)));
}

HTREEITEM CTreeCtrl::HitTest(POINT point, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = point;
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (pFlags)
        *pFlags = info.flags;
    return hItem;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, RECT* pRect, BOOL bTextOnly) const
{
    *reinterpret_cast<HTREEITEM*>(pRect) = hItem;
    return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, static_cast<WPARAM>(bTextOnly), reinterpret_cast<LPARAM>(pRect)));
}

UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }

HIMAGELIST CTreeCtrl::SetImageList(HIMAGELIST hImages, int nType)
{
    return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(nType), reinterpret_cast<LPARAM>(hImages)));
}
