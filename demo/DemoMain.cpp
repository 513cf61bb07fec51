// Demo host: opens a window and draws in it. With --screenshot <file.png> it saves an image of
// the window once it has painted, and exits.
#include "Text.h"
#include "WindowImage.h"
#include "Wnd.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

const UINT_PTR kScreenshotTimer = 1;

class CDemoFrame : public CWnd {
public:
    explicit CDemoFrame(std::string screenshotPath) : m_screenshotPath(std::move(screenshotPath)) {}

protected:
    LRESULT OnPaint(WPARAM, LPARAM)
    {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(m_hWnd, &ps);
        const RECT client = GetClientRect();
        FillRect(hdc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HBRUSH hBrush = CreateSolidBrush(RGB(0, 0, 128));
        RECT band = {0, 0, client.right, 40};
        FillRect(hdc, &band, hBrush);
        DeleteObject(hBrush);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, RGB(255, 255, 255));
        const std::wstring title = Utf8ToWide("kvVelmora");
        TextOutW(hdc, 12, 12, title.c_str(), static_cast<int>(title.size()));
        EndPaint(m_hWnd, &ps);
        return 0;
    }

    LRESULT OnCreate(WPARAM, LPARAM)
    {
        if (!m_screenshotPath.empty())
            SetTimer(m_hWnd, kScreenshotTimer, 500, nullptr);
        return 0;
    }

    LRESULT OnTimer(WPARAM wParam, LPARAM)
    {
        if (wParam != kScreenshotTimer)
            return Default();
        KillTimer(m_hWnd, kScreenshotTimer);
        UpdateWindow();
        WindowImage::Capture(m_hWnd, false).SavePng(m_screenshotPath);
        DestroyWindow();
        return 0;
    }

    LRESULT OnDestroy(WPARAM, LPARAM)
    {
        PostQuitMessage(0);
        return 0;
    }

    DECLARE_MESSAGE_MAP()

private:
    std::string m_screenshotPath;
};

BEGIN_MESSAGE_MAP(CDemoFrame, CWnd)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_MESSAGE(WM_TIMER, OnTimer)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP(CWnd)

std::string ScreenshotArgument()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::string path;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wstring(argv[i]) == L"--screenshot")
            path = WideToUtf8(argv[i + 1]);
    LocalFree(argv);
    return path;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nCmdShow)
{
    CWnd::RegisterWindowClass(L"VelmoraDemoFrame");
    CDemoFrame frame(ScreenshotArgument());
    if (!frame.Create(L"VelmoraDemoFrame", "kvVelmora demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                      RECT{40, 40, 680, 520}, nullptr, 0))
        return 1;
    frame.ShowWindow(nCmdShow);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
