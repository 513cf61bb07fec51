// The owner drawing of the page list's rows.
#include "PageListCtrl.h"

#include "AsControls.h"
#include "CellFont.h"
#include "ClientDC.h"
#include "ColourText.h"
#include "ControlsWnd.h"
#include "GdiStack.h"
#include "ItemData.h"
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

// With the device context's own brush: no brush is made for a fill.
void FillSolid(HDC hDC, const RECT& rect, COLORREF colour)
{
    const COLORREF crPrevious = SetDCBrushColor(hDC, colour);
    FillRect(hDC, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(hDC, crPrevious);
}

void FrameBlack(HDC hDC, const RECT& rect)
{
    FrameRect(hDC, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void DrawCellText(HDC hDC, std::wstring_view text, RECT rect)
{
    DrawTextW(hDC, text.data(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

bool IsAs(const char* pszAs, const char* pszKind)
{
    return pszAs && EqualNoCase(pszAs, pszKind);
}

} // namespace

void CPageListCtrl::MeasureItem(LPMEASUREITEMSTRUCT pMeasure)
{
    pMeasure->itemHeight = static_cast<UINT>(m_dpi.Scale(m_nItemHeight));
}

std::wstring_view CPageListCtrl::CellText(int nRow, int nColumn)
{
    // The list view copies at most the buffer it is given and says how much it copied: the
    // buffer grows until the text fits, and stays for the next cell.
    if (m_cellText.size() < 256)
        m_cellText.resize(256);
    for (;;) {
        LVITEMW item = {};
        item.iSubItem = nColumn;
        item.pszText = m_cellText.data();
        item.cchTextMax = static_cast<int>(m_cellText.size());
        const size_t nLength = static_cast<size_t>(
            SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item)));
        if (nLength + 1 < m_cellText.size())
            return std::wstring_view(m_cellText.data(), nLength);
        m_cellText.resize(m_cellText.size() * 4);
    }
}

// Each row's data word, state and cell texts are read once, and the fills use the device
// context's brush: a row costs the list messages that give what it shows, and no GDI object.
void CPageListCtrl::DrawItem(LPDRAWITEMSTRUCT pDraw)
{
    const int nRow = static_cast<int>(pDraw->itemID);
    HDC hDC = pDraw->hDC;
    const DWORD dwData = static_cast<DWORD>(GetItemData(nRow));
    const WORD nType = ItemType(dwData);
    const char* pszAs = CAsControls::Get().GetAsName(ItemKind(dwData));
    const UINT nState = GetItemState(nRow, LVIS_FOCUSED | LVIS_SELECTED);
    // Asking for the focus is a round trip to the window server under Wine: only the one row
    // with the focused state needs the answer.
    const bool bFocused = (nState & LVIS_FOCUSED) && ::GetFocus() != nullptr;
    const bool bSelected = (nState & LVIS_SELECTED) != 0;
    if (bFocused && bSelected)
        SetRectEmpty(&m_rcButton);
    const bool bEnabled = IsEnabledType(nType);
    const bool bEdit = IsAs(pszAs, "Edit");

    COLORREF crText = kBlack;
    if (bEnabled && bSelected && bFocused)
        crText = kWhite;
    else if (!bEnabled && (nType & ITEM_TYPE_GRAYED))
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
    const int nInset = m_dpi.Scale(2);
    RECT rcCell = rcBounds;
    rcCell.left += nInset;
    const int nColumns = GetColumnCount();
    for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
        rcCell.right = rcCell.left + GetColumnWidth(nColumn);
        const std::wstring_view text = CellText(nRow, nColumn);
        bool bDrawn = false;
        if (nColumn == m_nValueColumn) {
            gdi.Push(hDC, m_art->NormalFont());
            bDrawn = DrawKindCell(nRow, pszAs, text, hDC, rcCell);
        } else if (nColumn == m_nNameColumn) {
            gdi.Push(hDC, (nType & ITEM_TYPE_BOLD) ? m_art->BoldFont() : m_art->NormalFont());
            RECT rcName = rcCell;
            OffsetRect(&rcName, -nInset, 0);
            rcName.right -= nInset;
            FillSolid(hDC, rcName, crBack);
            if (bFocused && !bEnabled) {
                InflateRect(&rcName, 0, -1);
                rcName.bottom += 1;
                FrameBlack(hDC, rcName);
            }
        }
        if (!bDrawn)
            DrawCellText(hDC, text, rcCell);
        if (nColumn == m_nNameColumn)
            SetTextColor(hDC, bOpen && m_pCtrl ? m_pCtrl->GetEditorColor() : kBlack);
        rcCell.left = rcCell.right + nInset;
    }
    OnDrawItemEnd(hDC, nRow, dwData);
    gdi.PopAll();
    SetTextColor(hDC, kBlack);
    SetBkMode(hDC, nOldMode);

    if (bFocused && !bEnabled)
        return;
    if (!bEdit && bFocused && bSelected) {
        RECT rcButton = rcBounds;
        rcButton.top += m_dpi.Scale(1);
        rcButton.left = rcButton.right - (m_dpi.SystemMetric(SM_CXVSCROLL) + m_dpi.Scale(2));
        const int nLastWidth = nColumns > 0 ? GetColumnWidth(nColumns - 1) : 0;
        if (!IsRectEmpty(&rcButton) && rcButton.right - rcButton.left < nLastWidth) {
            m_rcButton = rcButton;
            DrawRowButton(hDC, rcButton, nRow, FALSE);
        }
    }
}

BOOL CPageListCtrl::DrawValueCell(int nRow, HDC hDC, const RECT& rect)
{
    if (!IsRow(nRow))
        return FALSE;
    return DrawKindCell(nRow, GetItemAs(nRow), CellText(nRow, m_nValueColumn), hDC, rect);
}

bool CPageListCtrl::DrawKindCell(int nRow, const char* pszAs, std::wstring_view text, HDC hDC, const RECT& rect)
{
    if (IsAs(pszAs, "ColorComboBox")) {
        const RECT rcSquare = {rect.left, rect.top, rect.left + (rect.bottom - rect.top), rect.bottom};
        RECT rcSwatch = rcSquare;
        InflateRect(&rcSwatch, -m_dpi.Scale(2), -m_dpi.Scale(2));
        OffsetRect(&rcSwatch, 0, m_dpi.Scale(1));
        FillSolid(hDC, rcSwatch, ParseColourText(WideToUtf8(text.data(), text.size())));
        FrameBlack(hDC, rcSwatch);
        RECT rcText = rect;
        rcText.left = rcSquare.right + m_dpi.Scale(4);
        DrawCellText(hDC, text, rcText);
        return true;
    }
    if (IsAs(pszAs, "Font")) {
        auto* pFontSource = dynamic_cast<CCellFont*>(FindControlsWnd(this, nRow));
        const LOGFONTW* pDescription = pFontSource ? pFontSource->GetLogFont() : nullptr;
        if (!pDescription)
            return false; // a font row with no font yet shows its text plainly
        LOGFONTW description = *pDescription;
        description.lfHeight = std::min<LONG>(rect.bottom - rect.top - m_dpi.Scale(2), std::abs(description.lfHeight));
        CFont font(description);
        CGdiStack gdi;
        gdi.Push(hDC, font);
        const COLORREF crPrevious = SetTextColor(hDC, pFontSource->GetFontColor());
        DrawCellText(hDC, text, rect);
        SetTextColor(hDC, crPrevious);
        gdi.Pop();
        return true;
    }
    return false;
}

HICON CPageListCtrl::RowButtonIcon(int nRow)
{
    if (!HasOwnIcon(nRow))
        return m_art->Drop();
    if (IsKind(nRow, "Button") || IsKind(nRow, "Font"))
        return m_art->Button();
    if (IsKind(nRow, "EditButton"))
        return m_art->EditButton();
    if (IsKind(nRow, "Return"))
        return m_art->Return();
    return m_art->Link();
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
    InflateRect(&rcBox, -m_dpi.Scale(1), -m_dpi.Scale(1));
    FillSolid(hDC, rcBox, kButtonFace);
    DrawEdge(hDC, &rcBox, EDGE_RAISED, BF_RECT);
    InflateRect(&rcBox, -m_dpi.Scale(1), -m_dpi.Scale(1));
    // Icons of their own size (0) at 96 DPI, stretched at any other.
    const SIZE icon = m_dpi == CDpi() ? SIZE{0, 0} : m_dpi.Scale(m_art->IconSize());
    DrawIconEx(hDC, rcBox.left, rcBox.top, RowButtonIcon(nRow), icon.cx, icon.cy, 0, nullptr, DI_NORMAL);
    if (bPressed)
        DrawIconEx(hDC, rcBox.left, rcBox.top, m_art->Pressed(), icon.cx, icon.cy, 0, nullptr, DI_NORMAL);
}
