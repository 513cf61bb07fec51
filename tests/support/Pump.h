// Message pumping for tests that drive real windows on the test's UI thread.
#pragma once
#include <windows.h>

#include <functional>

// Dispatches queued messages until the queue is empty (and stays empty for a moment).
void PumpUntilIdle();
// Dispatches messages until the condition holds or the timeout passes; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// A visible top-level window at a fixed place with a client area of the size given, for tests
// to parent into. It is a plain window that reflects its children's notifications back to
// them, as a foreign container does.
HWND CreateTestFrame(int width, int height, const wchar_t* title = L"test");
