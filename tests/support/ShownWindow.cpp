#include "ShownWindow.h"

#include <utility>

namespace {

using Search = std::pair<const wchar_t*, HWND>;

BOOL CALLBACK FindShown(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<Search*>(lParam);
    wchar_t className[64] = {};
    GetClassNameW(hWnd, className, 64);
    if (lstrcmpiW(className, pSearch->first) != 0 || !IsWindowVisible(hWnd))
        return TRUE;
    pSearch->second = hWnd;
    return FALSE;
}

} // namespace

HWND ShownWindow(const wchar_t* pszClass)
{
    Search search(pszClass, nullptr);
    EnumThreadWindows(GetCurrentThreadId(), &FindShown, reinterpret_cast<LPARAM>(&search));
    return search.second;
}
