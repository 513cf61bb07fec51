// CTreeCtrl: the tree view as a window object, with UTF-8 item texts.
#pragma once
#include "Wnd.h"

#include <commctrl.h>

class CTreeCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND hParent, UINT nID);
    HTREEITEM InsertItem(const std::string& text, HTREEITEM hParent = TVI_ROOT, HTREEITEM hAfter = TVI_LAST,
                         int nImage = -1, int nSelectedImage = -1, LPARAM data = 0);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();
    std::string GetItemText(HTREEITEM hItem) const;
    LPARAM GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, LPARAM data);
    BOOL SetChildrenFlag(HTREEITEM hItem, BOOL bHasChildren);
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT code) const;
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    BOOL SelectItem(HTREEITEM hItem);
    BOOL Expand(HTREEITEM hItem, UINT code);
    BOOL EnsureVisible(HTREEITEM hItem);
    HTREEITEM HitTest(POINT point, UINT* pFlags = nullptr) const;
    BOOL GetItemRect(HTREEITEM hItem, RECT* pRect, BOOL bTextOnly) const;
    UINT GetCount() const;
    HIMAGELIST SetImageList(HIMAGELIST hImages, int nType);
};
