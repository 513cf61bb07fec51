// CPageListCtrl: one page of properties - an owner-drawn two-column report list ("Name",
// "Value"), one row per property. It stores each row's name, value text and item data word,
// draws the rows itself, and holds the one active behaviour object of the row being edited.
#pragma once
#include "Font.h"
#include "ItemList.h"
#include "LifeToken.h"
#include "ListCtrl.h"

#include <memory>
#include <string>
#include <type_traits>

class CControlsWnd;
class CPageListOwner;

class CPageListCtrl : public CListCtrl, public CItemList {
public:
    CPageListCtrl(CPageListOwner* pCtrl, int nItemHeight);
    ~CPageListCtrl() override;

    // Tells whether this page list still exists after a host's event handler has run.
    CLifeToken::CWatch Watch() const { return m_life.Watch(); }

    virtual BOOL IsGroupPage();
    virtual void ToggleGroup(long nRow, BOOL* pbExpanded);
    // The new row's index, or the negative result of a failed insertion.
    virtual int InsertRow(int nIndex, const std::string& strName, DWORD dwData, const std::string& strGroup);
    virtual BOOL DeleteRow(int nRow);
    virtual void InvalidateItems(BOOL bErase);
    virtual void SetRowName(int nRow, const std::string& strName);
    virtual BOOL IsEditKind(int nRow);
    virtual BOOL IsEditButtonKind(int nRow);
    virtual BOOL HasOwnIcon(int nRow);
    // The row's kind name; null for a row out of range or of an unregistered kind.
    virtual const char* GetItemAs(int nRow);
    virtual BOOL IsGrayed(int nRow);
    virtual BOOL IsBold(int nRow);
    virtual BOOL IsEnabled(int nRow);
    virtual BOOL IsBlack(int nRow);
    virtual void SaveItemsText(std::string& strText);
    // Replaces the rows by those of a page's part of the layout text.
    virtual void LoadItemsText(const std::string& strText);
    virtual BOOL Create(HWND hParent, UINT nID);
    // The value cell of the row; null (and an empty rectangle) for a row out of range.
    RECT* GetCellRect(RECT* pRect, int nRow) override;
    CPageListOwner* GetControl() override;
    virtual BOOL DeleteAllItems();
    CControlsWnd* GetActiveControlsWnd() override;
    virtual void OnDrawItemBegin(HDC hDC, int nRow, DWORD dwItemData);
    virtual void OnDrawItemEnd(HDC hDC, int nRow, DWORD dwItemData);
    virtual BOOL IsOverDivider();
    virtual BOOL IsEditorVisible();
    void ReleaseActive() override;
    virtual BOOL ActivateRow(int nRow);
    virtual void DoDefaultAction(int nRow);
    virtual BOOL OnRowSelected(int nRow, int nReserved);
    void OnEditorHidden() override;
    virtual DWORD GetListStyle();
    virtual DWORD GetListExStyle();
    virtual int AddItemFromText(const std::string& strName, const std::string& strAs, const std::string& strType,
                                const std::string& strGroup);
    virtual BOOL InitColumns();
    BOOL SetItemValue(int nRow, const std::string& strText) override;
    virtual BOOL OnControlEvent(long nParam);

    // The row's behaviour object. With bRelease FALSE the caller calls its Release when done;
    // with bRelease TRUE it is released at once and returned only if it survives (persistent).
    CControlsWnd* GetControlsWnd(int nRow, BOOL bRelease);
    void SetPageIndex(int nPage) { m_nPage = nPage; }
    int GetPageIndex() const { return m_nPage; }
    // The font the in-place editors get; editors showing the old font are given the new one.
    void SetItemFont(const LOGFONTW& description);
    HFONT GetItemFont() const override { return m_ItemFont; }
    HWND GetListWindow() const override { return m_hWnd; }
    std::string GetItemText(int nRow, int nColumn) const override { return CListCtrl::GetItemText(nRow, nColumn); }
    BOOL RedrawItems(int nFirst, int nLast) override { return CListCtrl::RedrawItems(nFirst, nLast); }
    int GetNameColumn() const { return m_nNameColumn; }
    // Counts what may change which row a name finds: rows inserted, deleted or sorted, names
    // set, whoever sends the list the message. Equal counts mean the same names in the same rows.
    unsigned GetNameChanges() const { return m_nNameChanges; }
    int GetValueColumn() const { return m_nValueColumn; }
    // The drop button of the focused selected row, client coordinates; empty when none.
    const RECT& GetButtonRect() const { return m_rcButton; }

    // Draws a value cell that is not plain text (colour swatch, font sample); FALSE otherwise.
    BOOL DrawValueCell(int nRow, HDC hDC, const RECT& rect);
    // hDC null: the window's own device context.
    void DrawRowButton(HDC hDC, const RECT& rect, int nRow, BOOL bPressed);

    // Shared by every page list of the process; set from the control's AutoResizingColumns.
    static void SetAutoResizingColumns(BOOL bAuto) { s_bAutoResizingColumns = bAuto; }
    static BOOL GetAutoResizingColumns() { return s_bAutoResizingColumns; }

protected:
    void DrawItem(LPDRAWITEMSTRUCT pDraw) override;
    void MeasureItem(LPMEASUREITEMSTRUCT pMeasure) override;
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnRowInserting(WPARAM, LPARAM);
    LRESULT OnRowDeleting(WPARAM, LPARAM);
    LRESULT OnAllRowsDeleting(WPARAM, LPARAM);
    LRESULT OnRowsSorting(WPARAM, LPARAM);
    LRESULT OnItemChanging(WPARAM, LPARAM);
    LRESULT OnItemTextChanging(WPARAM, LPARAM);

    int m_nNameColumn = -1;
    int m_nValueColumn = -1;
    CControlsWnd* m_pActive = nullptr;
    CLifeToken::CWatch m_activeAlive;
    RECT m_rcButton = {0, 0, 0, 0};
    int m_nItemHeight;
    POINT m_ptDrag = {-1, -1};
    CPageListOwner* m_pCtrl;
    int m_nPage = -1;
    CFont m_ItemFont;
    CFont m_NormalFont;
    CFont m_BoldFont;
    int m_nLoadedRow = -1;
    int m_nPrevSelection = -1;

    DECLARE_MESSAGE_MAP()

private:
    struct IconDeleter {
        void operator()(HICON hIcon) const { DestroyIcon(hIcon); }
    };
    using CIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

    static CIcon LoadRowIcon(int nID);
    // Keeps the active object, the loaded row and the row map with their properties when rows
    // come and go, whoever inserts or deletes them.
    void OnRowInserted(int nRow);
    void OnRowDeleted(int nRow);
    void ForgetAllRows();
    bool IsRow(int nRow) const;
    bool IsKind(int nRow, const char* pszAs);
    // The row's type word; false for a row out of range.
    bool GetRowType(int nRow, WORD* pType) const;
    HICON RowButtonIcon(int nRow);

    CIcon m_hIconDrop;        // 204, the default drop button
    CIcon m_hIconArrow;       // 205, the combo arrow of the drop-down lists
    CIcon m_hIconButton;      // 206, "Button" and "Font"
    CIcon m_hIconEditButton;  // 213
    CIcon m_hIconPressed;     // 208, drawn over a pressed button
    CIcon m_hIconReturn;      // 211
    CIcon m_hIconLink;        // 212

    unsigned m_nNameChanges = 0;
    CLifeToken m_life;

    static BOOL s_bAutoResizingColumns;
};
