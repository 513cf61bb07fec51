// CPageListCtrl: one page of properties - an owner-drawn two-column report list ("Name",
// "Value"), one row per property. It stores each row's name, value text and item data word,
// draws the rows itself, holds the one active behaviour object of the row being edited, and
// decides from the mouse and the keyboard when that row's editor opens.
#pragma once
#include "Dpi.h"
#include "EventSinkMap.h"
#include "Font.h"
#include "ItemList.h"
#include "ItemSlots.h"
#include "ItemToolTipCtrl.h"
#include "LifeToken.h"
#include "ListCtrl.h"
#include "PageListArt.h"
#include "RowNameIndex.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CControlsWnd;
class CPageListOwner;

class CPageListCtrl : public CListCtrl, public CItemList, public CEventSinkTarget {
public:
    // nItemHeight: the row height on a 96-DPI screen.
    CPageListCtrl(CPageListOwner* pCtrl, int nItemHeight);
    ~CPageListCtrl() override;

    // Tells whether this page list still exists after a host's event handler has run.
    CLifeToken::CWatch Watch() const { return m_life.Watch(); }

    virtual BOOL IsGroupPage();
    void ToggleGroup(long nRow, BOOL* pbExpanded) override;
    // The new row's index, or the negative result of a failed insertion.
    virtual int InsertRow(int nIndex, const std::string& strName, DWORD dwData, const std::string& strGroup);
    // A property the host inserts: the row index it is shown at, which the other methods take
    // for it; negative when it is shown nowhere or the insertion failed.
    virtual int InsertProperty(int nIndex, const std::string& strName, DWORD dwData);
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
    virtual void LoadItemsText(std::string_view text);
    virtual BOOL Create(HWND hParent, UINT nID);
    // As Create, but hidden: for a page its floor shows only once it comes to the front.
    BOOL CreateBehind(HWND hParent, UINT nID);
    // The value cell of the row; null (and an empty rectangle) for a row out of range.
    RECT* GetCellRect(RECT* pRect, int nRow) override;
    CPageListOwner* GetControl() override;
    virtual BOOL DeleteAllItems();
    CControlsWnd* GetActiveControlsWnd() override;
    virtual void OnDrawItemBegin(HDC hDC, int nRow, DWORD dwItemData);
    virtual void OnDrawItemEnd(HDC hDC, int nRow, DWORD dwItemData);
    // pt: client coordinates of the mouse message being handled.
    virtual BOOL IsOverDivider(POINT pt);
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

    // Selects the row as a click does (selected and focused, scrolled entirely into view), so
    // that the host hears of it and the row becomes the active one.
    void SelectRow(int nRow);
    // The last column takes the rest of the client width (while AutoResizingColumns is on).
    void AutoResizeColumns();

    // The row's behaviour object. With bRelease FALSE the caller calls its Release when done;
    // with bRelease TRUE it is released at once and returned only if it survives (persistent).
    CControlsWnd* GetControlsWnd(int nRow, BOOL bRelease);
    void SetPageIndex(int nPage) { m_nPage = nPage; }
    int GetPageIndex() const override { return m_nPage; }
    // The font the in-place editors get; editors showing the old font are given the new one.
    void SetItemFont(const LOGFONTW& description);
    HFONT GetItemFont() const override { return m_ItemFont ? m_ItemFont->Get() : nullptr; }
    HWND GetListWindow() const override { return m_hWnd; }
    std::string GetItemText(int nRow, int nColumn) const override { return CListCtrl::GetItemText(nRow, nColumn); }
    BOOL RedrawItems(int nFirst, int nLast) override { return CListCtrl::RedrawItems(nFirst, nLast); }
    int GetNameColumn() const override { return m_nNameColumn; }
    // The first row whose name, case folded, is strFolded; -1 when none.
    int FindRowNamed(const std::string& strFolded);
    // Counts what may change which row a name finds: rows inserted, deleted or sorted, names
    // set, whoever sends the list the message. Equal counts mean the same names in the same rows.
    unsigned GetNameChanges() const { return m_nNameChanges; }
    int GetValueColumn() const { return m_nValueColumn; }
    // The drop button of the focused selected row, client coordinates; empty when none.
    const RECT& GetButtonRect() const { return m_rcButton; }
    // The dots per inch the list draws at: its window's, followed as the window is told of a change.
    const CDpi& GetDpi() const { return m_dpi; }

    // The rows accessibility clients hold objects of, followed as rows come and go.
    CItemSlots& GetAccessibleRows() { return m_accessibleRows; }
    // The row's default action as an accessibility client asks for it: run once the client's
    // call has returned, on the row where it is by then.
    void DoAccessibleAction(int nRow);

    // The tooltip this list uses when the ToolTips option is on as its columns are made: the
    // floor's, shared by its pages and given before the window is made. A list given none makes
    // its own.
    void ShareToolTip(std::shared_ptr<CItemToolTipCtrl> pToolTip) { m_pToolTip = std::move(pToolTip); }
    // The item tooltip; null when the ToolTips option was off as the columns were made.
    const CItemToolTipCtrl* GetToolTip() const { return m_pToolTip.get(); }

    // Draws a value cell that is not plain text (colour swatch, font sample); FALSE otherwise.
    BOOL DrawValueCell(int nRow, HDC hDC, const RECT& rect);
    // hDC null: the window's own device context.
    void DrawRowButton(HDC hDC, const RECT& rect, int nRow, BOOL bPressed);

    // Shared by every page list of the process, on every thread; set from the control's
    // AutoResizingColumns.
    static void SetAutoResizingColumns(BOOL bAuto) { s_bAutoResizingColumns.store(bAuto); }
    static BOOL GetAutoResizingColumns() { return s_bAutoResizingColumns.load(); }

protected:
    // Keys go to an open editor, and scrolling ends the active object, before the message map.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(LPDRAWITEMSTRUCT pDraw) override;
    void MeasureItem(LPMEASUREITEMSTRUCT pMeasure) override;
    // 0: no editor; 1: second click on an Edit or EditButton row; 2: click in the row button.
    int GetEditMode(int nRow, POINT pt, int nPrevSelection);
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    // Fonts, row height and columns made again for the new DPI: the one the message carries
    // (a top-level window's), or the window's own once its parent has followed.
    LRESULT OnDpiChanged(WPARAM, LPARAM);
    LRESULT OnDpiChangedAfterParent(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnRButton(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseWheel(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    LRESULT OnWindowPosChanged(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnItemChanged(WPARAM, LPARAM);
    LRESULT OnNotifyTaken(WPARAM, LPARAM);
    LRESULT OnEndLabelEdit(WPARAM, LPARAM);
    void OnRowPicked(DISPPARAMS* pParams);
    LRESULT OnRowInserting(WPARAM, LPARAM);
    LRESULT OnRowDeleting(WPARAM, LPARAM);
    LRESULT OnAllRowsChanging(WPARAM, LPARAM);
    LRESULT OnItemChanging(WPARAM, LPARAM);
    LRESULT OnItemTextChanging(WPARAM, LPARAM);
    LRESULT OnGetObject(WPARAM, LPARAM);
    LRESULT OnAccessibleAction(WPARAM, LPARAM);
    // WinEvents of a row (child id nRow + 1), and of the focus and selection a row gained.
    void NotifyRow(DWORD dwEvent, int nRow) const;
    void NotifyRowStates(int nRow, UINT nOld, UINT nNew) const;

    // What a row shows, for rows put in as a block.
    struct RowContent {
        std::string strName;
        DWORD dwData;
        std::string strValue;
    };
    // Rows in and out as one block: the list view's own work per row, but what follows the
    // rows (active row, row map, followed rows) is brought up to date once for the whole
    // block. No host hears of anything meanwhile: the rows taken out must not be selected or
    // focused. Both answer how many rows went in or out.
    int InsertRows(int nAt, const std::vector<RowContent>& rows);
    int DeleteRows(int nFirst, int nCount);

    bool IsRow(int nRow) const;
    bool IsSelectedRow(int nRow) const;
    BOOL CreateList(HWND hParent, UINT nID, DWORD dwShown);
    void RepaintFromPicture();
    // The client point of a mouse message.
    static POINT MessagePoint(LPARAM lParam);

    int m_nNameColumn = -1;
    int m_nValueColumn = -1;
    std::shared_ptr<CItemToolTipCtrl> m_pToolTip;
    CControlsWnd* m_pActive = nullptr;
    CLifeToken::CWatch m_activeAlive;
    RECT m_rcButton = {0, 0, 0, 0};
    int m_nItemHeight;
    CDpi m_dpi;
    POINT m_ptDrag = {-1, -1};
    CPageListOwner* m_pCtrl;
    int m_nPage = -1;
    // Shared with the page lists given the same font.
    std::shared_ptr<const CFont> m_ItemFont;
    // The normal and bold fonts and the row-button icons, shared by every page list.
    std::shared_ptr<const CPageListArt> m_art;
    int m_nLoadedRow = -1;
    int m_nPrevSelection = -1;

    DECLARE_MESSAGE_MAP()
    DECLARE_EVENTSINK_MAP()

private:
    // The list's own handling of a message that changes rows, then (while the page list still
    // exists: a notification sent half-way may have reached a host that deleted it) the count
    // of name changes and what follows from the result.
    LRESULT AfterRowsChange(const std::function<void(LRESULT)>& after);
    // The name index hears of a row's new name, whoever set it.
    LRESULT AfterNameSet(int nRow);
    std::string RowName(int nRow) const { return GetItemText(nRow, m_nNameColumn); }
    // Keeps the active object, the loaded row and the row map with their properties when rows
    // come and go, whoever inserts or deletes them.
    void OnRowsInserted(int nFirst, int nCount);
    void OnRowsDeleted(int nFirst, int nCount);
    void ForgetAllRows();
    bool IsKind(int nRow, const char* pszAs);
    // The tooltip reads the mouse from the messages the list gets, while it serves this list.
    void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam);
    // The row's type word; false for a row out of range.
    bool GetRowType(int nRow, WORD* pType) const;
    HICON RowButtonIcon(int nRow);
    // The cell's text as the list holds it, in a buffer kept for the next cell: good until the
    // next call.
    std::wstring_view CellText(int nRow, int nColumn);
    // DrawValueCell with the row's kind name and value text read already.
    bool DrawKindCell(int nRow, const char* pszAs, std::wstring_view text, HDC hDC, const RECT& rect);

    // Runs code that may run a host's event handler. FALSE when this page list was deleted
    // meanwhile; otherwise *pRowAfter is where nRow is now, -1 when the row went.
    BOOL FollowRow(int nRow, const std::function<void()>& run, int* pRowAfter);
    // FALSE when this page list was deleted meanwhile; *pRow follows the row to be selected.
    BOOL LeaveOtherRows(int* pRow);
    void OnRowBecameSelected(int nRow);
    void OnRowClicked(int nRow, POINT pt);
    void OnKeyForActiveRow(UINT nChar, LPARAM lKeyFlags);
    void FireDeleteForActiveRow();
    bool IsDraggingDivider() const { return m_ptDrag.x != -1 || m_ptDrag.y != -1; }
    void BeginDividerDrag(POINT pt);
    void EndDividerDrag();
    void DragDividerTo(POINT pt);
    // Shows or hides the window without drawing anything.
    void SetVisibleStyle(bool bVisible);
    void FollowDpi(const CDpi& dpi);

    unsigned m_nNameChanges = 0;
    CRowNameIndex m_nameIndex;
    // Set while a block of rows goes in or out: the rows are followed once, for the block.
    bool m_bBlockOfRows = false;
    // Rows that code waiting for a host's event handler has asked to follow (FollowRow).
    std::vector<int> m_followedRows;
    CLifeToken m_life;
    // The buffer CellText reads into.
    std::wstring m_cellText;
    CItemSlots m_accessibleRows;
    // The rows of the default actions accessibility clients have asked for, oldest first.
    std::vector<std::shared_ptr<long>> m_pendingActions;
    static constexpr UINT kAccessibleAction = WM_APP + 0x30;

    static std::atomic<BOOL> s_bAutoResizingColumns;
};
