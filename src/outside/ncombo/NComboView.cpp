#include "NComboView.h"

#include "ClientDC.h"
#include "Dpi.h"
#include "PaintDC.h"
#include "Text.h"

#include <algorithm>

namespace {

const wchar_t kClassName[] = L"NComboControlView";
const int kDisplayPadding = 6;

} // namespace

BEGIN_MESSAGE_MAP(CNComboView, CWnd)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLeftButtonDown)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_MESSAGE(WM_SYSKEYDOWN, OnSysKeyDown)
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_MESSAGE(WM_NOTIFY, OnNotify)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP(CWnd)

BOOL CNComboView::Create(HWND hParent, const RECT& rect)
{
    RegisterWindowClass(kClassName, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CWnd::Create(kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, rect, hParent, 0);
}

long CNComboView::InsertColumn(long nIndex, const std::string& heading, long nWidth, long nFormat, BOOL bVisible)
{
    if (nIndex < 0 || nIndex > GetColumnCount())
        nIndex = GetColumnCount();
    m_columns.insert(m_columns.begin() + nIndex, Column{heading, std::max(nWidth, 0L), nFormat, bVisible});
    for (Row& row : m_rows)
        row.cells.insert(row.cells.begin() + nIndex, std::string());
    CloseList();
    return nIndex;
}

BOOL CNComboView::DeleteColumn(long nColumn)
{
    if (!IsColumn(nColumn))
        return FALSE;
    m_columns.erase(m_columns.begin() + nColumn);
    for (Row& row : m_rows)
        row.cells.erase(row.cells.begin() + nColumn);
    CloseList();
    return TRUE;
}

std::string CNComboView::GetColumnName(long nColumn) const
{
    return IsColumn(nColumn) ? m_columns[static_cast<size_t>(nColumn)].heading : std::string();
}

long CNComboView::GetColumnWidth(long nColumn) const
{
    return IsColumn(nColumn) ? m_columns[static_cast<size_t>(nColumn)].nWidth : -1;
}

BOOL CNComboView::SetColumnWidth(long nColumn, long nWidth)
{
    if (!IsColumn(nColumn) || nWidth < 0)
        return FALSE;
    m_columns[static_cast<size_t>(nColumn)].nWidth = nWidth;
    return TRUE;
}

BOOL CNComboView::GetColumnVisible(long nColumn) const
{
    return IsColumn(nColumn) && m_columns[static_cast<size_t>(nColumn)].bVisible;
}

BOOL CNComboView::SetColumnVisible(long nColumn, BOOL bVisible)
{
    if (!IsColumn(nColumn))
        return FALSE;
    m_columns[static_cast<size_t>(nColumn)].bVisible = bVisible;
    return TRUE;
}

long CNComboView::InsertItem(long nIndex, const std::string& text)
{
    if (nIndex < 0 || nIndex > GetItemCount())
        nIndex = GetItemCount();
    Row row;
    row.cells.resize(std::max<size_t>(m_columns.size(), 1));
    row.cells[0] = text;
    m_rows.insert(m_rows.begin() + nIndex, std::move(row));
    if (m_nSelected >= nIndex)
        ++m_nSelected;
    CloseList();
    return nIndex;
}

BOOL CNComboView::DeleteItem(long nRow)
{
    if (!IsRow(nRow))
        return FALSE;
    m_rows.erase(m_rows.begin() + nRow);
    if (m_nSelected == nRow)
        m_nSelected = -1;
    else if (m_nSelected > nRow)
        --m_nSelected;
    CloseList();
    return TRUE;
}

BOOL CNComboView::SetItemText(long nRow, long nColumn, const std::string& text)
{
    if (!IsRow(nRow) || !IsColumn(nColumn))
        return FALSE;
    m_rows[static_cast<size_t>(nRow)].cells[static_cast<size_t>(nColumn)] = text;
    if (m_hWnd && nRow == m_nSelected)
        Invalidate();
    return TRUE;
}

std::string CNComboView::GetCellText(long nRow, long nColumn) const
{
    if (!IsRow(nRow) || nColumn < 0)
        return std::string();
    const std::vector<std::string>& cells = m_rows[static_cast<size_t>(nRow)].cells;
    return static_cast<size_t>(nColumn) < cells.size() ? cells[static_cast<size_t>(nColumn)] : std::string();
}

BOOL CNComboView::SetItemData(long nRow, long nData)
{
    if (!IsRow(nRow))
        return FALSE;
    m_rows[static_cast<size_t>(nRow)].nData = nData;
    return TRUE;
}

long CNComboView::GetItemData(long nRow) const
{
    return IsRow(nRow) ? m_rows[static_cast<size_t>(nRow)].nData : 0;
}

void CNComboView::SetSelectedRow(long nRow)
{
    m_nSelected = IsRow(nRow) ? nRow : -1;
    if (m_hWnd)
        Invalidate();
}

void CNComboView::Activate(BOOL bActive)
{
    if (!m_hWnd)
        return;
    if (bActive) {
        ShowWindow(SW_SHOW);
        SetFocus();
    } else {
        CloseList();
        ShowWindow(SW_HIDE);
    }
}

long CNComboView::GetControlHeight() const
{
    CClientDC hdc(m_hWnd);
    HGDIOBJ hOld = SelectObject(hdc, m_hFont ? m_hFont : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(hdc, &metrics);
    SelectObject(hdc, hOld);
    return metrics.tmHeight + CDpi::OfWindow(m_hWnd).Scale(kDisplayPadding);
}

void CNComboView::SetShowHeadings(BOOL bShow)
{
    m_bShowHeadings = bShow;
    CloseList();
}

void CNComboView::SetDisplayFont(HFONT hFont)
{
    m_hFont = hFont;
    if (m_hWnd)
        Invalidate();
}

RECT CNComboView::GetButtonRect() const
{
    const RECT client = GetClientRect();
    const int width = CDpi::OfWindow(m_hWnd).SystemMetric(SM_CXVSCROLL);
    return RECT{client.right - width, client.top, client.right, client.bottom};
}

void CNComboView::FillList()
{
    m_list.DeleteAllItems();
    while (m_list.GetColumnCount() > 0)
        m_list.DeleteColumn(0);
    for (size_t c = 0; c < m_columns.size(); ++c)
        m_list.InsertColumn(static_cast<int>(c), m_columns[c].heading, static_cast<int>(m_columns[c].nFormat),
                            m_columns[c].bVisible ? static_cast<int>(m_columns[c].nWidth) : 0);
    for (size_t r = 0; r < m_rows.size(); ++r) {
        const int nItem = m_list.InsertItem(static_cast<int>(r), m_rows[r].cells.empty() ? "" : m_rows[r].cells[0]);
        for (size_t c = 1; c < m_rows[r].cells.size(); ++c)
            m_list.SetItemText(nItem, static_cast<int>(c), m_rows[r].cells[c]);
    }
}

void CNComboView::OpenList()
{
    if (!m_hWnd || IsListOpen())
        return;
    RECT window = GetWindowRect();
    const LONG width = std::max<LONG>(window.right - window.left, m_nDropDownWidth);
    const RECT dropDown = {window.left, window.bottom, window.left + width, window.bottom + m_nDropDownHeight};
    if (!m_list.m_hWnd
        && !m_list.Create(WS_POPUP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, dropDown, m_hWnd, 0))
        return;
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const LONG_PTR style = GetWindowLongPtrW(m_list.m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(m_list.m_hWnd, GWL_STYLE, m_bShowHeadings ? style & ~LVS_NOCOLUMNHEADER : style | LVS_NOCOLUMNHEADER);
    if (m_hFont)
        m_list.SetFont(m_hFont, FALSE);
    FillList();
    const int nFocus = m_nSelected >= 0 ? static_cast<int>(m_nSelected) : 0;
    m_list.SetItemState(nFocus, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(nFocus, FALSE);
    m_list.MoveWindow(dropDown);
    m_list.ShowWindow(SW_SHOW);
    m_list.SetFocus();
}

void CNComboView::CloseList()
{
    if (!IsListOpen())
        return;
    m_list.ShowWindow(SW_HIDE);
    if (m_hWnd && IsWindowVisible())
        SetFocus();
}

void CNComboView::Pick(long nRow)
{
    CloseList();
    if (!IsRow(nRow))
        return;
    SetSelectedRow(nRow);
    m_events.OnRowPicked(nRow);
}

LRESULT CNComboView::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(m_hWnd);
    const RECT client = GetClientRect();
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ hOldFont = SelectObject(dc, m_hFont ? m_hFont : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT button = GetButtonRect();
    if (IsRow(m_nSelected)) {
        const CDpi dpi = CDpi::OfWindow(m_hWnd);
        RECT cell = {client.left + dpi.Scale(2), client.top, client.left + dpi.Scale(2), client.bottom};
        for (size_t c = 0; c < m_columns.size() && cell.left < button.left; ++c) {
            if (!m_columns[c].bVisible)
                continue;
            cell.right = std::min<LONG>(cell.left + m_columns[c].nWidth, button.left);
            const std::wstring text = Utf8ToWide(m_rows[static_cast<size_t>(m_nSelected)].cells[c]);
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &cell,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
            cell.left = cell.right + dpi.Scale(4);
        }
    }
    SelectObject(dc, hOldFont);
    DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLDOWN | (IsListOpen() ? DFCS_PUSHED : 0u));
    return 0;
}

LRESULT CNComboView::OnLeftButtonDown(WPARAM, LPARAM)
{
    SetFocus();
    if (IsListOpen())
        CloseList();
    else
        OpenList();
    return 0;
}

LRESULT CNComboView::OnKeyDown(WPARAM wParam, LPARAM)
{
    switch (wParam) {
    case VK_F4:
        OpenList();
        return 0;
    case VK_DOWN:
        Pick(std::min(m_nSelected + 1, GetItemCount() - 1));
        return 0;
    case VK_UP:
        if (m_nSelected > 0)
            Pick(m_nSelected - 1);
        return 0;
    default:
        return Default();
    }
}

LRESULT CNComboView::OnSysKeyDown(WPARAM wParam, LPARAM)
{
    if (wParam == VK_DOWN) {
        OpenList();
        return 0;
    }
    return Default();
}

LRESULT CNComboView::OnGetDlgCode(WPARAM, LPARAM)
{
    return DLGC_WANTARROWS;
}

LRESULT CNComboView::OnNotify(WPARAM, LPARAM lParam)
{
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader->hwndFrom != m_list.m_hWnd)
        return Default();
    switch (pHeader->code) {
    case NM_CLICK: {
        const int nItem = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
        if (nItem >= 0)
            Pick(nItem);
        return 0;
    }
    case NM_RETURN:
        Pick(m_list.GetNextItem(-1, LVNI_SELECTED));
        return 0;
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_ESCAPE)
            CloseList();
        return 0;
    case NM_KILLFOCUS:
        CloseList();
        return 0;
    default:
        return 0;
    }
}

LRESULT CNComboView::OnDestroy(WPARAM, LPARAM)
{
    m_list.DestroyWindow();
    return Default();
}
