#include "FloorAccessible.h"

#include "FloorView.h"
#include "ShortIndex.h"

CFloorAccessible::CFloorAccessible(CFloorView& view) : CAccessibleItems(view.m_hWnd), m_pView(&view) {}

// The view destroys its window as it goes: a window still bound to it means the view is there.
bool CFloorAccessible::IsConnected() const
{
    return ::IsWindow(m_hWnd) && CWnd::FromHandle(m_hWnd) == m_pView;
}

long CFloorAccessible::ItemCount() const
{
    return m_pView->GetPagesCount();
}

long CFloorAccessible::OwnRole() const
{
    return ROLE_SYSTEM_PAGETABLIST;
}

bool CFloorAccessible::GetItem(long nIndex, ItemFacts* pFacts) const
{
    const short nPage = ToShortIndex(nIndex);
    if (!m_pView->IsPage(nPage))
        return false;
    pFacts->strName = m_pView->GetPageName(nPage);
    pFacts->nRole = ROLE_SYSTEM_PAGETAB;
    pFacts->nState = STATE_SYSTEM_SELECTABLE;
    if (nPage == m_pView->GetActivePage())
        pFacts->nState |= STATE_SYSTEM_SELECTED;
    if (const RECT caption = m_pView->GetCaptionRect(nPage); IsRectEmpty(&caption))
        pFacts->nState |= STATE_SYSTEM_INVISIBLE;
    pFacts->strDefaultAction = "Switch";
    return true;
}

RECT CFloorAccessible::ItemRect(long nIndex) const
{
    return m_pView->GetCaptionRect(ToShortIndex(nIndex));
}

long CFloorAccessible::SelectedItem() const
{
    return m_pView->GetActivePage();
}

HRESULT CFloorAccessible::DoItemDefaultAction(long nIndex)
{
    const short nPage = ToShortIndex(nIndex);
    if (!m_pView->IsPage(nPage))
        return E_INVALIDARG;
    m_pView->SwitchTo(nPage);
    return S_OK;
}
