// CVelmoraAccessible: the control as a screen reader finds it - a pane named after the host's
// name for the control (where the container gives one), holding the floor with its page tabs
// and the front page.
#pragma once
#include "AccessibleItems.h"

#include <string>

class CVelmoraAccessible : public CAccessibleItems {
public:
    CVelmoraAccessible(HWND hWnd, std::string strName) : CAccessibleItems(hWnd), m_strName(std::move(strName)) {}

protected:
    long ItemCount() const override { return 0; }
    bool GetItem(long, ItemFacts*) const override { return false; }
    RECT ItemRect(long) const override { return RECT{0, 0, 0, 0}; }
    std::string OwnName() const override { return m_strName; }
    long OwnRole() const override { return ROLE_SYSTEM_PANE; }

private:
    std::string m_strName;
};
