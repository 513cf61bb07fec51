// Column sizing of the page list: the value column follows the window's width, and the divider
// between the name and the value column can be dragged.
#include "PageListCtrl.h"

#include "ClientDC.h"
#include "PageListOwner.h"
#include "WindowPicture.h"

#include <cstdlib>

namespace {

const COLORREF kPictureBackground = RGB(255, 255, 255);

} // namespace

BOOL CPageListCtrl::IsOverDivider(POINT pt)
{
    if (!s_bAutoResizingColumns || !m_pCtrl || !m_pCtrl->GetResizeFirstColumn())
        return FALSE;
    int x = 0;
    for (int nColumn = 0; nColumn <= m_nNameColumn; ++nColumn)
        x += GetColumnWidth(nColumn);
    RECT rcDivider = GetClientRect();
    rcDivider.left = x - m_dpi.Scale(2);
    rcDivider.right = x + m_dpi.Scale(2);
    return PtInRect(&rcDivider, pt);
}

void CPageListCtrl::AutoResizeColumns()
{
    const RECT rcClient = GetClientRect();
    const int nColumns = GetColumnCount();
    if (!s_bAutoResizingColumns || IsRectEmpty(&rcClient) || nColumns < 1)
        return;
    const int nLast = nColumns - 1;
    int nOthers = 0;
    for (int nColumn = 0; nColumn < nLast; ++nColumn)
        nOthers += GetColumnWidth(nColumn);
    const int nWidth = std::abs(rcClient.right - rcClient.left - nOthers);
    // A page made only taller or shorter keeps its columns, and the list is not laid out
    // again for nothing.
    if (GetColumnWidth(nLast) == nWidth)
        return;
    SetColumnWidth(nLast, nWidth);
    // The list lays its scroll position out again for the new total width.
    SendMessage(WM_HSCROLL, SB_ENDSCROLL);
}

LRESULT CPageListCtrl::OnSize(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    AutoResizeColumns();
    return result;
}

LRESULT CPageListCtrl::OnDpiChanged(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    FollowDpi(CDpi(HIWORD(wParam)));
    return result;
}

LRESULT CPageListCtrl::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    FollowDpi(CDpi::OfWindow(m_hWnd));
    return result;
}

void CPageListCtrl::FollowDpi(const CDpi& dpi)
{
    if (dpi == m_dpi)
        return;
    const CDpi old = m_dpi;
    m_dpi = dpi;
    m_art = CPageListArt::Shared(m_dpi);
    for (int nColumn = 0; nColumn < GetColumnCount(); ++nColumn)
        SetColumnWidth(nColumn, MulDiv(GetColumnWidth(nColumn), m_dpi.Get(), old.Get()));
    LOGFONTW description;
    if (m_pCtrl && m_pCtrl->GetItemFont(&description))
        SetItemFont(description);
    // An owner-drawn list measures its rows again only as its size changes.
    const RECT rcWindow = GetWindowRect();
    const int nWidth = rcWindow.right - rcWindow.left;
    const int nHeight = rcWindow.bottom - rcWindow.top;
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(m_hWnd, nullptr, 0, 0, nWidth, nHeight + 1, flags);
    SetWindowPos(m_hWnd, nullptr, 0, 0, nWidth, nHeight, flags);
    AutoResizeColumns();
    Invalidate(TRUE);
}

LRESULT CPageListCtrl::OnSetCursor(WPARAM, LPARAM)
{
    // The cursor is set before the move that brought it here is taken from the queue: the
    // position of the last message taken would be the one before.
    POINT pt = {};
    GetCursorPos(&pt);
    ScreenToClient(m_hWnd, &pt);
    if (!IsOverDivider(pt))
        return Default();
    ::SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
    return TRUE;
}

LRESULT CPageListCtrl::OnMouseMove(WPARAM, LPARAM lParam)
{
    if (IsDraggingDivider())
        DragDividerTo(MessagePoint(lParam));
    return Default();
}

// A drag whose capture was taken away (another window, a menu) ends there, or every later
// move would go on resizing the columns.
LRESULT CPageListCtrl::OnCaptureChanged(WPARAM, LPARAM)
{
    m_ptDrag = POINT{-1, -1};
    return Default();
}

void CPageListCtrl::BeginDividerDrag(POINT pt)
{
    const CLifeToken::CWatch alive = Watch();
    ReleaseActive();
    if (!alive)
        return;
    ::SetCapture(m_hWnd);
    m_ptDrag = pt;
}

void CPageListCtrl::EndDividerDrag()
{
    ::ReleaseCapture();
    m_ptDrag = POINT{-1, -1};
}

// Out of range the drag point stays where it was, so the mouse has to come back to where the
// divider stopped before it moves again.
void CPageListCtrl::DragDividerTo(POINT pt)
{
    const RECT rcClient = GetClientRect();
    const int nClientWidth = rcClient.right - rcClient.left;
    const int nMin = nClientWidth / 6;
    const int nMax = nClientWidth - nMin;
    const int nWidth = GetColumnWidth(m_nNameColumn) + (pt.x - m_ptDrag.x);
    if (nWidth < nMin || nWidth > nMax)
        return;
    SetVisibleStyle(false);
    SetColumnWidth(m_nNameColumn, nWidth);
    AutoResizeColumns();
    SetVisibleStyle(true);
    RepaintFromPicture();
    m_ptDrag = pt;
}

void CPageListCtrl::SetVisibleStyle(bool bVisible)
{
    const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, bVisible ? style | WS_VISIBLE : style & ~static_cast<LONG_PTR>(WS_VISIBLE));
}

// Both columns change at every step of a drag: drawn off the screen and copied in one piece,
// the rows do not flicker. What was waiting to be painted is on the screen then.
void CPageListCtrl::RepaintFromPicture()
{
    const CWindowPicture picture = CWindowPicture::CaptureWindowImage(m_hWnd, kPictureBackground);
    CClientDC windowDC(m_hWnd);
    if (picture.DrawClientArea(windowDC))
        ValidateRect(m_hWnd, nullptr);
    else
        Invalidate(TRUE);
}
