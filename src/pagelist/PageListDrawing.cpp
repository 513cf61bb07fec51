// The owner drawing of the page list's rows.
#include "PageListCtrl.h"

#include "CellFont.h"
#include "ClientDC.h"
#include "ColourText.h"
#include "ControlsWnd.h"
#include "Brush.h"
#include "GdiStack.h"
#include "PageListOwner.h"
#include "RowMaps.h"
#include "Text.h"

#include <algorithm>
#include <cstdlib>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kFocusedBack = RGB(0, 0, 128);
const COLORREF kUnfocusedBack = RGB(192, 192, 192);
const COLORREF kButtonFace = RGB(192, 192, 192);

void FillSolid(HDC hDC, const RECT& rect, COLORREF colour)
{
    CBrush brush(colour);
    FillRect(hDC, &rect, brush);
}

void FrameBlack(HDC hDC, const RECT& rect)
{
    FrameRect(hDC, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void DrawCellText(HDC hDC, const std::string& strText, RECT rect)
{
    const std::wstring text = Utf8ToWide(strText);
    DrawTextW(hDC, text.c_str(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace

void CPageListCtrl::MeasureItem(LPMEASUREITEMSTRUCT pMeasure)
{
    pMeasure->itemHeight = static_cast<UINT>(m_nItemHeight);
}

void CPageListCtrl::DrawItem(LPDRAWITEMSTRUCT pDraw)
{
    const int nRow = static_cast<int>(pDraw->itemID);
    HDC hDC = pDraw->hDC;
    const DWORD dwData = static_cast<DWORD>(GetItemData(nRow));
    const bool bFocused = ::GetFocus() != nullptr && (GetItemState(nRow, LVIS_FOCUSED) & LVIS_FOCUSED);
    const bool bSelected = (GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    if (bFocused && bSelected)
        SetRectEmpty(&m_rcButton);
    const bool bEnabled = IsEnabled(nRow) != FALSE;
    const bool bEdit = IsEditKind(nRow) != FALSE;

    COLORREF crText = kBlack;
    if (bEnabled && bSelected && bFocused)
        crText = kWhite;
    else if (!bEnabled && IsGrayed(nRow))
        crText = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(hDC, crText);
    COLORREF crBack = kWhite;
    if (bEnabled && bSelected)
        crBack = bFocused ? kFocusedBack : kUnfocusedBack;

    const RECT& rcBounds = pDraw->rcItem;
    FillSolid(hDC, rcBounds, kWhite);
    // Texts go over the backgrounds filled here, not over whatever colour the list view left
    // in the device context for its own selection.
    const int nOldMode = SetBkMode(hDC, TRANSPARENT);
    OnDrawItemBegin(hDC, nRow, dwData);
    const bool bOpen = IsEditorVisible() && bFocused;

    CGdiStack gdi;
    RECT rcCell = rcBounds;
    rcCell.left += 2;
    const int nColumns = GetColumnCount();
    for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
        rcCell.right = rcCell.left + GetColumnWidth(nColumn);
        bool bDrawn = false;
        if (nColumn == m_nValueColumn) {
            gdi.Push(hDC, m_NormalFont);
            bDrawn = DrawValueCell(nRow, hDC, rcCell) != FALSE;
        } else if (nColumn == m_nNameColumn) {
            gdi.Push(hDC, IsBold(nRow) ? m_BoldFont : m_NormalFont);
            RECT rcName = rcCell;
            OffsetRect(&rcName, -2, 0);
            rcName.right -= 2;
            FillSolid(hDC, rcName, crBack);
            if (bFocused && !bEnabled) {
                InflateRect(&rcName, 0, -1);
                rcName.bottom += 1;
                FrameBlack(hDC, rcName);
            }
        }
        if (!bDrawn)
            DrawCellText(hDC, GetItemText(nRow, nColumn), rcCell);
        if (nColumn == m_nNameColumn)
            SetTextColor(hDC, bOpen && m_pCtrl ? m_pCtrl->GetEditorColor() : kBlack);
        rcCell.left = rcCell.right + 2;
    }
    OnDrawItemEnd(hDC, nRow, dwData);
    gdi.PopAll();
    SetTextColor(hDC, kBlack);
    SetBkMode(hDC, nOldMode);

    if (bFocused && !bEnabled)
        return;
    if (!bEdit && bFocused && bSelected) {
        RECT rcButton = rcBounds;
        rcButton.top += 1;
        rcButton.left = rcButton.right - (GetSystemMetrics(SM_CXVSCROLL) + 2);
        const int nLastWidth = nColumns > 0 ? GetColumnWidth(nColumns - 1) : 0;
        if (!IsRectEmpty(&rcButton) && rcButton.right - rcButton.left < nLastWidth) {
            m_rcButton = rcButton;
            DrawRowButton(hDC, rcButton, nRow, FALSE);
        }
    }
}

BOOL CPageListCtrl::DrawValueCell(int nRow, HDC hDC, const RECT& rect)
{
    const std::string strText = GetItemText(nRow, m_nValueColumn);
    if (IsKind(nRow, "ColorComboBox")) {
        const RECT rcSquare = {rect.left, rect.top, rect.left + (rect.bottom - rect.top), rect.bottom};
        RECT rcSwatch = rcSquare;
        InflateRect(&rcSwatch, -2, -2);
        OffsetRect(&rcSwatch, 0, 1);
        FillSolid(hDC, rcSwatch, ParseColourText(strText));
        FrameBlack(hDC, rcSwatch);
        RECT rcText = rect;
        rcText.left = rcSquare.right + 4;
        DrawCellText(hDC, strText, rcText);
        return TRUE;
    }
    if (IsKind(nRow, "Font")) {
        auto* pFontSource = dynamic_cast<CCellFont*>(FindControlsWnd(this, nRow));
        const LOGFONTW* pDescription = pFontSource ? pFontSource->GetLogFont() : nullptr;
        if (!pDescription)
            return FALSE; // a font row with no font yet shows its text plainly
        LOGFONTW description = *pDescription;
        description.lfHeight = std::min<LONG>(rect.bottom - rect.top - 2, std::abs(description.lfHeight));
        CFont font(description);
        CGdiStack gdi;
        gdi.Push(hDC, font);
        const COLORREF crPrevious = SetTextColor(hDC, pFontSource->GetFontColor());
        DrawCellText(hDC, strText, rect);
        SetTextColor(hDC, crPrevious);
        gdi.Pop();
        return TRUE;
    }
    return FALSE;
}

HICON CPageListCtrl::RowButtonIcon(int nRow)
{
    if (!HasOwnIcon(nRow))
        return m_hIconDrop.get();
    if (IsKind(nRow, "Button") || IsKind(nRow, "Font"))
        return m_hIconButton.get();
    if (IsKind(nRow, "EditButton"))
        return m_hIconEditButton.get();
    if (IsKind(nRow, "Return"))
        return m_hIconReturn.get();
    return m_hIconLink.get();
}

void CPageListCtrl::DrawRowButton(HDC hDC, const RECT& rect, int nRow, BOOL bPressed)
{
    if (IsKind(nRow, "Group"))
        return;
    if (!hDC) {
        CClientDC windowDC(m_hWnd);
        DrawRowButton(windowDC, rect, nRow, bPressed);
        return;
    }
    RECT rcBox = rect;
    InflateRect(&rcBox, -1, -1);
    FillSolid(hDC, rcBox, kButtonFace);
    DrawEdge(hDC, &rcBox, EDGE_RAISED, BF_RECT);
    InflateRect(&rcBox, -1, -1);
    DrawIconEx(hDC, rcBox.left, rcBox.top, RowButtonIcon(nRow), 0, 0, 0, nullptr, DI_NORMAL);
    if (bPressed)
        DrawIconEx(hDC, rcBox.left, rcBox.top, m_hIconPressed.get(), 0, 0, 0, nullptr, DI_NORMAL);
}
