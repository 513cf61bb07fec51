#include "WindowObjects.h"

using Lock = CProcessLockGuard;

void CWindowObjects::Add(HWND hWnd, CWnd* pWnd, WNDPROC pfnPrevious)
{
    const Lock lock(m_lock);
    m_entries[hWnd] = {pWnd, pfnPrevious, {0, 0, 0}, 0, false};
}

bool CWindowObjects::Adopt(HWND hWnd, CWnd* pWnd)
{
    const Lock lock(m_lock);
    Entry* pEntry = Lookup(hWnd);
    if (!pEntry || pEntry->pWnd || pEntry->bDestroyed)
        return false;
    pEntry->pWnd = pWnd;
    return true;
}

void CWindowObjects::Remove(HWND hWnd)
{
    const Lock lock(m_lock);
    m_entries.erase(hWnd);
}

CWnd* CWindowObjects::Find(HWND hWnd)
{
    const Lock lock(m_lock);
    const Entry* pEntry = Lookup(hWnd);
    return pEntry && !pEntry->bDestroyed ? pEntry->pWnd : nullptr;
}

WNDPROC CWindowObjects::Previous(HWND hWnd)
{
    const Lock lock(m_lock);
    const Entry* pEntry = Lookup(hWnd);
    return pEntry ? pEntry->pfnPrevious : nullptr;
}

CWindowObjects::Message CWindowObjects::Current(HWND hWnd)
{
    const Lock lock(m_lock);
    const Entry* pEntry = Lookup(hWnd);
    return pEntry ? pEntry->current : Message{0, 0, 0};
}

bool CWindowObjects::Enter(HWND hWnd, const Message& message, Frame* pFrame)
{
    const Lock lock(m_lock);
    Entry* pEntry = Lookup(hWnd);
    if (!pEntry)
        return false;
    *pFrame = {pEntry->bDestroyed ? nullptr : pEntry->pWnd, pEntry->pfnPrevious, pEntry->current};
    pEntry->current = message;
    ++pEntry->nDepth;
    return true;
}

CWnd* CWindowObjects::MarkDestroyed(HWND hWnd)
{
    const Lock lock(m_lock);
    Entry* pEntry = Lookup(hWnd);
    if (!pEntry || pEntry->bDestroyed)
        return nullptr;
    pEntry->bDestroyed = true;
    return pEntry->pWnd;
}

bool CWindowObjects::Leave(HWND hWnd, const Message& outer, Settled* pSettled)
{
    const Lock lock(m_lock);
    Entry* pEntry = Lookup(hWnd);
    if (!pEntry)
        return false;
    pEntry->current = outer;
    if (--pEntry->nDepth > 0)
        return false;
    *pSettled = SettledOf(*pEntry);
    return true;
}

bool CWindowObjects::LetGo(HWND hWnd, Settled* pSettled)
{
    const Lock lock(m_lock);
    Entry* pEntry = Lookup(hWnd);
    if (!pEntry)
        return false;
    pEntry->pWnd = nullptr;
    if (pEntry->nDepth > 0)
        return false;
    *pSettled = SettledOf(*pEntry);
    return true;
}

CWindowObjects::Entry* CWindowObjects::Lookup(HWND hWnd)
{
    const auto found = m_entries.find(hWnd);
    return found == m_entries.end() ? nullptr : &found->second;
}

CWindowObjects::Settled CWindowObjects::SettledOf(const Entry& entry)
{
    return {entry.pWnd, entry.pfnPrevious, entry.bDestroyed};
}
