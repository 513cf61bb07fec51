// CClientDC: the device context of a window's client area (or whole window), released on exit.
#pragma once
#include <windows.h>

class CClientDC {
public:
    explicit CClientDC(HWND hWnd, bool bWholeWindow = false)
        : m_hWnd(hWnd), m_hdc(bWholeWindow ? GetWindowDC(hWnd) : GetDC(hWnd)) {}
    ~CClientDC() { if (m_hdc) ReleaseDC(m_hWnd, m_hdc); }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    operator HDC() const { return m_hdc; }

private:
    HWND m_hWnd;
    HDC m_hdc;
};
