// Finding what a person sees: the visible window of a class that this thread shows (a
// drop-down, a popup, a dialog, "#32770"), or null when none is shown.
#pragma once
#include <windows.h>

HWND ShownWindow(const wchar_t* pszClass);
