// Message pumping for tests that drive real windows on the test's UI thread.
#pragma once
#include <windows.h>

#include <functional>

// Dispatches queued messages until the queue is empty (and stays empty for a moment).
void PumpUntilIdle();
// Dispatches messages until the condition holds or the timeout passes; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Dispatches messages for the given time.
void PumpFor(DWORD milliseconds);
// A visible top-level window at a fixed place, of the size given, for tests to parent into.
HWND CreateTestFrame(int width, int height, const wchar_t* title = L"test");
