#include "WindowProcs.h"

CWindowProcs& CWindowProcs::Instance()
{
    static CWindowProcs procs;
    return procs;
}

void CWindowProcs::Hook(Kind kind, HWND hWnd, WNDPROC pfnHook)
{
    ProcedureMap& map = m_maps[kind];
    const auto found = map.find(hWnd);
    if (found != map.end()) {
        ++found->second.nUsers;
        return;
    }
    const auto pfnPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnHook)));
    if (pfnPrevious)
        map.emplace(hWnd, SWindowProcedure{pfnPrevious, pfnHook, 1});
}

void CWindowProcs::Unhook(Kind kind, HWND hWnd)
{
    ProcedureMap& map = m_maps[kind];
    const auto found = map.find(hWnd);
    if (found == map.end() || --found->second.nUsers > 0)
        return;
    if (Restore(hWnd, found->second))
        map.erase(found);
}

LRESULT CWindowProcs::CallPrevious(Kind kind, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ProcedureMap& map = m_maps[kind];
    const auto found = map.find(hWnd);
    if (found == map.end())
        return DefWindowProcW(hWnd, message, wParam, lParam);
    const WNDPROC pfnPrevious = found->second.pfnPrevious;
    if (message == WM_NCDESTROY) {
        Restore(hWnd, found->second);
        map.erase(found);
    }
    return CallWindowProcW(pfnPrevious, hWnd, message, wParam, lParam);
}

bool CWindowProcs::IsHooked(Kind kind, HWND hWnd) const
{
    return m_maps[kind].count(hWnd) != 0;
}

bool CWindowProcs::Restore(HWND hWnd, const SWindowProcedure& record)
{
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) != record.pfnHook)
        return false;
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record.pfnPrevious));
    return true;
}
