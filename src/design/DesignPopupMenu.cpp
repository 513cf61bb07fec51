#include "DesignPopupMenu.h"

#include "Text.h"
#include "Wnd.h"

CDesignPopupMenu::CDesignPopupMenu(UINT nMenuId, const std::string& strPopupName, HWND hOwner, POINT ptScreen)
    : m_hMenu(LoadMenuW(CWnd::ModuleInstance(), MAKEINTRESOURCEW(nMenuId))), m_hOwner(hOwner), m_ptScreen(ptScreen)
{
    if (!m_hMenu)
        return;
    // The items are read by position until one has no text: the menu's own end.
    for (int nPos = 0;; ++nPos) {
        wchar_t text[128] = {};
        if (GetMenuStringW(m_hMenu, static_cast<UINT>(nPos), text, 128, MF_BYPOSITION) <= 0)
            break;
        if (EqualNoCase(WideToUtf8(text), strPopupName)) {
            m_hPopup = GetSubMenu(m_hMenu, nPos);
            break;
        }
    }
}

CDesignPopupMenu::~CDesignPopupMenu()
{
    if (m_hMenu)
        DestroyMenu(m_hMenu);
}

void CDesignPopupMenu::TrackMenu()
{
    if (m_hPopup)
        TrackPopupMenu(m_hPopup, TPM_CENTERALIGN | TPM_LEFTBUTTON, m_ptScreen.x, m_ptScreen.y, 0, m_hOwner, nullptr);
}
