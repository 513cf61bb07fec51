// CBusyWindows: the windows of one thread that are in the middle of a message our window
// procedure took, and the windows whose destruction waits for those messages to end. The code
// handling a message may be a common control's own, which does not expect its window to go
// from under it: a window to be destroyed while it or a window inside it is busy leaves the
// screen and its parent at once, and is destroyed once the last of those messages has returned.
#pragma once
#include <windows.h>

#include <vector>

class CBusyWindows {
public:
    // The calling thread's, made at its first use.
    static CBusyWindows& ThisThread();
    // The calling thread ends: its lists go. (Those of threads still going when the module
    // unloads go with the module.)
    static void ThreadEnded();

    // Brackets one message of hWnd. Leaving the last message inside a waiting window destroys it.
    void Enter(HWND hWnd) { m_busy.push_back(hWnd); }
    void Leave(HWND hWnd);
    // Destroys hWnd now, or once nothing inside it is busy any more.
    void Destroy(HWND hWnd);
    // hWnd is being destroyed: the busy windows inside it move out, to wait for their messages.
    void Evacuate(HWND hWnd);

private:
    // hWnd or a window inside it is busy.
    bool IsBusy(HWND hWnd) const;
    void Park(HWND hWnd);
    void DestroyIdleParked();

    std::vector<HWND> m_busy;   // one entry per message in progress, innermost last
    std::vector<HWND> m_parked; // hidden, without a parent, waiting to be destroyed
};
