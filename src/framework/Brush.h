// CBrush: an owned GDI brush (solid or hatched).
#pragma once
#include "GdiObject.h"

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }

    BOOL CreateSolidBrush(COLORREF colour)
    {
        Reset(::CreateSolidBrush(colour));
        return !IsNull();
    }
    BOOL CreateHatchBrush(int nHatch, COLORREF colour)
    {
        Reset(::CreateHatchBrush(nHatch, colour));
        return !IsNull();
    }
};
