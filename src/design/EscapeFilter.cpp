#include "EscapeFilter.h"

namespace {

// The filters of this thread, newest first, and the one hook they share.
thread_local CEscapeFilter* t_pFilters = nullptr;
thread_local HHOOK t_hHook = nullptr;

} // namespace

CEscapeFilter::CEscapeFilter(HWND hDlg) : m_hDlg(hDlg), m_pNext(t_pFilters)
{
    if (!t_hHook)
        t_hHook = SetWindowsHookExW(WH_MSGFILTER, &FilterProc, nullptr, GetCurrentThreadId());
    t_pFilters = this;
}

CEscapeFilter::~CEscapeFilter()
{
    for (CEscapeFilter** ppFilter = &t_pFilters; *ppFilter; ppFilter = &(*ppFilter)->m_pNext) {
        if (*ppFilter == this) {
            *ppFilter = m_pNext;
            break;
        }
    }
    if (!t_pFilters && t_hHook) {
        UnhookWindowsHookEx(t_hHook);
        t_hHook = nullptr;
    }
}

bool CEscapeFilter::IsFilteredKey(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_CANCEL);
}

bool CEscapeFilter::IsForFilteredDialog(HWND hWnd)
{
    for (const CEscapeFilter* pFilter = t_pFilters; pFilter; pFilter = pFilter->m_pNext) {
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
    return CallNextHookEx(t_hHook, nCode, wParam, lParam);
}
