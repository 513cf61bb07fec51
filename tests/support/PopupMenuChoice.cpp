#include "PopupMenuChoice.h"

#include "Text.h"

namespace {

// The menu this thread is answering; menus run on the thread that opened them.
struct MenuAnswer {
    const std::vector<std::string>* pPath = nullptr;
    HMENU hTop = nullptr;
    bool bAnswered = false;
    std::vector<MenuItemSeen> seen;
    RECT rcShown = {};
};

thread_local MenuAnswer* t_pAnswer = nullptr;

std::vector<MenuItemSeen> ReadMenu(HMENU hMenu)
{
    std::vector<MenuItemSeen> items;
    const int nCount = GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos) {
        wchar_t text[256] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        MenuItemSeen item;
        if (GetMenuItemInfoW(hMenu, static_cast<UINT>(nPos), TRUE, &info)) {
            item.strText = WideToUtf8(text);
            item.bSeparator = (info.fType & MFT_SEPARATOR) != 0;
            item.bGrayed = (info.fState & MFS_GRAYED) != 0;
            item.bChecked = (info.fState & MFS_CHECKED) != 0;
            if (info.hSubMenu)
                item.submenu = ReadMenu(info.hSubMenu);
        }
        items.push_back(std::move(item));
    }
    return items;
}

// The keys that reach the item at path: Down to it (separators are skipped, the top level
// starts with nothing selected, a submenu with its first item), Right into a submenu, Enter.
bool KeysFor(const std::vector<MenuItemSeen>& top, const std::vector<std::string>& path, std::vector<WPARAM>* pKeys)
{
    const std::vector<MenuItemSeen>* pItems = &top;
    for (size_t nLevel = 0; nLevel < path.size(); ++nLevel) {
        int nSteps = nLevel == 0 ? 1 : 0;
        const MenuItemSeen* pFound = nullptr;
        for (const MenuItemSeen& item : *pItems) {
            if (item.bSeparator)
                continue;
            if (item.strText == path[nLevel]) {
                pFound = &item;
                break;
            }
            ++nSteps;
        }
        if (!pFound)
            return false;
        pKeys->insert(pKeys->end(), static_cast<size_t>(nSteps), VK_DOWN);
        const bool bLast = nLevel + 1 == path.size();
        pKeys->push_back(bLast ? VK_RETURN : VK_RIGHT);
        pItems = &pFound->submenu;
    }
    return !path.empty();
}

void PostKeys(HWND hMenuWindow, const std::vector<WPARAM>& keys)
{
    for (WPARAM key : keys) {
        if (hMenuWindow)
            PostMessageW(hMenuWindow, WM_KEYDOWN, key, 1);
        else
            PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, key, 1);
    }
}

LRESULT CALLBACK WatchMenuMessages(int nCode, WPARAM wParam, LPARAM lParam)
{
    const auto* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
    MenuAnswer* pAnswer = t_pAnswer;
    if (nCode == HC_ACTION && pAnswer) {
        if (pMessage->message == WM_INITMENUPOPUP && !pAnswer->hTop)
            pAnswer->hTop = reinterpret_cast<HMENU>(pMessage->wParam);
        if (pMessage->message == WM_ENTERIDLE && pMessage->wParam == MSGF_MENU) {
            std::vector<WPARAM> keys;
            if (!pAnswer->bAnswered && pAnswer->hTop) {
                pAnswer->seen = ReadMenu(pAnswer->hTop);
                GetWindowRect(reinterpret_cast<HWND>(pMessage->lParam), &pAnswer->rcShown);
                if (!KeysFor(pAnswer->seen, *pAnswer->pPath, &keys))
                    keys.assign(1, VK_ESCAPE);
            } else {
                keys.assign(1, VK_ESCAPE); // a menu nobody asked for
            }
            pAnswer->bAnswered = true;
            PostKeys(reinterpret_cast<HWND>(pMessage->lParam), keys);
        }
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

// A menu that never goes idle would keep the test waiting for ever.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR, DWORD)
{
    EndMenu();
}

} // namespace

std::vector<MenuItemSeen> ChooseFromPopupMenu(const std::function<void()>& open, const std::vector<std::string>& path,
                                              RECT* prcShown)
{
    MenuAnswer answer;
    answer.pPath = &path;
    t_pAnswer = &answer;
    const HHOOK hHook = SetWindowsHookExW(WH_CALLWNDPROC, &WatchMenuMessages, nullptr, GetCurrentThreadId());
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 10000, &EndStuckMenu);
    open();
    KillTimer(nullptr, nTimer);
    UnhookWindowsHookEx(hHook);
    t_pAnswer = nullptr;
    if (prcShown)
        *prcShown = answer.rcShown;
    return answer.seen;
}

const MenuItemSeen* FindMenuItem(const std::vector<MenuItemSeen>& items, const std::string& strText)
{
    for (const MenuItemSeen& item : items) {
        if (!item.bSeparator && item.strText == strText)
            return &item;
    }
    return nullptr;
}
