#include "Pump.h"

#include "Wnd.h"

namespace {

bool DispatchOne()
{
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    CWnd* pTarget = CWnd::FromHandle(msg.hwnd);
    if (!pTarget || !pTarget->PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

} // namespace

void PumpUntilIdle()
{
    // Wine delivers some messages (X events, paints) a little later than they are caused: the
    // queue is idle once nothing has come for a few milliseconds.
    do {
        while (DispatchOne()) {
        }
    } while (MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT) != WAIT_TIMEOUT);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        if (!DispatchOne())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

namespace {

// A plain (non-CWnd) parent, like a foreign container: it reflects child notifications back.
LRESULT CALLBACK TestFrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (CWnd::ReflectToSender(hWnd, message, wParam, lParam, &result))
        return result;
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

// Registers the frames' class for every thread at once: a class one thread is registering is
// not yet there for another, whose window would then have no class.
bool RegisterTestFrameClass()
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TestFrameProc;
    wc.hInstance = CWnd::ModuleInstance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TestFrame";
    return RegisterClassExW(&wc) != 0;
}

} // namespace

HWND CreateTestFrame(int width, int height, const wchar_t* title)
{
    static const bool bRegistered = RegisterTestFrameClass();
    if (!bRegistered)
        return nullptr;
    RECT rect = {0, 0, width, height};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    HWND hFrame = CreateWindowExW(0, L"TestFrame", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                                  20, 20, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                  CWnd::ModuleInstance(), nullptr);
    SetForegroundWindow(hFrame);
    PumpUntilIdle();
    return hFrame;
}
