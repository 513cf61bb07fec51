#include "GroupsMenu.h"

#include "PageListCtrlDesign.h"
#include "Text.h"

CGroupsMenu::~CGroupsMenu()
{
    DestroySubmenu();
}

void CGroupsMenu::DestroySubmenu()
{
    if (m_hSubmenu && IsMenu(m_hSubmenu))
        DestroyMenu(m_hSubmenu);
    m_hSubmenu = nullptr;
}

int CGroupsMenu::LookupCommand(UINT nID) const
{
    if (nID == kNoGroupCommand)
        return -1;
    const auto found = m_rows.find(nID);
    return found == m_rows.end() ? kNotMapped : found->second;
}

void CGroupsMenu::Build(HMENU hParent)
{
    if (!m_pOwner)
        return;
    int nRow = -1;
    std::string strName;
    if (!m_pOwner->FindNextGroupRow(&nRow, &strName))
        return;
    DestroySubmenu();
    m_rows.clear();
    m_hSubmenu = CreatePopupMenu();
    if (!m_hSubmenu)
        return;
    AppendMenuW(m_hSubmenu, MF_STRING, kNoGroupCommand, L"");
    UINT nID = kNoGroupCommand + 1;
    do {
        m_rows[nID] = nRow;
        AppendMenuW(m_hSubmenu, MF_STRING, nID, Utf8ToWide(strName).c_str());
        ++nID;
    } while (m_pOwner->FindNextGroupRow(&nRow, &strName));
    if (AppendMenuW(hParent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(m_hSubmenu), L"Groups"))
        m_hSubmenu = nullptr;
}
