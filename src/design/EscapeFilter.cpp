#include "EscapeFilter.h"

#include <algorithm>

std::vector<HWND> CEscapeFilter::s_dialogs;
HHOOK CEscapeFilter::s_hHook = nullptr;

CEscapeFilter::CEscapeFilter(HWND hDlg) : m_hDlg(hDlg)
{
    if (!s_hHook)
        s_hHook = SetWindowsHookExW(WH_MSGFILTER, &FilterProc, nullptr, GetCurrentThreadId());
    s_dialogs.push_back(m_hDlg);
}

CEscapeFilter::~CEscapeFilter()
{
    s_dialogs.erase(std::remove(s_dialogs.begin(), s_dialogs.end(), m_hDlg), s_dialogs.end());
    if (s_dialogs.empty() && s_hHook) {
        UnhookWindowsHookEx(s_hHook);
        s_hHook = nullptr;
    }
}

bool CEscapeFilter::IsFilteredKey(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_CANCEL);
}

bool CEscapeFilter::IsForFilteredDialog(HWND hWnd)
{
    return std::any_of(s_dialogs.begin(), s_dialogs.end(),
                       [hWnd](HWND hDlg) { return hWnd == hDlg || IsChild(hDlg, hWnd); });
}

LRESULT CALLBACK CEscapeFilter::FilterProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (nCode == MSGF_DIALOGBOX && pMsg && IsFilteredKey(*pMsg) && IsForFilteredDialog(pMsg->hwnd))
        return TRUE;
    return CallNextHookEx(s_hHook, nCode, wParam, lParam);
}
