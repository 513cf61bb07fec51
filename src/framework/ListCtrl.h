// CListCtrl: the common list view (report view) as a window object. Owner drawing arrives as
// the reflected WM_DRAWITEM / WM_MEASUREITEM and is handed to DrawItem / MeasureItem.
#pragma once
#include "Wnd.h"

#include <commctrl.h>

#include <string>

class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND hParent, UINT nID);

    int InsertColumn(int nColumn, const std::string& heading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
    BOOL DeleteColumn(int nColumn);
    int GetColumnCount() const;
    int GetColumnWidth(int nColumn) const;
    BOOL SetColumnWidth(int nColumn, int nWidth);
    HWND GetHeaderCtrl() const;

    int InsertItem(int nItem, const std::string& text);
    int InsertItem(int nItem, const std::string& text, DWORD_PTR data); // text and item data at once
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetItemText(int nItem, int nSubItem, const std::string& text);
    std::string GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR data);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemState(int nItem, UINT state, UINT mask);
    UINT GetItemState(int nItem, UINT mask) const;
    int GetNextItem(int nStart, UINT flags) const;
    int HitTest(POINT point, UINT* pFlags = nullptr) const;
    int SubItemHitTest(POINT point, int* pSubItem, UINT* pFlags = nullptr) const;
    BOOL GetItemRect(int nItem, RECT* pRect, UINT code) const;
    BOOL GetSubItemRect(int nItem, int nSubItem, UINT code, RECT* pRect) const;
    BOOL RedrawItems(int nFirst, int nLast);
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    HWND EditLabel(int nItem);
    HWND GetEditControl() const;
    DWORD SetExtendedStyle(DWORD exStyle);
    DWORD GetExtendedStyle() const;
    int GetTopIndex() const;
    int GetCountPerPage() const;

protected:
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}

    LRESULT OnReflectedDrawItem(WPARAM, LPARAM lParam);
    LRESULT OnReflectedMeasureItem(WPARAM, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
