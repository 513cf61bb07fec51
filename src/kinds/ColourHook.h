// CColourHook: the one colour popup open on a thread, and the message hook that sees its window
// go. Every colour choice ends with the popup destroying itself; the hook then hands the row's
// object the end of its popup, which commits the colour the popup closed on. The hook is set
// only while a popup is open, on the thread that shows it; other threads have popups of their own.
#pragma once
#include "LifeToken.h"
#include "ThreadSlot.h"

#include <windows.h>

class CControlsWnd_CColorComboBox;

class CColourHook {
public:
    // Watches the popup window of the row's object until it is destroyed. FALSE when a popup of
    // the thread is watched already (one at a time) or the hook cannot be set.
    static BOOL Install(CControlsWnd_CColorComboBox* pKind, HWND hPopup);
    // Whether a popup of the calling thread is watched.
    static bool IsInstalled();

private:
    struct State {
        HHOOK hHook = nullptr;
        HWND hPopup = nullptr;
        CControlsWnd_CColorComboBox* pKind = nullptr;
        CLifeToken::CWatch kindAlive;
    };
    // The thread's open popup: its state lives from Install to the popup's end.
    static CThreadSlot<State*> t_pOpen;

    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
    // The hook goes first: what the row's object does next may open the next popup.
    static void OnPopupDestroyed();
};
