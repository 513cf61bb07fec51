#include "ColourPopup.h"

#include "Brush.h"
#include "ClientDC.h"
#include "ColourPicker.h"
#include "ColourPopupAccessible.h"
#include "ColourText.h"
#include "Dpi.h"
#include "GdiStack.h"
#include "PageListOwner.h"
#include "PaintDC.h"
#include "Pen.h"
#include "ShapingCaches.h"
#include "Text.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

const wchar_t CColourPopup::kClassName[] = L"VelmoraColourPopup";

namespace {

// A table longer than a popup shows is cut here.
const int kMaxColours = 100;
const int kColumns = 8;

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

void FillSolid(HDC hDC, const RECT& rect, COLORREF colour)
{
    CBrush brush(colour);
    FillRect(hDC, &rect, brush);
}

LOGFONTW MessageFontDescription()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMessageFont;
}

std::vector<COLORREF> TableColours(int nCount)
{
    std::vector<COLORREF> colours;
    for (int i = 0; i < nCount; ++i)
        colours.push_back(kColourTable[i].crColour);
    return colours;
}

} // namespace

BEGIN_MESSAGE_MAP(CColourPopup, CWnd)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    ON_MESSAGE(WM_ACTIVATEAPP, OnActivateApp)
    ON_MESSAGE(WM_PALETTECHANGED, OnPaletteChanged)
    ON_MESSAGE(WM_QUERYNEWPALETTE, OnQueryNewPalette)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_MESSAGE(kPickCellMessage, OnPickCell)
END_MESSAGE_MAP(CWnd)

CColourPopup::CColourPopup(CColourPicker* pPicker, CPageListOwner* pControl)
    : m_nCount(std::min(kColourTableCount, kMaxColours)),
      m_nCellSize(CDpi::OfWindow(pPicker->m_hWnd).Scale(kCellSize)),
      m_nMargin(CDpi::OfWindow(pPicker->m_hWnd).SystemMetric(SM_CXEDGE)),
      m_strAutomaticText(pPicker->GetAutomaticText()),
      m_strMoreText(pPicker->GetMoreText()),
      m_font(MessageFontDescription()),
      m_pPicker(pPicker),
      m_pickerAlive(pPicker->Watch()),
      m_pControl(pControl)
{
    // Room for a swatch in a cell, whatever the edges measure.
    if (m_nCellSize - 2 * m_nMargin - 2 < 5)
        m_nCellSize = 2 * m_nMargin + 7;
    m_palette.CreatePalette(TableColours(m_nCount));
}

CColourPopup* CColourPopup::Open(POINT ptTopLeft, CColourPicker* pPicker, CPageListOwner* pControl)
{
    std::unique_ptr<CColourPopup> pPopup(new CColourPopup(pPicker, pControl));
    if (!pPopup->CreatePopup(ptTopLeft))
        return nullptr;
    // From here on the window holds the popup: it goes in PostNcDestroy.
    return pPopup.release();
}

BOOL CColourPopup::CreatePopup(POINT ptTopLeft)
{
    RegisterWindowClass(kClassName, CS_CLASSDC | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW,
                        static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    const RECT start = {ptTopLeft.x, ptTopLeft.y, ptTopLeft.x + 100, ptTopLeft.y + 100};
    if (!Create(kClassName, "", WS_POPUP, WS_EX_TOOLWINDOW, start, m_pPicker->m_hWnd, 0))
        return FALSE;
    SizeWindow();
    AddToolTips();
    SetCapture(m_hWnd);
    return TRUE;
}

void CColourPopup::SizeWindow()
{
    SIZE text = {0, 0};
    {
        CClientDC dc(m_hWnd);
        CGdiStack gdi;
        gdi.Push(dc, m_font);
        for (const std::string* pText : {&m_strAutomaticText, &m_strMoreText}) {
            if (pText->empty())
                continue;
            const std::wstring wide = Utf8ToWide(*pText);
            SIZE extent = {0, 0};
            GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
            text.cx = std::max(text.cx, extent.cx);
            text.cy = std::max(text.cy, extent.cy);
        }
        gdi.PopAll();
    }
    text.cx += 2 * m_nMargin;
    text.cy += 4 * m_nMargin + 2;

    m_nColumnCount = kColumns;
    m_nRowCount = (m_nCount + kColumns - 1) / kColumns;
    const RECT current = GetWindowRect();
    m_rcWindow = {current.left, current.top, current.left + m_nColumnCount * m_nCellSize + 2 * m_nMargin,
                  current.top + m_nRowCount * m_nCellSize + 2 * m_nMargin};
    if (HasAutomaticBox()) {
        m_rcWindow.right = std::max<LONG>(m_rcWindow.right, m_rcWindow.left + text.cx);
        text.cx = Width(m_rcWindow) - 2 * m_nMargin;
        m_rcAutomaticBox = {m_nMargin, m_nMargin, m_nMargin + text.cx, text.cy + 2 * m_nMargin};
        m_rcWindow.bottom += Height(m_rcAutomaticBox) + 2 * m_nMargin;
    }
    if (HasMoreBox()) {
        m_rcWindow.right = std::max<LONG>(m_rcWindow.right, m_rcWindow.left + text.cx);
        text.cx = Width(m_rcWindow) - 2 * m_nMargin;
        const int nTop = Height(m_rcWindow);
        m_rcMoreBox = {m_nMargin, nTop, m_nMargin + text.cx, nTop + m_nMargin + text.cy};
        m_rcWindow.bottom += Height(m_rcMoreBox) + 2 * m_nMargin;
    }
    KeepOnScreen();
    MoveWindow(m_rcWindow, FALSE);
}

void CColourPopup::KeepOnScreen()
{
    const RECT rcWork = WorkAreaAt(m_pPicker->GetWindowRect());
    if (m_rcWindow.right > rcWork.right)
        OffsetRect(&m_rcWindow, rcWork.right - m_rcWindow.right, 0);
    if (m_rcWindow.left < rcWork.left)
        OffsetRect(&m_rcWindow, rcWork.left - m_rcWindow.left, 0);
    if (m_rcWindow.bottom > rcWork.bottom)
        OffsetRect(&m_rcWindow, 0, -(Height(m_pPicker->GetWindowRect()) + Height(m_rcWindow)));
}

void CColourPopup::AddToolTips()
{
    if (!m_toolTips.Create(m_hWnd))
        return;
    for (int i = 0; i < m_nCount; ++i)
        m_toolTips.AddTool(m_hWnd, static_cast<UINT_PTR>(i) + 1, GetCellRect(i), kColourTable[i].pszName, 0);
}

void CColourPopup::SetStartColour(COLORREF crStart)
{
    m_crStart = m_crCurrent = crStart;
    m_nChosenCell = ChosenCellFor(crStart);
    Invalidate();
}

void CColourPopup::AlignRight(int x)
{
    OffsetRect(&m_rcWindow, x - m_rcWindow.right, 0);
    MoveWindow(m_rcWindow, TRUE);
}

RECT CColourPopup::GetCellRect(int nCell) const
{
    if (nCell == kMoreBox)
        return m_rcMoreBox;
    if (nCell == kAutomaticBox)
        return m_rcAutomaticBox;
    if (nCell < 0 || m_nColumnCount == 0)
        return RECT{0, 0, 0, 0};
    const int nLeft = (nCell % m_nColumnCount) * m_nCellSize + m_nMargin;
    int nTop = (nCell / m_nColumnCount) * m_nCellSize + m_nMargin;
    if (HasAutomaticBox())
        nTop += Height(m_rcAutomaticBox) + m_nMargin;
    return RECT{nLeft, nTop, nLeft + m_nCellSize, nTop + m_nCellSize};
}

std::vector<int> CColourPopup::GetCells() const
{
    std::vector<int> cells;
    if (HasAutomaticBox())
        cells.push_back(kAutomaticBox);
    for (int nCell = 0; nCell < m_nCount; ++nCell)
        cells.push_back(nCell);
    if (HasMoreBox())
        cells.push_back(kMoreBox);
    return cells;
}

std::string CColourPopup::GetCellName(int nCell) const
{
    if (nCell == kAutomaticBox)
        return m_strAutomaticText;
    if (nCell == kMoreBox)
        return m_strMoreText;
    return nCell >= 0 && nCell < m_nCount ? kColourTable[nCell].pszName : "";
}

void CColourPopup::PickCell(int nCell)
{
    PostMessage(kPickCellMessage, static_cast<WPARAM>(nCell));
}

LRESULT CColourPopup::OnPickCell(WPARAM wParam, LPARAM)
{
    const std::vector<int> cells = GetCells();
    const int nCell = static_cast<int>(wParam);
    if (std::find(cells.begin(), cells.end(), nCell) == cells.end())
        return 0;
    ChangeHighlight(nCell);
    Close(true);
    return 0;
}

LRESULT CColourPopup::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return Default();
    return CAccessibleBase::Serve(NewComObject<CColourPopupAccessible>(*this), wParam, lParam);
}

// What is under the mouse is what is drawn there.
int CColourPopup::CellFromPoint(POINT pt) const
{
    if (HasMoreBox() && PtInRect(&m_rcMoreBox, pt))
        return kMoreBox;
    if (HasAutomaticBox() && PtInRect(&m_rcAutomaticBox, pt))
        return kAutomaticBox;
    const RECT first = GetCellRect(0);
    const int x = pt.x - first.left;
    const int y = pt.y - first.top;
    if (x < 0 || y < 0)
        return kNoCell;
    const int nRow = y / m_nCellSize;
    const int nColumn = x / m_nCellSize;
    if (nRow >= m_nRowCount || nColumn >= m_nColumnCount)
        return kNoCell;
    const int nCell = nRow * m_nColumnCount + nColumn;
    return nCell < m_nCount ? nCell : kNoCell;
}

int CColourPopup::ChosenCellFor(COLORREF crColour) const
{
    if (crColour == CLR_DEFAULT && HasAutomaticBox())
        return kAutomaticBox;
    const int nEntry = FindTableColour(crColour);
    if (nEntry >= 0 && nEntry < m_nCount)
        return nEntry;
    return HasMoreBox() ? kMoreBox : kNoCell;
}

// Down and Right go on to the More box after the last colour, Up and Left to the Automatic box
// before the first; from no cell at all they start at the first or the last colour.
int CColourPopup::NextCell(UINT nKey, int nFrom) const
{
    const int nStep = nKey == VK_DOWN || nKey == VK_UP ? m_nColumnCount : 1;
    if (nKey == VK_DOWN || nKey == VK_RIGHT) {
        if (nFrom == kAutomaticBox || nFrom == kNoCell)
            return 0;
        if (nFrom == kMoreBox)
            return HasAutomaticBox() ? kAutomaticBox : 0;
        if (nFrom + nStep < m_nCount)
            return nFrom + nStep;
        return HasMoreBox() ? kMoreBox : HasAutomaticBox() ? kAutomaticBox : 0;
    }
    if (nFrom == kMoreBox || nFrom == kNoCell)
        return LastColour();
    if (nFrom == kAutomaticBox)
        return HasMoreBox() ? kMoreBox : LastColour();
    if (nFrom - nStep >= 0)
        return nFrom - nStep;
    return HasAutomaticBox() ? kAutomaticBox : HasMoreBox() ? kMoreBox : LastColour();
}

void CColourPopup::ChangeHighlight(int nCell)
{
    // Past the colours there is only the More box.
    if (nCell >= m_nCount)
        nCell = kMoreBox;
    const int nOld = m_nHotCell;
    m_nHotCell = nCell;
    {
        CClientDC dc(m_hWnd);
        DrawCell(dc, nOld);
        DrawCell(dc, nCell);
    }
    // A screen reader follows the highlight as the focus among the cells.
    const std::vector<int> cells = GetCells();
    if (const auto found = std::find(cells.begin(), cells.end(), nCell); found != cells.end() && nCell != nOld)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, CAccessibleBase::ChildId(found - cells.begin()));
    if (nCell >= 0)
        m_crCurrent = kColourTable[nCell].crColour;
    else if (nCell == kAutomaticBox)
        m_crCurrent = CLR_DEFAULT;
}

LRESULT CColourPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_toolTips.IsWindow() && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        const MSG msg = {m_hWnd, message, wParam, lParam, 0, {0, 0}};
        m_toolTips.RelayEvent(msg);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CColourPopup::PostNcDestroy()
{
    delete this;
}

LRESULT CColourPopup::OnMouseMove(WPARAM, LPARAM lParam)
{
    const int nCell = CellFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (nCell != kNoCell && nCell != m_nHotCell)
        ChangeHighlight(nCell);
    return 0;
}

// The popup holds the mouse: a release anywhere ends it, outside it without a change.
LRESULT CColourPopup::OnLButtonUp(WPARAM, LPARAM)
{
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    Close(PtInRect(&m_rcWindow, cursor) != FALSE);
    return 0;
}

LRESULT CColourPopup::OnKeyDown(WPARAM wParam, LPARAM)
{
    switch (wParam) {
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
        // Before any highlight the keys move from the colour the popup opened on.
        ChangeHighlight(NextCell(static_cast<UINT>(wParam), m_nHotCell != kNoCell ? m_nHotCell : m_nChosenCell));
        return 0;
    case VK_ESCAPE:
        Close(false);
        return 0;
    case VK_RETURN:
    case VK_SPACE:
        Close(true);
        return 0;
    default:
        return Default();
    }
}

LRESULT CColourPopup::OnKillFocus(WPARAM, LPARAM)
{
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
    return Default();
}

LRESULT CColourPopup::OnActivateApp(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    if (!wParam && !m_bDialogOpen)
        Close(false);
    return result;
}

LRESULT CColourPopup::OnPaletteChanged(WPARAM wParam, LPARAM)
{
    if (reinterpret_cast<HWND>(wParam) != m_hWnd)
        Invalidate();
    return 0;
}

LRESULT CColourPopup::OnQueryNewPalette(WPARAM, LPARAM)
{
    Invalidate();
    return FALSE;
}

void CColourPopup::Close(bool bOk)
{
    ReleaseCapture();
    if (bOk && m_nHotCell == kMoreBox) {
        if (!ChooseMoreColour())
            return;
    } else if (!bOk) {
        m_crCurrent = m_crStart;
    }
    TellPicker();
    DestroyWindow();
}

bool CColourPopup::ChooseMoreColour()
{
    COLORREF crCustom[CPageListOwner::kCustomColorCount];
    std::fill_n(crCustom, CPageListOwner::kCustomColorCount, RGB(255, 255, 255));
    if (m_pControl)
        m_pControl->GetCustomColors(crCustom);
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = m_crStart;
    choose.lpCustColors = crCustom;
    choose.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    // The row's object holds the picker, and the control holds the row: while the picker lives
    // the control does too. A host may end any of them while the dialog is open.
    const CLifeToken::CWatch alive = m_pickerAlive;
    m_bDialogOpen = TRUE;
    CShapingCaches::HoldDialogFont();
    const BOOL bChosen = ChooseColorW(&choose);
    m_bDialogOpen = FALSE;
    if (!alive || !IsWindow())
        return false;
    if (!bChosen) {
        m_crCurrent = m_crStart;
        return true;
    }
    m_crCurrent = choose.rgbResult;
    if (m_pControl)
        m_pControl->SetCustomColors(crCustom);
    // The host hears of new custom colours before the colour, and may end the row meanwhile.
    return alive && IsWindow();
}

void CColourPopup::TellPicker()
{
    if (m_pickerAlive)
        m_pPicker->SetResult(m_crCurrent);
}

LRESULT CColourPopup::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(m_hWnd);
    DrawCell(dc, kAutomaticBox);
    for (int i = 0; i < m_nCount; ++i)
        DrawCell(dc, i);
    DrawCell(dc, kMoreBox);
    RECT client = GetClientRect();
    DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    return 0;
}

void CColourPopup::DrawCell(HDC hDC, int nCell)
{
    if (nCell >= 0)
        DrawColourCell(hDC, nCell);
    else if ((nCell == kMoreBox && HasMoreBox()) || (nCell == kAutomaticBox && HasAutomaticBox()))
        DrawBox(hDC, nCell);
}

void CColourPopup::DrawCellFrame(HDC hDC, const RECT& rect, int nCell, int nChosenFill)
{
    const bool bHot = nCell == m_nHotCell;
    const bool bChosen = nCell == m_nChosenCell && !bHot;
    FillSolid(hDC, rect, GetSysColor(bChosen ? nChosenFill : COLOR_3DFACE));
    RECT edge = rect;
    if (bHot)
        DrawEdge(hDC, &edge, BDR_RAISEDINNER, BF_RECT);
    else if (bChosen)
        DrawEdge(hDC, &edge, BDR_SUNKENOUTER, BF_RECT);
}

void CColourPopup::DrawColourCell(HDC hDC, int nCell)
{
    const bool bPalette = (GetDeviceCaps(hDC, RASTERCAPS) & RC_PALETTE) != 0;
    const HPALETTE hOldPalette = bPalette ? SelectPalette(hDC, m_palette, FALSE) : nullptr;
    if (bPalette)
        RealizePalette(hDC);
    RECT rect = GetCellRect(nCell);
    DrawCellFrame(hDC, rect, nCell, COLOR_3DHILIGHT);
    InflateRect(&rect, -(m_nMargin + 1), -(m_nMargin + 1));
    const COLORREF crColour = kColourTable[nCell].crColour;
    CBrush brush(PALETTERGB(GetRValue(crColour), GetGValue(crColour), GetBValue(crColour)));
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CGdiStack gdi;
    gdi.Push(hDC, brush);
    gdi.Push(hDC, pen);
    Rectangle(hDC, rect.left, rect.top, rect.right, rect.bottom);
    gdi.PopAll();
    if (hOldPalette)
        SelectPalette(hDC, hOldPalette, FALSE);
}

void CColourPopup::DrawBox(HDC hDC, int nBox)
{
    const RECT rect = GetCellRect(nBox);
    FillSolid(hDC, rect, GetSysColor(COLOR_3DFACE));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    DrawCellFrame(hDC, inner, nBox, COLOR_3DLIGHT);
    if (nBox == kMoreBox) {
        // The line that parts the box from the colours above it.
        const int nLeft = rect.left + 2 * m_nMargin;
        const int nRight = nLeft + Width(rect) - 4 * m_nMargin;
        FillSolid(hDC, RECT{nLeft, rect.top, nRight, rect.top + 1}, GetSysColor(COLOR_BTNSHADOW));
        FillSolid(hDC, RECT{nLeft, rect.top + 1, nRight, rect.top + 2}, GetSysColor(COLOR_3DHILIGHT));
    } else {
        RECT frame = rect;
        InflateRect(&frame, -2 * m_nMargin, -2 * m_nMargin);
        CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
        FrameRect(hDC, &frame, shadow);
    }
    std::wstring text = Utf8ToWide(nBox == kMoreBox ? m_strMoreText : m_strAutomaticText);
    CGdiStack gdi;
    gdi.Push(hDC, m_font);
    const int nOldMode = SetBkMode(hDC, TRANSPARENT);
    const COLORREF crOldText = SetTextColor(hDC, GetSysColor(COLOR_BTNTEXT));
    RECT textRect = rect;
    DrawTextW(hDC, text.c_str(), static_cast<int>(text.size()), &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(hDC, crOldText);
    SetBkMode(hDC, nOldMode);
    gdi.PopAll();
}
