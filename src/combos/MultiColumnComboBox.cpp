#include "MultiColumnComboBox.h"

#include "Brush.h"
#include "ClientDC.h"
#include "Font.h"
#include "GuardCall.h"
#include "PaintDC.h"
#include "Text.h"
#include "WindowProcs.h"
#include "resource.h"

#include <windowsx.h>

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

const DWORD kEditStyle = 0x50000380;   // child, visible, scrolls sideways, keeps its selection
const DWORD kListStyle = 0x4080C00D;   // child, border, report, single selection, no header
const DWORD kListExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
const COLORREF kButtonFace = RGB(192, 192, 192);

CMultiColumnComboBox* s_pActive = nullptr;

// A hook as the window's procedure: nothing it throws reaches the system, which called it.
template <WNDPROC pfnHook>
LRESULT CALLBACK Guarded(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardCall([&] { return pfnHook(hWnd, message, wParam, lParam); }, LRESULT(0));
}

HFONT SharedFont()
{
    static const CFont font(CFont::Describe("MS Sans Serif", 8, FW_NORMAL));
    return font.Get();
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

int ButtonWidth()
{
    return GetSystemMetrics(SM_CXVSCROLL) + 2;
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
    if (s_pActive == this)
        s_pActive = nullptr;
}

void CMultiColumnComboBox::RegisterClass()
{
    if (!RegisterWindowClass(kClassName, CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                             LoadCursorW(nullptr, IDC_ARROW)))
        return;
    SelChangeMessage();
    SharedFont();
}

UINT CMultiColumnComboBox::SelChangeMessage()
{
    static const UINT nMessage = RegisterWindowMessageW(L"MCCBN_SELCHANGE");
    return nMessage;
}

CMultiColumnComboBox* CMultiColumnComboBox::GetActive()
{
    return s_pActive;
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
    SetFont(SharedFont(), TRUE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetWindowLongPtrW(m_hWnd, GWL_STYLE) | WS_TABSTOP);
    m_pEdit = std::make_unique<CEdit>();
    m_pList = std::make_unique<CListCtrl>();
    if (!m_pEdit->Create(kEditStyle, RECT{0, 0, 0, 0}, m_hWnd, kEditId))
        return FALSE;
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_STATICEDGE);
    m_pEdit->SetFont(SharedFont(), TRUE);
    if (!m_pList->Create(kListStyle, RECT{0, 0, 0, 0}, GetDesktopWindow(), kListId))
        return FALSE;
    const HWND hList = m_pList->m_hWnd;
    SetWindowLongPtrW(hList, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hList, GWL_STYLE, GetWindowLongPtrW(hList, GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowLongPtrW(hList, GWL_EXSTYLE, GetWindowLongPtrW(hList, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    SetWindowPos(hList, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pList->SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, static_cast<WPARAM>(-1), kListExStyle);
    RepositionChildren();
    CWindowProcs& procs = CWindowProcs::Instance();
    procs.Hook(CWindowProcs::kEdit, m_pEdit->m_hWnd, &Guarded<&EditHook>);
    procs.Hook(CWindowProcs::kList, hList, &Guarded<&ListHook>);
    m_hHookedParent = GetParent();
    if (m_hHookedParent)
        procs.Hook(CWindowProcs::kParent, m_hHookedParent, &Guarded<&ParentHook>);
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
    DrawIconEx(hDC, face.left + nShift, face.top + nShift, DropArrow(), 0, 0, 0, nullptr, DI_NORMAL);
}

void CMultiColumnComboBox::RepositionChildren()
{
    RECT combo = GetWindowRect();
    if (combo.bottom - combo.top != kHeight) {
        SetWindowPos(m_hWnd, nullptr, 0, 0, combo.right - combo.left, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        combo = GetWindowRect();
    }
    if (!m_pEdit || !m_pEdit->IsWindow() || !m_pList || !m_pList->IsWindow())
        return;
    RECT edit = GetClientRect();
    InflateRect(&edit, -1, -2);
    edit.bottom += 1;
    edit.right -= ButtonWidth();
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
    m_rcButton.left = m_rcButton.right - ButtonWidth();
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
    if (s_pActive == this)
        s_pActive = nullptr;
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
    CWindowProcs& procs = CWindowProcs::Instance();
    if (m_pEdit && m_pEdit->IsWindow())
        procs.Unhook(CWindowProcs::kEdit, m_pEdit->m_hWnd);
    if (m_pList && m_pList->IsWindow())
        procs.Unhook(CWindowProcs::kList, m_pList->m_hWnd);
    if (m_hHookedParent)
        procs.Unhook(CWindowProcs::kParent, std::exchange(m_hHookedParent, nullptr));
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

LRESULT CALLBACK CMultiColumnComboBox::EditHook(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        s_pActive = dynamic_cast<CMultiColumnComboBox*>(CWnd::FromHandle(::GetParent(hWnd)));
        break;
    case WM_KILLFOCUS:
        if (CMultiColumnComboBox* pActive = s_pActive) {
            const CLifeToken::CWatch alive = pActive->m_life.Watch();
            pActive->ShowDropDown(FALSE);
            if (alive && s_pActive == pActive)
                s_pActive = nullptr;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (CMultiColumnComboBox* pActive = s_pActive) {
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
    // The keys may have ended the combo, and its edit with it.
    if (!::IsWindow(hWnd))
        return 0;
    return CWindowProcs::Instance().CallPrevious(CWindowProcs::kEdit, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CMultiColumnComboBox::ListHook(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CMultiColumnComboBox* pActive = s_pActive;
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
    if (!::IsWindow(hWnd))
        return 0;
    return CWindowProcs::Instance().CallPrevious(CWindowProcs::kList, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CMultiColumnComboBox::ParentHook(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bCloses = message == WM_SYSCOMMAND || message == WM_NCLBUTTONDOWN || message == WM_COMMAND
                         || message == WM_LBUTTONDOWN || message == WM_CAPTURECHANGED;
    if (CMultiColumnComboBox* pActive = s_pActive; pActive && bCloses) {
        const CLifeToken::CWatch alive = pActive->m_life.Watch();
        const BOOL bWasDropped = pActive->IsDroppedDown();
        pActive->ShowDropDown(FALSE);
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
            if (alive)
                pActive->CommitSelection();
            return 0;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && bWasDropped)
            return 0;
    }
    if (!::IsWindow(hWnd))
        return 0;
    return CWindowProcs::Instance().CallPrevious(CWindowProcs::kParent, hWnd, message, wParam, lParam);
}
