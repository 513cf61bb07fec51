// CWindowHook: a window the multi-column combos watch - their edits, their drop-down lists and
// their parents - through the framework's subclassing, over the window's own object if it has
// one. The watcher of the hook's role sees each message first and may take it; several combos
// on one parent share its hook, counted, and the last one takes it away. The window holds the
// hook: it goes with its last user or with the window.
#pragma once
#include "Wnd.h"

class CWindowHook : public CWnd {
public:
    // Sees a message before the window; true when it took the message, which then goes no further.
    using Watcher = bool (*)(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Installs the watcher in the window, or counts one more user of the same watcher there.
    static void Hook(HWND hWnd, Watcher pfnWatch);
    // One user fewer; the last one takes the hook away.
    static void Unhook(HWND hWnd);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    explicit CWindowHook(Watcher pfnWatch) : m_pfnWatch(pfnWatch) {}
    static CWindowHook* Find(HWND hWnd);

    Watcher m_pfnWatch;
    int m_nUsers = 1;
    // A hook whose last user goes while one of its window's messages is in it goes after it.
    int m_nDepth = 0;
    bool m_bEnded = false;
};
