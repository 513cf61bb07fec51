// CDateTimeCtrl: the date-time picker as a window object.
#pragma once
#include "Wnd.h"

class CDateTimeCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND hParent, UINT nID);
    BOOL GetTime(SYSTEMTIME* pTime) const;  // FALSE when the picker shows no date
    BOOL SetTime(const SYSTEMTIME& time);
    BOOL SetFormat(const std::string& format);
};
