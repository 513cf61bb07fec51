// CColourPopupAccessible: the colour popup as a screen reader finds it - a list of the colours
// by name, the one the popup opened on selected and the highlighted one focused, with the
// Automatic and More Colours boxes as buttons before and after them; a colour is chosen, or a
// box pressed, by its default action as by a click.
#pragma once
#include "AccessibleItems.h"
#include "LifeToken.h"

class CColourPopup;

class CColourPopupAccessible : public CAccessibleItems {
public:
    explicit CColourPopupAccessible(CColourPopup& popup);

protected:
    bool IsConnected() const override;
    long ItemCount() const override;
    bool GetItem(long nIndex, ItemFacts* pFacts) const override;
    RECT ItemRect(long nIndex) const override;
    long FocusedItem() const override;
    long SelectedItem() const override;
    HRESULT DoItemDefaultAction(long nIndex) override;
    long OwnRole() const override;

private:
    // The item's cell number; CColourPopup::kNoCell when there is none.
    int CellOf(long nIndex) const;
    long IndexOfCell(int nCell) const;

    CColourPopup* m_pPopup;
    CLifeToken::CWatch m_popupAlive;
};
