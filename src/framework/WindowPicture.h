// CWindowPicture: a window as it draws itself off the screen (WM_PRINT), frame, client area and
// child windows over a background colour, for repainting a window at once without flicker.
#pragma once
#include "Bitmap.h"

#include <windows.h>

class CWindowPicture {
public:
    // An empty picture when the window does not exist or the off-screen surfaces cannot be made.
    static CWindowPicture CaptureWindowImage(HWND hWnd, COLORREF crBackground);

    bool IsEmpty() const { return m_bitmap.IsNull(); }
    // Copies the client area of the picture to hdc, a client-area device context. FALSE when
    // the picture is empty or the copy fails.
    BOOL DrawClientArea(HDC hdc) const;

private:
    CBitmap m_bitmap;          // the whole window
    POINT m_ptClient = {0, 0}; // the client area's offset inside it
    SIZE m_client = {0, 0};
};
