#include "GdiStack.h"

BOOL CGdiStack::Push(HDC hdc, HGDIOBJ hObject)
{
    if (!hdc || !hObject || GetObjectType(hObject) == OBJ_REGION)
        return FALSE;
    HGDIOBJ hPrevious = SelectObject(hdc, hObject);
    if (!hPrevious || hPrevious == HGDI_ERROR)
        return FALSE;
    m_entries.push_back({hdc, hPrevious});
    return TRUE;
}

BOOL CGdiStack::Pop()
{
    if (m_entries.empty())
        return FALSE;
    const Entry entry = m_entries.back();
    m_entries.pop_back();
    SelectObject(entry.hdc, entry.hPrevious);
    return TRUE;
}

void CGdiStack::PopAll()
{
    while (Pop()) {
    }
}
