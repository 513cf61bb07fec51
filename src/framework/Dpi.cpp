#include "Dpi.h"

namespace {

// Both appeared with per-monitor DPI awareness: older systems have neither, and their windows
// all draw at the screen's DPI.
using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiProc = int(WINAPI*)(int, UINT);

template <typename Proc>
Proc User32Proc(const char* pszName)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), pszName)));
}

int DeviceDpi(HWND hWnd)
{
    HDC hDC = GetDC(hWnd);
    const int nDpi = hDC ? GetDeviceCaps(hDC, LOGPIXELSY) : 0;
    if (hDC)
        ReleaseDC(hWnd, hDC);
    return nDpi;
}

} // namespace

CDpi CDpi::OfWindow(HWND hWnd)
{
    static const GetDpiForWindowProc s_getDpiForWindow = User32Proc<GetDpiForWindowProc>("GetDpiForWindow");
    const int nDpi = hWnd && s_getDpiForWindow ? static_cast<int>(s_getDpiForWindow(hWnd)) : 0;
    return CDpi(nDpi > 0 ? nDpi : DeviceDpi(hWnd));
}

// The system's DPI stays what it was as the process started, whatever the screens do later.
CDpi CDpi::OfScreen()
{
    static const CDpi s_screen(DeviceDpi(nullptr));
    return s_screen;
}

int CDpi::SystemMetric(int nIndex) const
{
    static const GetSystemMetricsForDpiProc s_metricForDpi = User32Proc<GetSystemMetricsForDpiProc>("GetSystemMetricsForDpi");
    return s_metricForDpi ? s_metricForDpi(nIndex, static_cast<UINT>(m_nDpi)) : GetSystemMetrics(nIndex);
}
