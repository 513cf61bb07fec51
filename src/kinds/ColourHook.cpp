#include "ColourHook.h"

#include "ColorComboBoxKind.h"
#include "GuardCall.h"

#include <utility>

CColourHook::State& CColourHook::Current()
{
    static State state;
    return state;
}

BOOL CColourHook::Install(CControlsWnd_CColorComboBox* pKind, HWND hPopup)
{
    State& state = Current();
    if (state.hHook || !pKind || !hPopup)
        return FALSE;
    state.hHook = SetWindowsHookExW(WH_CALLWNDPROC, &CColourHook::CallWndProc, nullptr, GetCurrentThreadId());
    if (!state.hHook)
        return FALSE;
    state.hPopup = hPopup;
    state.pKind = pKind;
    state.kindAlive = pKind->Watch();
    return TRUE;
}

bool CColourHook::IsInstalled()
{
    return Current().hHook != nullptr;
}

// Only the popup's own window counts: the windows of the colour dialog, which come and go while
// the popup is open, do not end it.
LRESULT CALLBACK CColourHook::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    State& state = Current();
    const HHOOK hHook = state.hHook;
    const auto* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const bool bPopupGoes = nCode == HC_ACTION && pMessage && pMessage->message == WM_DESTROY && pMessage->hwnd == state.hPopup;
    const LRESULT result = CallNextHookEx(hHook, nCode, wParam, lParam);
    if (bPopupGoes)
        GuardCall([] { OnPopupDestroyed(); }, [] {});
    return result;
}

void CColourHook::OnPopupDestroyed()
{
    State ended = std::exchange(Current(), State());
    UnhookWindowsHookEx(ended.hHook);
    if (ended.kindAlive)
        ended.pKind->OnPopupClosed();
}
