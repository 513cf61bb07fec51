// CItemList: what a row's behaviour object may ask of the page list that holds its row. The
// plain, tree and design page lists all offer it, so a kind never depends on which one it is in.
#pragma once
#include <windows.h>

#include <string>

class CControlsWnd;
class CPageListOwner;

class CItemList {
public:
    // The list's window: parent of the in-place editors.
    virtual HWND GetListWindow() const = 0;
    // The control behind the list; null without one.
    virtual CPageListOwner* GetControl() = 0;
    // The list's position among the floor's pages; -1 before the floor places it.
    virtual int GetPageIndex() const = 0;
    virtual std::string GetItemText(int nRow, int nColumn) const = 0;
    // The column that holds the property names.
    virtual int GetNameColumn() const = 0;
    // FALSE for a row out of range.
    virtual BOOL SetItemValue(int nRow, const std::string& strText) = 0;
    // The value cell of the row; null (and an empty rectangle) for a row out of range.
    virtual RECT* GetCellRect(RECT* pRect, int nRow) = 0;
    virtual BOOL RedrawItems(int nFirst, int nLast) = 0;
    // The font the in-place editors get.
    virtual HFONT GetItemFont() const = 0;
    virtual CControlsWnd* GetActiveControlsWnd() = 0;
    virtual void ReleaseActive() = 0;
    // Told when an editor has been hidden.
    virtual void OnEditorHidden() = 0;
    // Expands or collapses the group of a group row and flips *pbExpanded; a list that does
    // not fold its rows does nothing.
    virtual void ToggleGroup(long nRow, BOOL* pbExpanded) = 0;

protected:
    ~CItemList() = default;
};
