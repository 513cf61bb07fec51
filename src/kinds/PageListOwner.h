// CPageListOwner: what page lists and row behaviour objects may ask of the control that owns
// them - its events, its display settings, the front page and the row-map table.
// The control implements it; nothing below the control knows the control's class.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

class CRowMapTable;

class CPageListOwner {
public:
    static constexpr int kCustomColorCount = 16;

    // Events; page and row are full indices (-1: none). The control narrows them to what the
    // host's 16-bit arguments can carry, so callers hand them over as they are.
    virtual void FireSelectItem(long nIndexPage, long nIndexItem) = 0;
    virtual void FireUnselectItem(long nIndexPage, long nIndexItem) = 0;
    virtual void FirePropertyChanging(long nIndexPage, long nIndexItem) = 0;
    virtual void FirePropertyChanged(long nIndexPage, long nIndexItem, BOOL bUpdate) = 0;
    virtual void FireButtonClick(long nIndexPage, long nIndexItem) = 0;
    // The host may answer with the list items, separated by "\", which replace *pItems: false
    // when it answered nothing (it left the null string it was handed), true for any string,
    // the empty one included.
    virtual bool FireLoadItems(long nIndexPage, long nIndexItem, std::string* pItems) = 0;
    // The host may place a recordset object in *ppObject.
    virtual void FireSetObject(long nIndexPage, long nIndexItem, IDispatch** ppObject) = 0;
    virtual void FireDelete(long nIndexPage, long nIndexItem) = 0;

    // Settings.
    virtual BOOL GetToolTips() const = 0;
    virtual BOOL GetResizeFirstColumn() const = 0;
    // The item font's description; false when there is none to read.
    virtual bool GetItemFont(LOGFONTW* pDescription) const = 0;
    // Text colour of the value of the row whose editor is open.
    virtual COLORREF GetEditorColor() const = 0;
    virtual void GetCustomColors(COLORREF crColors[kCustomColorCount]) const = 0;
    // Stores the colours; the control reports a change to the host itself.
    virtual void SetCustomColors(const COLORREF crColors[kCustomColorCount]) = 0;

    virtual CRowMapTable& GetRowMapTable() = 0;

protected:
    ~CPageListOwner() = default;
};
