#include "ReflectShellTree.h"

#include "Dpi.h"

#include "FolderKind.h"
#include "ItemList.h"

BEGIN_MESSAGE_MAP(CReflectShellTree, CShellTree)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
    ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    ON_MESSAGE(WM_RBUTTONDOWN, OnRightClick)
    ON_MESSAGE(WM_RBUTTONUP, OnRightClick)
    ON_MESSAGE(WM_CONTEXTMENU, OnRightClick)
END_MESSAGE_MAP(CShellTree)

namespace {

POINT ClientPoint(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

CReflectShellTree* CReflectShellTree::CreateForRow(CControlsWnd_CShellFolder* pControlsWnd)
{
    CItemList* pList = pControlsWnd ? pControlsWnd->m_pList : nullptr;
    const HWND hList = pList ? pList->GetListWindow() : nullptr;
    // A pop-up is owned by the top-level window of the window named here; its notifications
    // go to that window itself, the page list, which hands them back to the tree.
    const DWORD style = WS_POPUP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP;
    const CDpi dpi = CDpi::OfWindow(hList);
    const RECT rect = {0, 0, dpi.Scale(kWidth), dpi.Scale(kHeight)};
    if (!hList || !CWnd::Create(WC_TREEVIEWW, "", style, WS_EX_TOOLWINDOW, rect, hList, 0))
        return nullptr;
    m_pControlsWnd = pControlsWnd;
    m_controlsAlive = pControlsWnd->Watch();
    FillTopLevel();
    m_bPopup = kPopupMode;
    return this;
}

void CReflectShellTree::CloseTree(BOOL bCancel)
{
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    ReadPath();
    // Hiding the tree takes the focus from it, which closes it once more, cancelling.
    ShowWindow(SW_HIDE);
    if (CControlsWnd_CShellFolder* pControlsWnd = bCancel ? nullptr : ControlsWnd())
        pControlsWnd->OnFolderChosen();
}

BOOL CReflectShellTree::IsPopup() const
{
    return (m_bPopup & kPopupMode) != 0;
}

void CReflectShellTree::DropBelow(HWND hList, const RECT& rcCell)
{
    RECT cell = rcCell;
    MapWindowPoints(hList, nullptr, reinterpret_cast<POINT*>(&cell), 2);
    const RECT current = GetWindowRect();
    const LONG nWidth = current.right - current.left;
    RECT rect = {cell.left, cell.bottom, cell.right, cell.bottom + (current.bottom - current.top)};
    if (cell.right - cell.left < nWidth)
        rect.left = cell.right - nWidth;
    MoveWindow(rect, TRUE);
    ShowWindow(SW_SHOW);
    const CLifeToken::CWatch alive = m_controlsAlive;
    // The window losing the focus may be another row's editor, which commits; the host's
    // handler may then end this row.
    SetFocus();
    if (alive && IsOpenPopup())
        SetCapture(m_hWnd);
}

LRESULT CReflectShellTree::OnKeyDown(WPARAM wParam, LPARAM)
{
    if (IsOpenPopup() && (wParam == VK_RETURN || wParam == VK_SPACE)) {
        const CLifeToken::CWatch alive = m_controlsAlive;
        CloseTree(FALSE);
        if (!alive)
            return 0;
    }
    return Default();
}

// While the tree holds the mouse, a press on its frame or scroll bars still works them.
LRESULT CReflectShellTree::OnLButtonDown(WPARAM, LPARAM lParam)
{
    POINT point = ClientPoint(lParam);
    const RECT client = GetClientRect();
    if (IsOpenPopup() && !PtInRect(&client, point)) {
        ReleaseCapture();
        ClientToScreen(m_hWnd, &point);
        const LPARAM screen = MAKELPARAM(point.x, point.y);
        const LRESULT nHit = SendMessage(WM_NCHITTEST, 0, screen);
        SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(nHit), screen);
        if (IsOpenPopup())
            SetCapture(m_hWnd);
    }
    return Default();
}

// A click that ends outside the tree chooses the folder selected in it.
LRESULT CReflectShellTree::OnLButtonUp(WPARAM, LPARAM lParam)
{
    const LRESULT result = Default();
    POINT point = ClientPoint(lParam);
    ClientToScreen(m_hWnd, &point);
    const RECT window = GetWindowRect();
    if (IsOpenPopup() && !PtInRect(&window, point))
        CloseTree(FALSE);
    return result;
}

LRESULT CReflectShellTree::OnKillFocus(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (IsOpenPopup())
        CloseTree(TRUE);
    return result;
}

// The pop-up offers no shell menu of its items.
LRESULT CReflectShellTree::OnRightClick(WPARAM, LPARAM)
{
    return IsPopup() ? 0 : Default();
}

CControlsWnd_CShellFolder* CReflectShellTree::ControlsWnd() const
{
    return m_controlsAlive && !m_pControlsWnd->IsClosing() ? m_pControlsWnd : nullptr;
}

bool CReflectShellTree::IsOpenPopup() const
{
    return IsPopup() && ControlsWnd() && IsWindowVisible();
}

void CReflectShellTree::ReadPath()
{
    const std::string strPath = GetItemPath(GetSelectedItem());
    if (!strPath.empty())
        m_strPath = strPath;
}
