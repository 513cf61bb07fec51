#include "DropListBox.h"

#include "Dpi.h"

#include "ControlsWnd.h"
#include "ItemList.h"
#include "Text.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

namespace {

// What a list box answers for the height of its items when it has none to ask.
const int kFallbackItemHeight = 16;

} // namespace

BEGIN_MESSAGE_MAP(CDropListBox, CListBox)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
END_MESSAGE_MAP(CListBox)

void CDropListBox::FillFromText(const std::string& strText, char chSeparator)
{
    // A separator below 0x80 is never part of another character, in UTF-8 and UTF-16 alike:
    // the text is split as it is. The pieces are ended in place and added without copies, and
    // the list makes room for all of them at once: hosts answer with many thousands.
    std::wstring text = Utf8ToWide(strText);
    const wchar_t chSep = static_cast<unsigned char>(chSeparator);
    const auto nItems = std::count(text.begin(), text.end(), chSep) + 1;
    SendMessage(WM_SETREDRAW, FALSE);
    ResetContent();
    m_nLastSel = -1;
    InitStorage(static_cast<int>(nItems), (text.size() + 1) * sizeof(wchar_t));
    size_t nStart = 0;
    for (;;) {
        const size_t nEnd = text.find(chSep, nStart);
        if (nEnd != std::wstring::npos)
            text[nEnd] = L'\0';
        SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.data() + nStart));
        if (nEnd == std::wstring::npos)
            break;
        nStart = nEnd + 1;
    }
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
}

void CDropListBox::DropDown(int nLeft, int nTop, int nRight, int nBottom, int nLines)
{
    RECT cell = {nLeft, nTop, nRight, nBottom};
    MapWindowPoints(ListWindow(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
    const CDpi dpi = CDpi::OfWindow(ListWindow());
    int nItemHeight = GetItemHeight(0);
    if (nItemHeight == LB_ERR)
        nItemHeight = dpi.Scale(kFallbackItemHeight);
    const int nShown = std::max(1, std::min(std::abs(nLines), GetCount()));
    // A line a piece, and never less than the whole lines inside the border: one line would
    // lose its bottom pixel.
    const int nHeight = std::max((nItemHeight + 1) * nShown, nItemHeight * nShown + 2 * dpi.SystemMetric(SM_CYBORDER));
    // The list box rounds its height to whole items: where it goes depends on what it kept.
    MoveWindow(RECT{cell.left, cell.top, cell.right, cell.top + nHeight}, FALSE);
    const RECT placed = GetWindowRect();
    const int nRealHeight = placed.bottom - placed.top;
    if (cell.bottom + nRealHeight >= WorkAreaAt(cell).bottom)
        MoveWindow(RECT{cell.left, cell.top - nRealHeight, cell.right, cell.top}, TRUE);
    else
        MoveWindow(RECT{cell.left, cell.bottom, cell.right, cell.bottom + nRealHeight}, TRUE);
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // The window losing the focus may be an editor that commits: the host may end this row.
    const CLifeToken::CWatch alive = m_controlsAlive;
    ShowWindow(SW_SHOW);
    if (alive)
        SetFocus();
    if (alive && IsWindow())
        SetCapture(m_hWnd);
}

CDropListBox* CDropListBox::CreateForRow(CControlsWnd* pControlsWnd)
{
    CItemList* pList = pControlsWnd ? pControlsWnd->m_pList : nullptr;
    const HWND hList = pList ? pList->GetListWindow() : nullptr;
    if (!hList || !CWnd::Create(L"LISTBOX", "", WS_POPUP | WS_BORDER | WS_VSCROLL | WS_HSCROLL, WS_EX_TOOLWINDOW,
                                RECT{0, 0, 0, 0}, hList, 0))
        return nullptr;
    m_pControlsWnd = pControlsWnd;
    m_controlsAlive = pControlsWnd->Watch();
    m_nLastSel = -1;
    SetFont(reinterpret_cast<HFONT>(::SendMessageW(hList, WM_GETFONT, 0, 0)), TRUE);
    return this;
}

void CDropListBox::CommitSelection()
{
    CControlsWnd* pControlsWnd = ControlsWnd();
    const int nSel = GetCurSel();
    if (!pControlsWnd || nSel == m_nLastSel)
        return;
    m_nLastSel = nSel;
    std::string strText = GetText(nSel);
    pControlsWnd->CommitText(strText, nSel);
}

void CDropListBox::CloseDropDown(BOOL bFlag)
{
    // The host hears of the commit and may end the row, and this list with it.
    const CLifeToken::CWatch alive = m_controlsAlive;
    CommitSelection();
    CControlsWnd* pControlsWnd = alive ? ControlsWnd() : nullptr;
    if (!pControlsWnd)
        return;
    const HWND hList = ListWindow();
    pControlsWnd->HideEditor(bFlag);
    if (alive && hList)
        ::SetFocus(hList);
}

LRESULT CDropListBox::OnMouseMove(WPARAM, LPARAM lParam)
{
    const int nItem = ItemFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (nItem >= 0 && nItem != GetCurSel())
        SetCurSel(nItem);
    return Default();
}

LRESULT CDropListBox::OnLButtonDown(WPARAM, LPARAM lParam)
{
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(m_hWnd, &pt);
    const LRESULT nHit = SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    const RECT window = GetWindowRect();
    if (PtInRect(&window, pt) && nHit != HTCLIENT) {
        // A scroll bar or the border works as it would without the capture.
        const CLifeToken::CWatch alive = m_controlsAlive;
        ReleaseCapture();
        SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(nHit), MAKELPARAM(pt.x, pt.y));
        if (alive && IsWindow())
            SetCapture(m_hWnd);
        return 0;
    }
    // Only a press on the items goes to the list box: it would take a press outside for one on
    // the item nearest to it.
    if (nHit == HTCLIENT)
        Default();
    CloseDropDown(nHit != HTCLIENT);
    return 0;
}

LRESULT CDropListBox::OnKeyDown(WPARAM wParam, LPARAM)
{
    if (wParam == VK_RETURN || wParam == VK_CANCEL) {
        CloseDropDown(wParam == VK_CANCEL);
        return 0;
    }
    // Escape too moves nothing and commits what is selected; the list stays open.
    const LRESULT result = Default();
    CommitSelection();
    return result;
}

LRESULT CDropListBox::OnKillFocus(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    CControlsWnd* pControlsWnd = ControlsWnd();
    // A list closed with its row's object ends without a word to the row.
    if (!pControlsWnd || pControlsWnd->IsClosing())
        return result;
    const CLifeToken::CWatch alive = m_controlsAlive;
    pControlsWnd->HideEditor(TRUE);
    if (alive)
        DestroyWindow();
    return result;
}

CControlsWnd* CDropListBox::ControlsWnd() const
{
    return m_controlsAlive ? m_pControlsWnd : nullptr;
}

int CDropListBox::ItemFromPoint(POINT pt) const
{
    const RECT client = GetClientRect();
    const int nItemHeight = GetItemHeight(0);
    if (!PtInRect(&client, pt) || nItemHeight <= 0)
        return -1;
    // Computed, not asked: the list box answers an item's index in 16 bits only.
    const int nItem = GetTopIndex() + pt.y / nItemHeight;
    return nItem < GetCount() ? nItem : -1;
}

HWND CDropListBox::ListWindow() const
{
    CControlsWnd* pControlsWnd = ControlsWnd();
    return pControlsWnd && pControlsWnd->m_pList ? pControlsWnd->m_pList->GetListWindow() : nullptr;
}
