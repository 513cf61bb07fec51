#include "ModalEdit.h"

#include "FloorPropertiesWndDesign.h"

namespace {

// Hidden: shown where a caption is edited. Enter is typed into the text.
const DWORD kEditStyle = WS_CHILD | ES_CENTER | ES_MULTILINE | ES_WANTRETURN;

} // namespace

BEGIN_MESSAGE_MAP(CModalEdit, CEdit)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
    ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(OCM__BASE + WM_COMMAND, OnReflectedCommand)
END_MESSAGE_MAP(CEdit)

BOOL CModalEdit::Create(CFloorPropertiesWndDesign& floor, UINT nID)
{
    m_pFloor = &floor;
    return CEdit::Create(kEditStyle, RECT{0, 0, 0, 0}, floor.m_hWnd, nID);
}

void CModalEdit::ShowAt(int nLeft, int nTop, int nRight, int nBottom, const std::string& strText)
{
    m_bDone = FALSE;
    MoveWindow(RECT{nLeft, nTop, nRight, nBottom}, TRUE);
    SetWindowText(strText);
    ShowWindow(SW_SHOW);
    SetFocus();
    SetSel(0, -1);
}

void CModalEdit::HideEdit()
{
    ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

LRESULT CModalEdit::OnSetFocus(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    ::SetCapture(m_hWnd);
    return result;
}

// The first focus loss after ShowAt is undone, the second one ends the edit; the parent hears of
// each one (EN_KILLFOCUS) and is offered the text.
LRESULT CModalEdit::OnKillFocus(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (!IsWindow())
        return result;
    if (m_bDone)
        HideEdit();
    else
        SetFocus();
    m_bDone = TRUE;
    return result;
}

LRESULT CModalEdit::OnLButtonDown(WPARAM, LPARAM lParam)
{
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(m_hWnd, &pt);
    const RECT rcWindow = GetWindowRect();
    if (!PtInRect(&rcWindow, pt))
        HideEdit();
    return Default();
}

LRESULT CModalEdit::OnReflectedCommand(WPARAM wParam, LPARAM)
{
    if (m_pFloor)
        m_pFloor->OnChildCommand(LOWORD(wParam), HIWORD(wParam));
    return 0;
}
