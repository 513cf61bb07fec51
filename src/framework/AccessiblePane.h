// CAccessiblePane: a window that only holds others, as a screen reader finds it - a pane with
// a name of its own where it has one (the standard object's otherwise), whose children are its
// visible child windows.
#pragma once
#include "AccessibleItems.h"

#include <string>

class CAccessiblePane : public CAccessibleItems {
public:
    CAccessiblePane(HWND hWnd, std::string strName) : CAccessibleItems(hWnd), m_strName(std::move(strName)) {}

protected:
    long ItemCount() const override { return 0; }
    bool GetItem(long, ItemFacts*) const override { return false; }
    RECT ItemRect(long) const override { return RECT{0, 0, 0, 0}; }
    std::string OwnName() const override { return m_strName; }
    long OwnRole() const override { return ROLE_SYSTEM_PANE; }

private:
    std::string m_strName;
};
