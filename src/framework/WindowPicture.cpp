#include "WindowPicture.h"

#include "Brush.h"
#include "ClientDC.h"
#include "GdiStack.h"
#include "MemoryDC.h"

CWindowPicture CWindowPicture::CaptureWindowImage(HWND hWnd, COLORREF crBackground)
{
    CWindowPicture picture;
    if (!hWnd || !::IsWindow(hWnd))
        return picture;
    RECT rcWindow = {};
    RECT rcClient = {};
    POINT ptClient = {0, 0};
    GetWindowRect(hWnd, &rcWindow);
    GetClientRect(hWnd, &rcClient);
    ClientToScreen(hWnd, &ptClient);
    const int nWidth = rcWindow.right - rcWindow.left;
    const int nHeight = rcWindow.bottom - rcWindow.top;

    CClientDC windowDC(hWnd);
    CMemoryDC memoryDC(windowDC);
    CBitmap bitmap;
    CBrush background(crBackground);
    if (!memoryDC || !bitmap.CreateCompatibleBitmap(windowDC, nWidth, nHeight) || background.IsNull())
        return picture;

    CGdiStack gdi;
    gdi.Push(memoryDC, bitmap);
    gdi.Push(memoryDC, background);
    PatBlt(memoryDC, 0, 0, nWidth, nHeight, PATCOPY);
    SendMessageW(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(static_cast<HDC>(memoryDC)), PRF_NONCLIENT);
    // The client area draws itself from its own origin.
    POINT ptOldOrigin = {0, 0};
    SetViewportOrgEx(memoryDC, ptClient.x - rcWindow.left, ptClient.y - rcWindow.top, &ptOldOrigin);
    SendMessageW(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(static_cast<HDC>(memoryDC)),
                 PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    SetViewportOrgEx(memoryDC, ptOldOrigin.x, ptOldOrigin.y, nullptr);
    gdi.PopAll();

    picture.m_bitmap = std::move(bitmap);
    picture.m_ptClient = {ptClient.x - rcWindow.left, ptClient.y - rcWindow.top};
    picture.m_client = {rcClient.right - rcClient.left, rcClient.bottom - rcClient.top};
    return picture;
}

BOOL CWindowPicture::DrawClientArea(HDC hdc) const
{
    if (IsEmpty())
        return FALSE;
    CMemoryDC memoryDC(hdc);
    if (!memoryDC)
        return FALSE;
    CGdiStack gdi;
    gdi.Push(memoryDC, m_bitmap);
    const BOOL bCopied = BitBlt(hdc, 0, 0, m_client.cx, m_client.cy, memoryDC, m_ptClient.x, m_ptClient.y, SRCCOPY);
    gdi.PopAll();
    return bCopied;
}
