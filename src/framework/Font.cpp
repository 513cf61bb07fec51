#include "Font.h"

#include "Text.h"

#include <cwchar>

BOOL CFont::CreateFontIndirect(const LOGFONTW& description)
{
    Reset(::CreateFontIndirectW(&description));
    return !IsNull();
}

BOOL CFont::GetLogFont(LOGFONTW* pDescription) const
{
    return !IsNull() && GetObjectW(Get(), sizeof(LOGFONTW), pDescription) == sizeof(LOGFONTW);
}

LOGFONTW CFont::Describe(const std::string& faceName, LONG height, LONG weight)
{
    LOGFONTW description = {};
    description.lfHeight = height;
    description.lfWeight = weight;
    const std::wstring face = Utf8ToWide(faceName);
    wcsncpy(description.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return description;
}
