#include "ColourPicker.h"

#include "ColourPopup.h"
#include "Dpi.h"

#include <algorithm>
#include <utility>

BEGIN_MESSAGE_MAP(CColourPicker, CButton)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP(CButton)

BOOL CColourPicker::CreateForCell(HWND hList, const RECT& rcCell, CPageListOwner* pControl)
{
    const CDpi dpi = CDpi::OfWindow(hList);
    const int nEdgeX = dpi.SystemMetric(SM_CXEDGE);
    const int nEdgeY = dpi.SystemMetric(SM_CYEDGE);
    const int nArrow = std::max({dpi.SystemMetric(SM_CXHTHUMB), dpi.SystemMetric(SM_CYVTHUMB), 5 * nEdgeX, 5 * nEdgeY});
    const int nWidth = std::max<int>(rcCell.right - rcCell.left, 2 * nArrow + 2 * nEdgeX);
    const RECT rect = {rcCell.left, rcCell.top, rcCell.left + nWidth, rcCell.top + nArrow + 2 * nEdgeY};
    if (!Create("", WS_CHILD | BS_OWNERDRAW, rect, hList, 0))
        return FALSE;
    m_pControl = pControl;
    return TRUE;
}

CColourPopup* CColourPicker::OpenPopup()
{
    const RECT rect = GetWindowRect();
    m_bHasResult = false;
    m_pPopup = CColourPopup::Open(POINT{rect.left, rect.bottom}, this, m_pControl);
    m_popupAlive = m_pPopup ? m_pPopup->Watch() : CLifeToken::CWatch();
    return m_pPopup;
}

CColourPopup* CColourPicker::GetPopup() const
{
    return m_popupAlive && m_pPopup->IsWindow() ? m_pPopup : nullptr;
}

void CColourPicker::SetResult(COLORREF crResult)
{
    m_crResult = crResult;
    m_bHasResult = true;
}

bool CColourPicker::TakeResult(COLORREF* pcrResult)
{
    m_pPopup = nullptr;
    m_popupAlive = CLifeToken::CWatch();
    *pcrResult = m_crResult;
    return std::exchange(m_bHasResult, false);
}

LRESULT CColourPicker::OnDestroy(WPARAM, LPARAM)
{
    if (CColourPopup* pPopup = GetPopup()) {
        m_pPopup = nullptr;
        m_popupAlive = CLifeToken::CWatch();
        pPopup->DestroyWindow();
    }
    return Default();
}

LRESULT CColourPicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bKey = message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
    CColourPopup* pPopup = bKey ? GetPopup() : nullptr;
    return pPopup ? pPopup->SendMessage(message, wParam, lParam) : CButton::WindowProc(message, wParam, lParam);
}
