#include "DateTimeCtrl.h"

#include "Text.h"

#include <commctrl.h>

BOOL CDateTimeCtrl::Create(DWORD style, const RECT& rect, HWND hParent, UINT nID)
{
    return CWnd::Create(DATETIMEPICK_CLASSW, "", style, 0, rect, hParent, nID);
}

BOOL CDateTimeCtrl::GetTime(SYSTEMTIME* pTime) const
{
    return SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(pTime)) == GDT_VALID;
}

BOOL CDateTimeCtrl::SetTime(const SYSTEMTIME& time)
{
    return static_cast<BOOL>(SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)));
}

BOOL CDateTimeCtrl::SetFormat(const std::string& format)
{
    const std::wstring wide = Utf8ToWide(format);
    return static_cast<BOOL>(SendMessage(DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}
