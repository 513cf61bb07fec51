#include "EscapeFilter.h"

#include "ThreadSlot.h"

namespace {

// The filters of this thread, newest first, and the one hook they share.
CThreadSlot<CEscapeFilter*> t_pFilters;
CThreadSlot<HHOOK> t_hHook;

} // namespace

CEscapeFilter::CEscapeFilter(HWND hDlg) : m_hDlg(hDlg), m_pNext(t_pFilters.Get())
{
    if (!t_hHook.Get())
        t_hHook.Set(SetWindowsHookExW(WH_MSGFILTER, &FilterProc, nullptr, GetCurrentThreadId()));
    t_pFilters.Set(this);
}

CEscapeFilter::~CEscapeFilter()
{
    if (t_pFilters.Get() == this) {
        t_pFilters.Set(m_pNext);
    } else {
        for (CEscapeFilter* pFilter = t_pFilters.Get(); pFilter; pFilter = pFilter->m_pNext) {
            if (pFilter->m_pNext == this) {
                pFilter->m_pNext = m_pNext;
                break;
            }
        }
    }
    if (!t_pFilters.Get() && t_hHook.Get()) {
        UnhookWindowsHookEx(t_hHook.Get());
        t_hHook.Set(nullptr);
    }
}

bool CEscapeFilter::IsFilteredKey(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_CANCEL);
}

bool CEscapeFilter::IsForFilteredDialog(HWND hWnd)
{
    for (const CEscapeFilter* pFilter = t_pFilters.Get(); pFilter; pFilter = pFilter->m_pNext) {
        if (hWnd == pFilter->m_hDlg || IsChild(pFilter->m_hDlg, hWnd))
            return true;
    }
    return false;
}

LRESULT CALLBACK CEscapeFilter::FilterProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (nCode == MSGF_DIALOGBOX && pMsg && IsFilteredKey(*pMsg) && IsForFilteredDialog(pMsg->hwnd))
        return TRUE;
    return CallNextHookEx(t_hHook.Get(), nCode, wParam, lParam);
}
