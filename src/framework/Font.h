// CFont: a GDI font made from a LOGFONT description, which it can give back.
#pragma once
#include "GdiObject.h"

#include <string>

class CFont : public CGdiObject<HFONT> {
public:
    CFont() = default;
    explicit CFont(const LOGFONTW& description) { CreateFontIndirect(description); }

    BOOL CreateFontIndirect(const LOGFONTW& description);
    BOOL GetLogFont(LOGFONTW* pDescription) const;

    // A description with every field 0 but the face name, height and weight.
    static LOGFONTW Describe(const std::string& faceName, LONG height, LONG weight);
};
