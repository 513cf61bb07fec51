// CDpi: the dots per inch a window is drawn at, and the lengths and font heights given for a
// 96-DPI screen scaled to it. Every length the control gives in pixels goes through here.
#pragma once
#include <windows.h>

// Sent to child windows once their parent has followed a change of DPI (newer SDKs only).
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

class CDpi {
public:
    static constexpr int kStandard = 96;

    constexpr CDpi() = default;
    explicit constexpr CDpi(int nDpi) : m_nDpi(nDpi > 0 ? nDpi : kStandard) {}

    // The window's own where the platform tells it per window and monitor, else its screen's.
    static CDpi OfWindow(HWND hWnd);
    // The screen's (the system's) dots per inch.
    static CDpi OfScreen();

    int Get() const { return m_nDpi; }
    bool operator==(const CDpi& other) const { return m_nDpi == other.m_nDpi; }
    bool operator!=(const CDpi& other) const { return m_nDpi != other.m_nDpi; }

    // A length of 96-DPI pixels (or a 96-DPI font height, either sign) at this DPI.
    int Scale(int n) const { return m_nDpi == kStandard ? n : MulDiv(n, m_nDpi, kStandard); }
    SIZE Scale(SIZE size) const { return SIZE{Scale(size.cx), Scale(size.cy)}; }
    // A system metric at this DPI (at the system's where the platform has no per-DPI metrics).
    int SystemMetric(int nIndex) const;

private:
    int m_nDpi = kStandard;
};
