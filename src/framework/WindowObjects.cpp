#include "WindowObjects.h"

void CWindowObjects::Add(HWND hWnd, CWnd* pWnd)
{
    AcquireSRWLockExclusive(&m_lock);
    m_objects[hWnd] = pWnd;
    ReleaseSRWLockExclusive(&m_lock);
}

void CWindowObjects::Remove(HWND hWnd)
{
    AcquireSRWLockExclusive(&m_lock);
    m_objects.erase(hWnd);
    ReleaseSRWLockExclusive(&m_lock);
}

CWnd* CWindowObjects::Find(HWND hWnd)
{
    AcquireSRWLockShared(&m_lock);
    const auto found = m_objects.find(hWnd);
    CWnd* pWnd = found == m_objects.end() ? nullptr : found->second;
    ReleaseSRWLockShared(&m_lock);
    return pWnd;
}
