// CPaintDC: BeginPaint / EndPaint around a WM_PAINT handler.
#pragma once
#include <windows.h>

class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_hdc(BeginPaint(hWnd, &m_paint)) {}
    ~CPaintDC() { EndPaint(m_hWnd, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    operator HDC() const { return m_hdc; }
    const RECT& PaintRect() const { return m_paint.rcPaint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint = {};
    HDC m_hdc;
};
