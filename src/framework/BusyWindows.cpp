#include "BusyWindows.h"

#include "ProcessLock.h"
#include "ThreadSlot.h"

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

CThreadSlot<CBusyWindows*> t_pThreadWindows;
// Every thread's lists, owned here so that they go when the module unloads.
CProcessLock g_everyThreadLock;
std::vector<std::unique_ptr<CBusyWindows>> g_everyThread;

} // namespace

CBusyWindows& CBusyWindows::ThisThread()
{
    if (CBusyWindows* pWindows = t_pThreadWindows.Get())
        return *pWindows;
    auto pWindows = std::make_unique<CBusyWindows>();
    t_pThreadWindows.Set(pWindows.get());
    const CProcessLockGuard lock(g_everyThreadLock);
    g_everyThread.push_back(std::move(pWindows));
    return *g_everyThread.back();
}

void CBusyWindows::ThreadEnded()
{
    CBusyWindows* pWindows = t_pThreadWindows.Get();
    if (!pWindows)
        return;
    t_pThreadWindows.Set(nullptr);
    const CProcessLockGuard lock(g_everyThreadLock);
    g_everyThread.erase(std::remove_if(g_everyThread.begin(), g_everyThread.end(),
                                       [pWindows](const auto& pEach) { return pEach.get() == pWindows; }),
                        g_everyThread.end());
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
