// The object of each window this module's window procedure handles. A window property would
// do, but reading one costs a round trip to the window server on some platforms, and the lookup
// runs for every message.
#pragma once
#include <windows.h>

#include <unordered_map>

class CWnd;

class CWindowObjects {
public:
    void Add(HWND hWnd, CWnd* pWnd);
    void Remove(HWND hWnd);
    CWnd* Find(HWND hWnd);

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, CWnd*> m_objects;
};
