#include "MultiColumnComboBox.h"

#include "Brush.h"
#include "ClientDC.h"
#include "Dpi.h"
#include "Font.h"
#include "PaintDC.h"
#include "Text.h"
#include "ThreadSlot.h"
#include "WindowHook.h"
#include "resource.h"

#include <windowsx.h>

#include <map>

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// 0x200 is the edit style a combo box gives its own edit; no header names it.
const DWORD kComboEditStyle = 0x200;
const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_NOHIDESEL | kComboEditStyle;
const DWORD kListStyle = WS_CHILD | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER
                         | LVS_NOSORTHEADER;
const DWORD kListExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
const COLORREF kButtonFace = RGB(192, 192, 192);
// The drop arrow's side as drawn, for a 96-DPI screen.
const int kArrowSize = 16;

// The combo whose edit has the focus: focus is the thread's own, so each UI thread has its own.
CThreadSlot<CMultiColumnComboBox*> t_pActive;

// One for each DPI, kept for the process.
HFONT SharedFont(const CDpi& dpi)
{
    static std::map<int, CFont> s_fonts;
    auto found = s_fonts.find(dpi.Get());
    if (found == s_fonts.end())
        found = s_fonts.try_emplace(dpi.Get(), CFont::Describe("MS Sans Serif", dpi.Scale(8), FW_NORMAL)).first;
    return found->second.Get();
}

HICON DropArrow()
{
    struct IconDeleter {
        void operator()(HICON hIcon) const { DestroyIcon(hIcon); }
    };
    static const std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter> icon(static_cast<HICON>(
        LoadImageW(CWnd::ModuleInstance(), MAKEINTRESOURCEW(IDI_ROW_DROP), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
    return icon.get();
}

int ButtonWidth(const CDpi& dpi)
{
    return dpi.SystemMetric(SM_CXVSCROLL) + dpi.Scale(2);
}

bool IsListKey(WPARAM nKey)
{
    return nKey == VK_PRIOR || nKey == VK_NEXT || nKey == VK_UP || nKey == VK_DOWN;
}

} // namespace

BEGIN_MESSAGE_MAP(CMultiColumnComboBox, CWnd)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_MESSAGE(WM_SIZE, OnSize)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, OnSize)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_COMMAND(EN_CHANGE, CMultiColumnComboBox::kEditId, OnEditChange)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP(CWnd)

CMultiColumnComboBox::CMultiColumnComboBox(int nKeyColumn) : m_nKeyColumn(nKeyColumn)
{
    RegisterClass();
}

CMultiColumnComboBox::~CMultiColumnComboBox()
{
    // While the object is still a combo, so that its own end of the window runs.
    if (IsWindow())
        DestroyWindow();
    if (t_pActive.Get() == this)
        t_pActive.Set(nullptr);
}

void CMultiColumnComboBox::RegisterClass()
{
    if (!RegisterWindowClass(kClassName, CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                             LoadCursorW(nullptr, IDC_ARROW)))
        return;
    SelChangeMessage();
    SharedFont(CDpi::OfScreen());
}

UINT CMultiColumnComboBox::SelChangeMessage()
{
    static const UINT nMessage = RegisterWindowMessageW(L"MCCBN_SELCHANGE");
    return nMessage;
}

CMultiColumnComboBox* CMultiColumnComboBox::GetActive()
{
    return t_pActive.Get();
}

int CMultiColumnComboBox::SetDropDownLines(int nLines)
{
    const int nOld = m_nLines;
    m_nLines = std::abs(nLines);
    return nOld;
}

double CMultiColumnComboBox::SetDropDownWidthRatio(double dRatio)
{
    const double dOld = m_dWidthRatio;
    m_dWidthRatio = std::fabs(dRatio);
    return dOld;
}

void CMultiColumnComboBox::SetCurrentSelection(int nRow)
{
    if (nRow < 0 || !m_pList)
        return;
    m_pList->SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_nSelection = nRow;
}

int CMultiColumnComboBox::GetCurrentSelection() const
{
    return m_nSelection;
}

BOOL CMultiColumnComboBox::IsDroppedDown() const
{
    return m_pList && m_pList->IsWindowVisible();
}

void CMultiColumnComboBox::ShowDropDown(BOOL bShow)
{
    if (!IsWindowVisible() || !m_pList || IsDroppedDown() == (bShow != FALSE))
        return;
    RepositionChildren();
    if (!bShow) {
        m_pList->ShowWindow(SW_HIDE);
        ReleaseCapture();
        return;
    }
    const CLifeToken::CWatch alive = m_life.Watch();
    // The window losing the focus to the edit may be an editor that commits. The focus comes
    // first: the frame it raises would otherwise cover the list on the screen.
    m_pEdit->SetFocus();
    if (!alive || !m_pList)
        return;
    m_pList->ShowWindow(SW_SHOWNA);
    SetWindowPos(m_pList->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetCapture(m_pList->m_hWnd);
    SetCurrentSelection(m_nCommitted);
    if (m_nCommitted >= 0)
        m_pList->EnsureVisible(m_nCommitted, FALSE);
}

CListCtrl* CMultiColumnComboBox::GetListCtrl()
{
    return m_pList.get();
}

CEdit* CMultiColumnComboBox::GetEditCtrl()
{
    return m_pEdit.get();
}

void CMultiColumnComboBox::CaptureListIfDropped()
{
    if (IsDroppedDown())
        SetCapture(m_pList->m_hWnd);
}

BOOL CMultiColumnComboBox::CommitSelection()
{
    m_nCommitted = GetCurrentSelection();
    if (m_nCommitted < 0 || !m_pList || !m_pEdit)
        return FALSE;
    m_pEdit->SetWindowText(m_pList->GetItemText(m_nCommitted, m_nKeyColumn));
    const HWND hParent = GetParent();
    if (!hParent)
        return FALSE;
    ::SendMessageW(hParent, SelChangeMessage(), static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(m_hWnd));
    return TRUE;
}

void CMultiColumnComboBox::SelectString(const std::string& strText)
{
    if (!m_pList)
        return;
    const int nFound = FindKeyPrefix(Utf8ToWide(strText));
    if (nFound < 0)
        return;
    SetCurrentSelection(nFound);
    m_pList->EnsureVisible(nFound, FALSE);
}

int CMultiColumnComboBox::FindKeyPrefix(const std::wstring& text)
{
    if (m_nKeyColumn == 0) {
        // The list's own search compares the same way, without a message per row.
        LVFINDINFOW find = {};
        find.flags = LVFI_STRING | LVFI_PARTIAL;
        find.psz = text.c_str();
        return static_cast<int>(m_pList->SendMessage(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    }
    const int nCount = m_pList->GetItemCount();
    for (int nRow = 0; nRow < nCount; ++nRow) {
        const std::wstring key = Utf8ToWide(m_pList->GetItemText(nRow, m_nKeyColumn)).substr(0, text.size());
        if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, key.c_str(), -1, text.c_str(), -1) == CSTR_EQUAL)
            return nRow;
    }
    return -1;
}

BOOL CMultiColumnComboBox::CreateChildren()
{
    const HFONT hFont = SharedFont(CDpi::OfWindow(m_hWnd));
    SetFont(hFont, TRUE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetWindowLongPtrW(m_hWnd, GWL_STYLE) | WS_TABSTOP);
    m_pEdit = std::make_unique<CEdit>();
    m_pList = std::make_unique<CListCtrl>();
    if (!m_pEdit->Create(kEditStyle, RECT{0, 0, 0, 0}, m_hWnd, kEditId))
        return FALSE;
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_STATICEDGE);
    m_pEdit->SetFont(hFont, TRUE);
    if (!m_pList->Create(kListStyle, RECT{0, 0, 0, 0}, GetDesktopWindow(), kListId))
        return FALSE;
    const HWND hList = m_pList->m_hWnd;
    SetWindowLongPtrW(hList, GWL_STYLE, GetWindowLongPtrW(hList, GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowLongPtrW(hList, GWL_EXSTYLE, GetWindowLongPtrW(hList, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    SetWindowPos(hList, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pList->SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, static_cast<WPARAM>(-1), kListExStyle);
    RepositionChildren();
    CWindowHook::Hook(m_pEdit->m_hWnd, &WatchEdit);
    CWindowHook::Hook(hList, &WatchList);
    m_hHookedParent = GetParent();
    if (m_hHookedParent)
        CWindowHook::Hook(m_hHookedParent, &WatchParent);
    return TRUE;
}

void CMultiColumnComboBox::DrawDropButton(HDC hDC, const RECT& rect, BOOL bPressed)
{
    RECT face = rect;
    InflateRect(&face, -1, -1);
    const CBrush brush(kButtonFace);
    FillRect(hDC, &face, brush.Get());
    DrawEdge(hDC, &face, bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    // Pressed, the arrow sinks with the face.
    const int nShift = bPressed ? 2 : 1;
    const CDpi dpi = CDpi::OfWindow(m_hWnd);
    // The arrow at its own size (0) at 96 DPI, stretched at any other.
    const int nArrow = dpi == CDpi() ? 0 : dpi.Scale(kArrowSize);
    DrawIconEx(hDC, face.left + dpi.Scale(nShift), face.top + dpi.Scale(nShift), DropArrow(), nArrow, nArrow, 0, nullptr,
               DI_NORMAL);
}

void CMultiColumnComboBox::RepositionChildren()
{
    const CDpi dpi = CDpi::OfWindow(m_hWnd);
    const int nComboHeight = dpi.Scale(kHeight);
    RECT combo = GetWindowRect();
    if (combo.bottom - combo.top != nComboHeight) {
        SetWindowPos(m_hWnd, nullptr, 0, 0, combo.right - combo.left, nComboHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        combo = GetWindowRect();
    }
    if (!m_pEdit || !m_pEdit->IsWindow() || !m_pList || !m_pList->IsWindow())
        return;
    RECT edit = GetClientRect();
    InflateRect(&edit, -dpi.Scale(1), -dpi.Scale(2));
    edit.bottom += dpi.Scale(1);
    edit.right -= ButtonWidth(dpi);
    m_pEdit->MoveWindow(edit, TRUE);
    const int nWidth = combo.right - combo.left;
    const int nHeight = combo.bottom - combo.top;
    RECT list = {combo.left + 1, combo.bottom, combo.right - 1, combo.bottom + m_nLines * nHeight};
    list.right += static_cast<int>((list.right - list.left) * m_dWidthRatio);
    const int nShift = nWidth - (list.right - list.left);
    OffsetRect(&list, nShift, 0);
    m_pList->MoveWindow(list, TRUE);
}

LRESULT CMultiColumnComboBox::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    CreateChildren();
    return 0;
}

LRESULT CMultiColumnComboBox::OnSize(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    RepositionChildren();
    return result;
}

LRESULT CMultiColumnComboBox::OnPaint(WPARAM, LPARAM)
{
    const CPaintDC dc(m_hWnd);
    m_rcButton = GetClientRect();
    m_rcButton.left = m_rcButton.right - ButtonWidth(CDpi::OfWindow(m_hWnd));
    DrawDropButton(dc, m_rcButton, FALSE);
    return 0;
}

LRESULT CMultiColumnComboBox::OnSetFocus(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (m_pEdit && m_pEdit->IsWindow())
        m_pEdit->SetFocus();
    return result;
}

LRESULT CMultiColumnComboBox::OnLButtonDown(WPARAM, LPARAM lParam)
{
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (PtInRect(&m_rcButton, point)) {
        const CLifeToken::CWatch alive = m_life.Watch();
        PressButton();
        ShowDropDown(!IsDroppedDown());
        if (!alive)
            return 0;
        // The open list takes the mouse: the press ends here, not at a release it will not see.
        if (IsDroppedDown())
            ReleaseButton();
    }
    return Default();
}

LRESULT CMultiColumnComboBox::OnMouseMove(WPARAM, LPARAM)
{
    if (m_bButtonPressed) {
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(m_hWnd, &cursor);
        if (!PtInRect(&m_rcButton, cursor))
            ReleaseButton();
    }
    return Default();
}

LRESULT CMultiColumnComboBox::OnLButtonUp(WPARAM, LPARAM)
{
    ReleaseButton();
    CaptureListIfDropped();
    return Default();
}

LRESULT CMultiColumnComboBox::OnKeyDown(WPARAM wParam, LPARAM)
{
    const CLifeToken::CWatch alive = m_life.Watch();
    if (wParam == VK_RETURN || wParam == VK_SPACE) {
        ShowDropDown(FALSE);
        if (alive)
            CommitSelection();
    } else if (wParam == VK_ESCAPE) {
        ShowDropDown(FALSE);
    } else if (IsListKey(wParam)) {
        ForwardKeyToList(wParam);
    }
    return alive ? Default() : 0;
}

LRESULT CMultiColumnComboBox::OnEditChange(WPARAM, LPARAM)
{
    if (m_pEdit)
        SelectString(m_pEdit->GetWindowText());
    return 0;
}

LRESULT CMultiColumnComboBox::OnSetText(WPARAM wParam, LPARAM lParam)
{
    return PassTextToEdit(WM_SETTEXT, wParam, lParam);
}

LRESULT CMultiColumnComboBox::OnGetText(WPARAM wParam, LPARAM lParam)
{
    return PassTextToEdit(WM_GETTEXT, wParam, lParam);
}

LRESULT CMultiColumnComboBox::PassTextToEdit(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pEdit && m_pEdit->IsWindow())
        m_pEdit->SendMessage(message, wParam, lParam);
    return Default();
}

LRESULT CMultiColumnComboBox::OnDestroy(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    Unhook();
    if (m_pList && m_pList->IsWindow())
        m_pList->DeleteAllItems();
    m_pList.reset();
    m_pEdit.reset();
    if (t_pActive.Get() == this)
        t_pActive.Set(nullptr);
    return result;
}

void CMultiColumnComboBox::PressButton()
{
    if (m_bButtonPressed)
        return;
    SetCapture(m_hWnd);
    DrawDropButton(CClientDC(m_hWnd), m_rcButton, TRUE);
    m_bButtonPressed = TRUE;
}

void CMultiColumnComboBox::ReleaseButton()
{
    if (!m_bButtonPressed)
        return;
    ReleaseCapture();
    DrawDropButton(CClientDC(m_hWnd), m_rcButton, FALSE);
    m_bButtonPressed = FALSE;
    if (m_pList && m_pList->IsWindow())
        SetCapture(m_pList->m_hWnd);
}

void CMultiColumnComboBox::ForwardKeyToList(WPARAM nKey)
{
    if (!m_pList)
        return;
    m_pList->SendMessage(WM_KEYDOWN, nKey, 0);
    const int nSelected = m_pList->GetNextItem(-1, LVNI_SELECTED);
    if (nSelected >= 0)
        m_nSelection = nSelected;
}

void CMultiColumnComboBox::Unhook()
{
    if (m_pEdit && m_pEdit->IsWindow())
        CWindowHook::Unhook(m_pEdit->m_hWnd);
    if (m_pList && m_pList->IsWindow())
        CWindowHook::Unhook(m_pList->m_hWnd);
    if (m_hHookedParent)
        CWindowHook::Unhook(std::exchange(m_hHookedParent, nullptr));
}

void CMultiColumnComboBox::OnListMouse(UINT message, POINT ptClient)
{
    const HWND hList = m_pList->m_hWnd;
    POINT ptScreen = ptClient;
    ClientToScreen(hList, &ptScreen);
    const RECT rcWindow = m_pList->GetWindowRect();
    RECT rcClient = m_pList->GetClientRect();
    MapWindowPoints(hList, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
    const bool bInClient = PtInRect(&rcClient, ptScreen) != FALSE;
    if (bInClient) {
        const int nRow = m_pList->HitTest(ptClient);
        if (nRow >= 0 && nRow != GetCurrentSelection())
            SetCurrentSelection(nRow);
    } else if (message == WM_LBUTTONDOWN && PtInRect(&rcWindow, ptScreen)) {
        // The scroll bar or the border: the list works them itself, and stays open.
        const LPARAM lScreen = MAKELPARAM(ptScreen.x, ptScreen.y);
        ReleaseCapture();
        const LRESULT nHit = m_pList->SendMessage(WM_NCHITTEST, 0, lScreen);
        m_pList->SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(nHit), lScreen);
        if (m_pList && m_pList->IsWindow())
            SetCapture(m_pList->m_hWnd);
        return;
    }
    if (message != WM_LBUTTONDOWN)
        return;
    const CLifeToken::CWatch alive = m_life.Watch();
    ShowDropDown(FALSE);
    if (alive && bInClient)
        CommitSelection();
}

bool CMultiColumnComboBox::WatchEdit(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        t_pActive.Set(dynamic_cast<CMultiColumnComboBox*>(CWnd::FromHandle(::GetParent(hWnd))));
        break;
    case WM_KILLFOCUS:
        if (CMultiColumnComboBox* pActive = t_pActive.Get()) {
            const CLifeToken::CWatch alive = pActive->m_life.Watch();
            pActive->ShowDropDown(FALSE);
            if (alive && t_pActive.Get() == pActive)
                t_pActive.Set(nullptr);
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (CMultiColumnComboBox* pActive = t_pActive.Get()) {
            if (wParam == VK_RETURN || wParam == VK_ESCAPE || IsListKey(wParam)) {
                ::SendMessageW(pActive->m_hWnd, message, wParam, lParam);
            } else if (wParam == VK_F4) {
                const CLifeToken::CWatch alive = pActive->m_life.Watch();
                pActive->ShowDropDown(!pActive->IsDroppedDown());
                if (alive)
                    pActive->CaptureListIfDropped();
            }
        }
        break;
    default:
        break;
    }
    return false;
}

bool CMultiColumnComboBox::WatchList(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    CMultiColumnComboBox* pActive = t_pActive.Get();
    const bool bMouse = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONDOWN;
    if (pActive && bMouse && pActive->m_pList && pActive->m_pList->m_hWnd == hWnd) {
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (message == WM_NCMOUSEMOVE)
            ScreenToClient(hWnd, &point);
        if (message != WM_LBUTTONDOWN) {
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
            SetCapture(hWnd);
        }
        pActive->OnListMouse(message, point);
    }
    return false;
}

bool CMultiColumnComboBox::WatchParent(HWND, UINT message, WPARAM wParam, LPARAM)
{
    const bool bCloses = message == WM_SYSCOMMAND || message == WM_NCLBUTTONDOWN || message == WM_COMMAND
                         || message == WM_LBUTTONDOWN || message == WM_CAPTURECHANGED;
    if (CMultiColumnComboBox* pActive = t_pActive.Get(); pActive && bCloses) {
        const CLifeToken::CWatch alive = pActive->m_life.Watch();
        const BOOL bWasDropped = pActive->IsDroppedDown();
        pActive->ShowDropDown(FALSE);
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
            if (alive)
                pActive->CommitSelection();
            return true;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && bWasDropped)
            return true;
    }
    return false;
}
