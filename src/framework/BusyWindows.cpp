#include "BusyWindows.h"

#include <algorithm>
#include <iterator>

CBusyWindows& CBusyWindows::ThisThread()
{
    thread_local CBusyWindows windows;
    return windows;
}

void CBusyWindows::Leave(HWND hWnd)
{
    const auto innermost = std::find(m_busy.rbegin(), m_busy.rend(), hWnd);
    if (innermost != m_busy.rend())
        m_busy.erase(std::next(innermost).base());
    if (!m_parked.empty())
        DestroyIdleParked();
}

void CBusyWindows::Destroy(HWND hWnd)
{
    if (IsBusy(hWnd))
        Park(hWnd);
    else
        ::DestroyWindow(hWnd);
}

// Only the outermost busy windows move: a busy window inside another goes with it.
void CBusyWindows::Evacuate(HWND hWnd)
{
    std::vector<HWND> inside;
    for (const HWND hBusy : m_busy) {
        if (hBusy != hWnd && IsChild(hWnd, hBusy) && std::find(inside.begin(), inside.end(), hBusy) == inside.end())
            inside.push_back(hBusy);
    }
    for (const HWND hBusy : inside) {
        const bool bOutermost = std::none_of(inside.begin(), inside.end(), [hBusy](HWND hOther) { return IsChild(hOther, hBusy); });
        if (bOutermost)
            Park(hBusy);
    }
}

bool CBusyWindows::IsBusy(HWND hWnd) const
{
    return std::any_of(m_busy.begin(), m_busy.end(), [hWnd](HWND hBusy) { return hBusy == hWnd || IsChild(hWnd, hBusy); });
}

void CBusyWindows::Park(HWND hWnd)
{
    if (std::find(m_parked.begin(), m_parked.end(), hWnd) != m_parked.end())
        return;
    m_parked.push_back(hWnd);
    // Hidden first: the focus, if it is inside, goes to the parent the window is leaving.
    ShowWindow(hWnd, SW_HIDE);
    SetParent(hWnd, HWND_MESSAGE);
}

// A window leaves the list before it is destroyed: its own messages end here again.
void CBusyWindows::DestroyIdleParked()
{
    for (size_t i = 0; i < m_parked.size();) {
        const HWND hParked = m_parked[i];
        if (IsBusy(hParked)) {
            ++i;
            continue;
        }
        m_parked.erase(m_parked.begin() + static_cast<std::ptrdiff_t>(i));
        ::DestroyWindow(hParked);
        i = 0; // its destruction may have ended or parked others
    }
}
