// The object of each window this module's window procedure handles, and what the procedure
// keeps about the window outside the object, since the object may be deleted while one of its
// window's messages is in progress: the procedure ours replaced, the message being handled, how
// deeply messages nest, whether the object let go and whether the window is gone.
// A window property would do for the lookup, but reading one costs a round trip to the window
// server on some platforms, and the lookup runs for every message.
#pragma once
#include "ProcessLock.h"

#include <unordered_map>

class CWnd;

class CWindowObjects {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    // One message of a window in progress: the object handling it (null once it let go), the
    // procedure to pass it on to, and the message it interrupted.
    struct Frame {
        CWnd* pWnd;
        WNDPROC pfnPrevious;
        Message outer;
    };
    // A window's entry when no message of the window is in progress any more.
    struct Settled {
        CWnd* pWnd;
        WNDPROC pfnPrevious;
        bool bDestroyed;
    };

    void Add(HWND hWnd, CWnd* pWnd, WNDPROC pfnPrevious);
    // Gives an entry whose object let go, its procedure still in the window's chain, to pWnd.
    bool Adopt(HWND hWnd, CWnd* pWnd);
    void Remove(HWND hWnd);
    CWnd* Find(HWND hWnd);  // the object of a window that still has one
    WNDPROC Previous(HWND hWnd);
    Message Current(HWND hWnd);

    // False when hWnd has no entry.
    bool Enter(HWND hWnd, const Message& message, Frame* pFrame);
    // The window got WM_NCDESTROY; answers its object, if it still has one.
    CWnd* MarkDestroyed(HWND hWnd);
    // True when this was the window's outermost message: *pSettled says what is left to do.
    bool Leave(HWND hWnd, const Message& outer, Settled* pSettled);
    // The object lets go of its window; true when no message of the window is in progress.
    bool LetGo(HWND hWnd, Settled* pSettled);

private:
    struct Entry {
        CWnd* pWnd;
        WNDPROC pfnPrevious;
        Message current;
        int nDepth;
        bool bDestroyed;
    };
    Entry* Lookup(HWND hWnd);  // with the lock held
    static Settled SettledOf(const Entry& entry);

    CProcessLock m_lock;
    std::unordered_map<HWND, Entry> m_entries;
};
