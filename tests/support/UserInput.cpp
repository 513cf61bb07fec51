#include "UserInput.h"

#include "Pump.h"

#include <commctrl.h>

void ClickAt(HWND hWnd, POINT pt)
{
    POINT screen = pt;
    ClientToScreen(hWnd, &screen);
    SetCursorPos(screen.x, screen.y);
    PumpUntilIdle();
    SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    // The press may have ended the window (a host's handler deleted its page).
    if (IsWindow(hWnd))
        SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpUntilIdle();
}

POINT PointInRow(HWND hList, int nRow, int x)
{
    RECT bounds = {};
    ListView_GetItemRect(hList, nRow, &bounds, LVIR_BOUNDS);
    return POINT{x, (bounds.top + bounds.bottom) / 2};
}

// The release is queued before the press is delivered: a list view waits for it inside its
// press, to tell a click from a drag.
void RightClickAt(HWND hWnd, POINT pt)
{
    POINT screen = pt;
    ClientToScreen(hWnd, &screen);
    SetCursorPos(screen.x, screen.y);
    PumpUntilIdle();
    PostMessageW(hWnd, WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    SendMessageW(hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    PumpUntilIdle();
}
