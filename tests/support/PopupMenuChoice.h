// A popup menu as a person uses it: opened by some input (a right click), looked at, and an
// item chosen with the keys (down to the item, right into its submenu, Enter). The menu's own
// loop runs the keys, so the command reaches its owner exactly as a chosen item does.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct MenuItemSeen {
    std::string strText;   // empty for a separator and for an item without text
    bool bSeparator = false;
    bool bGrayed = false;
    bool bChecked = false;
    std::vector<MenuItemSeen> submenu;
};

// Runs open(), which shows a popup menu from this thread, and chooses the item at path (item
// texts from the top, e.g. {"As", "Group"}); an empty path or a path the menu does not have
// leaves the menu with Escape. Returns the items of the menu as it was shown (empty when no
// menu came). The command a chosen item posts is still in the queue: pump to deliver it.
// prcShown, when given, gets the menu window's screen rectangle.
std::vector<MenuItemSeen> ChooseFromPopupMenu(const std::function<void()>& open, const std::vector<std::string>& path,
                                              RECT* prcShown = nullptr);
// The item of that text among items; null when there is none.
const MenuItemSeen* FindMenuItem(const std::vector<MenuItemSeen>& items, const std::string& strText);
