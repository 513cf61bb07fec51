#include "ColourHook.h"

#include "ColorComboBoxKind.h"
#include "GuardCall.h"

#include <memory>
#include <utility>

CThreadSlot<CColourHook::State*> CColourHook::t_pOpen;

BOOL CColourHook::Install(CControlsWnd_CColorComboBox* pKind, HWND hPopup)
{
    if (t_pOpen.Get() || !pKind || !hPopup)
        return FALSE;
    auto pState = std::make_unique<State>();
    pState->hHook = SetWindowsHookExW(WH_CALLWNDPROC, &CColourHook::CallWndProc, nullptr, GetCurrentThreadId());
    if (!pState->hHook)
        return FALSE;
    pState->hPopup = hPopup;
    pState->pKind = pKind;
    pState->kindAlive = pKind->Watch();
    t_pOpen.Set(pState.release());
    return TRUE;
}

bool CColourHook::IsInstalled()
{
    return t_pOpen.Get() != nullptr;
}

// Only the popup's own window counts: the windows of the colour dialog, which come and go while
// the popup is open, do not end it.
LRESULT CALLBACK CColourHook::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const State* pOpen = t_pOpen.Get();
    const auto* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const bool bPopupGoes = pOpen && nCode == HC_ACTION && pMessage && pMessage->message == WM_DESTROY && pMessage->hwnd == pOpen->hPopup;
    const LRESULT result = CallNextHookEx(pOpen ? pOpen->hHook : nullptr, nCode, wParam, lParam);
    if (bPopupGoes)
        GuardCall([] { OnPopupDestroyed(); }, [] {});
    return result;
}

void CColourHook::OnPopupDestroyed()
{
    const std::unique_ptr<State> pEnded(t_pOpen.Get());
    t_pOpen.Set(nullptr);
    UnhookWindowsHookEx(pEnded->hHook);
    if (pEnded->kindAlive)
        GuardCall([&] { pEnded->pKind->OnPopupClosed(); }, [] {});
}
