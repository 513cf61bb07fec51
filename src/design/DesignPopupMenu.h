// CDesignPopupMenu: the design list's context menu, the popup of that name in a menu resource,
// shown at a screen point for an owner window that receives the chosen command.
#pragma once
#include <windows.h>

#include <string>

class CDesignPopupMenu {
public:
    CDesignPopupMenu(UINT nMenuId, const std::string& strPopupName, HWND hOwner, POINT ptScreen);
    virtual ~CDesignPopupMenu();
    CDesignPopupMenu(const CDesignPopupMenu&) = delete;
    CDesignPopupMenu& operator=(const CDesignPopupMenu&) = delete;

    // Shows the popup centred on the point; the choice reaches the owner as a menu command.
    virtual void TrackMenu();
    // The popup found by name; null when the resource has none of that name.
    virtual HMENU GetPopup() const { return m_hPopup; }

private:
    HMENU m_hMenu;
    HWND m_hOwner;
    POINT m_ptScreen;
    HMENU m_hPopup = nullptr;
};
