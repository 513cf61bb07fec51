#include "ColourPopupAccessible.h"

#include "ColourPopup.h"

#include <algorithm>

CColourPopupAccessible::CColourPopupAccessible(CColourPopup& popup)
    : CAccessibleItems(popup.m_hWnd), m_pPopup(&popup), m_popupAlive(popup.Watch())
{
}

bool CColourPopupAccessible::IsConnected() const
{
    return m_popupAlive && m_pPopup->IsWindow();
}

long CColourPopupAccessible::OwnRole() const
{
    return ROLE_SYSTEM_LIST;
}

long CColourPopupAccessible::ItemCount() const
{
    return static_cast<long>(m_pPopup->GetCells().size());
}

int CColourPopupAccessible::CellOf(long nIndex) const
{
    const std::vector<int> cells = m_pPopup->GetCells();
    return nIndex >= 0 && nIndex < static_cast<long>(cells.size()) ? cells[static_cast<size_t>(nIndex)]
                                                                    : CColourPopup::kNoCell;
}

long CColourPopupAccessible::IndexOfCell(int nCell) const
{
    const std::vector<int> cells = m_pPopup->GetCells();
    const auto found = std::find(cells.begin(), cells.end(), nCell);
    return nCell == CColourPopup::kNoCell || found == cells.end() ? -1 : static_cast<long>(found - cells.begin());
}

bool CColourPopupAccessible::GetItem(long nIndex, ItemFacts* pFacts) const
{
    const int nCell = CellOf(nIndex);
    if (nCell == CColourPopup::kNoCell)
        return false;
    pFacts->strName = m_pPopup->GetCellName(nCell);
    const bool bBox = nCell < 0;
    pFacts->nRole = bBox ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_LISTITEM;
    pFacts->nState = STATE_SYSTEM_FOCUSABLE | (bBox ? 0 : STATE_SYSTEM_SELECTABLE);
    if (nCell == m_pPopup->GetChosenCell())
        pFacts->nState |= STATE_SYSTEM_SELECTED;
    if (nCell == m_pPopup->GetHotCell())
        pFacts->nState |= STATE_SYSTEM_FOCUSED;
    pFacts->strDefaultAction = bBox ? "Press" : "Choose";
    return true;
}

RECT CColourPopupAccessible::ItemRect(long nIndex) const
{
    return m_pPopup->GetCellRect(CellOf(nIndex));
}

long CColourPopupAccessible::FocusedItem() const
{
    return IndexOfCell(m_pPopup->GetHotCell());
}

long CColourPopupAccessible::SelectedItem() const
{
    return IndexOfCell(m_pPopup->GetChosenCell());
}

HRESULT CColourPopupAccessible::DoItemDefaultAction(long nIndex)
{
    const int nCell = CellOf(nIndex);
    if (nCell == CColourPopup::kNoCell)
        return E_INVALIDARG;
    m_pPopup->PickCell(nCell);
    return S_OK;
}
