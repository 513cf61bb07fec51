// CEscapeFilter: keeps Escape and the cancel key away from a dialog and its controls while a
// modal dialog loop runs it. Such a loop (a property frame that never offers keys to its pages'
// TranslateAccelerator, as Wine's does) passes each message to the thread's message filter
// before the dialog manager would turn Escape into Cancel and close the frame. The filters and
// the hook are the thread's own: a frame on another thread runs a loop of its own.
#pragma once
#include <windows.h>

class CEscapeFilter {
public:
    explicit CEscapeFilter(HWND hDlg);
    ~CEscapeFilter();
    CEscapeFilter(const CEscapeFilter&) = delete;
    CEscapeFilter& operator=(const CEscapeFilter&) = delete;

    // A key-down of Escape or of the cancel key.
    static bool IsFilteredKey(const MSG& msg);

private:
    static LRESULT CALLBACK FilterProc(int nCode, WPARAM wParam, LPARAM lParam);
    static bool IsForFilteredDialog(HWND hWnd);

    HWND m_hDlg;
    // The filter made before this one on the thread, still in place.
    CEscapeFilter* m_pNext = nullptr;
};
