// Input as a person makes it with the mouse: the cursor goes to the point first (lists tell a
// press on their column divider by where the mouse is), then the left button is pressed and
// released there, and what that set off is handled.
#pragma once
#include <windows.h>

// pt is in hWnd's client coordinates.
void ClickAt(HWND hWnd, POINT pt);
// A point in a list view's row: at x, halfway down the row.
POINT PointInRow(HWND hList, int nRow, int x);
// A right click at pt (client coordinates): cursor, press, release, and what that set off (a
// context menu) is handled.
void RightClickAt(HWND hWnd, POINT pt);
