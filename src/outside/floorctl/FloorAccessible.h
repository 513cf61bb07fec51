// CFloorAccessible: the floor's captions as a screen reader finds them - a page tab list whose
// tabs are named after the captions, the front page's tab selected, each switched to by its
// default action as a click does. The page windows follow the tabs as the floor's children.
#pragma once
#include "AccessibleItems.h"

class CFloorView;

class CFloorAccessible : public CAccessibleItems {
public:
    explicit CFloorAccessible(CFloorView& view);

protected:
    bool IsConnected() const override;
    long ItemCount() const override;
    bool GetItem(long nIndex, ItemFacts* pFacts) const override;
    RECT ItemRect(long nIndex) const override;
    long SelectedItem() const override;
    HRESULT DoItemDefaultAction(long nIndex) override;
    long OwnRole() const override;

private:
    CFloorView* m_pView;
};
