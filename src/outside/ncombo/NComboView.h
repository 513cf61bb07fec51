// CNComboView: the window of the NCombo control, a multi-column combo. The display shows the
// cells of the picked row beside a drop button; the drop-down is a report list with column
// headings. Picking a row (click, or Enter in the list) closes the list and tells the control.
#pragma once
#include "ListCtrl.h"
#include "Wnd.h"

#include <string>
#include <vector>

class CNComboView : public CWnd {
public:
    class CEvents {
    public:
        virtual ~CEvents() = default;
        virtual void OnRowPicked(long nRow) = 0;
    };

    explicit CNComboView(CEvents& events) : m_events(events) {}

    BOOL Create(HWND hParent, const RECT& rect);

    long InsertColumn(long nIndex, const std::string& heading, long nWidth, long nFormat, BOOL bVisible);
    BOOL DeleteColumn(long nColumn);
    long GetColumnCount() const { return static_cast<long>(m_columns.size()); }
    std::string GetColumnName(long nColumn) const;
    long GetColumnWidth(long nColumn) const;
    BOOL SetColumnWidth(long nColumn, long nWidth);
    BOOL GetColumnVisible(long nColumn) const;
    BOOL SetColumnVisible(long nColumn, BOOL bVisible);

    long InsertItem(long nIndex, const std::string& text);
    BOOL DeleteItem(long nRow);
    long GetItemCount() const { return static_cast<long>(m_rows.size()); }
    BOOL SetItemText(long nRow, long nColumn, const std::string& text);
    std::string GetCellText(long nRow, long nColumn) const;
    BOOL SetItemData(long nRow, long nData);
    long GetItemData(long nRow) const;

    long GetSelectedRow() const { return m_nSelected; }
    void SetSelectedRow(long nRow);
    void Activate(BOOL bActive);
    long GetControlHeight() const;
    long GetDropDownHeight() const { return m_nDropDownHeight; }
    void SetDropDownHeight(long nHeight) { m_nDropDownHeight = nHeight > 0 ? nHeight : m_nDropDownHeight; }
    void SetDisplayFont(HFONT hFont); // not owned
    long GetDropDownWidth() const { return m_nDropDownWidth; }
    void SetDropDownWidth(long nWidth) { m_nDropDownWidth = nWidth > 0 ? nWidth : 0; }
    BOOL GetShowHeadings() const { return m_bShowHeadings; }
    void SetShowHeadings(BOOL bShow);

    void OpenList();
    void CloseList();
    bool IsListOpen() const { return m_list.m_hWnd && m_list.IsWindowVisible(); }
    CListCtrl& GetList() { return m_list; }
    RECT GetButtonRect() const;

protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnLeftButtonDown(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnSysKeyDown(WPARAM, LPARAM);
    LRESULT OnGetDlgCode(WPARAM, LPARAM);
    LRESULT OnNotify(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    struct Column {
        std::string heading;
        long nWidth;
        long nFormat;
        BOOL bVisible;
    };
    struct Row {
        std::vector<std::string> cells;
        long nData = 0;
    };

    bool IsRow(long nRow) const { return nRow >= 0 && nRow < GetItemCount(); }
    bool IsColumn(long nColumn) const { return nColumn >= 0 && nColumn < GetColumnCount(); }
    void FillList();
    void Pick(long nRow);

    CEvents& m_events;
    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    long m_nSelected = -1;
    long m_nDropDownHeight = 128;
    long m_nDropDownWidth = 0; // 0: as wide as the display
    BOOL m_bShowHeadings = TRUE;
    HFONT m_hFont = nullptr;
    CListCtrl m_list;
};
