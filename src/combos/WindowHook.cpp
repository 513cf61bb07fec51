#include "WindowHook.h"

#include "GuardCall.h"

#include <memory>

void CWindowHook::Hook(HWND hWnd, Watcher pfnWatch)
{
    if (CWindowHook* pHook = Find(hWnd)) {
        if (pHook->m_pfnWatch == pfnWatch)
            ++pHook->m_nUsers;
        return;
    }
    std::unique_ptr<CWindowHook> pHook(new CWindowHook(pfnWatch));
    if (pHook->OverlayWindow(hWnd))
        pHook.release(); // the window's from here on: see PostNcDestroy
}

void CWindowHook::Unhook(HWND hWnd)
{
    CWindowHook* pHook = Find(hWnd);
    if (!pHook || --pHook->m_nUsers > 0)
        return;
    if (pHook->m_nDepth > 0)
        pHook->m_bEnded = true;
    else
        delete pHook;
}

CWindowHook* CWindowHook::Find(HWND hWnd)
{
    return dynamic_cast<CWindowHook*>(OverlayFromHandle(hWnd));
}

LRESULT CWindowHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = m_hWnd;
    ++m_nDepth;
    const bool bTaken = GuardCall([&] { return m_pfnWatch(hWnd, message, wParam, lParam); }, false);
    // What the watcher did may have ended the window.
    const LRESULT result = bTaken || !::IsWindow(hWnd) ? 0 : Default();
    if (--m_nDepth == 0 && m_bEnded)
        delete this;
    return result;
}

void CWindowHook::PostNcDestroy()
{
    delete this;
}
