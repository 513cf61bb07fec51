// CGroupsMenu: the "Groups" submenu of the design list's context menu, one item per group row
// of the page after an empty item that takes rows out of their group.
#pragma once
#include <windows.h>

#include <map>

class CPageListCtrlDesign;

class CGroupsMenu {
public:
    static constexpr UINT kNoGroupCommand = 36864;
    static constexpr int kNotMapped = -2;

    CGroupsMenu() = default;
    virtual ~CGroupsMenu();
    CGroupsMenu(const CGroupsMenu&) = delete;
    CGroupsMenu& operator=(const CGroupsMenu&) = delete;

    // -1 for the empty item, the group row of a mapped command, kNotMapped otherwise.
    virtual int LookupCommand(UINT nID) const;
    // Appends the submenu to hParent when the owner's page has group rows.
    virtual void Build(HMENU hParent);
    virtual void SetOwner(CPageListCtrlDesign* pOwner) { m_pOwner = pOwner; }

private:
    void DestroySubmenu();

    CPageListCtrlDesign* m_pOwner = nullptr;
    std::map<UINT, int> m_rows;
    // Owned until it is appended to a parent menu, which then destroys it with itself.
    HMENU m_hSubmenu = nullptr;
};
