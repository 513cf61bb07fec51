// CPen: an owned GDI pen.
#pragma once
#include "GdiObject.h"

class CPen : public CGdiObject<HPEN> {
public:
    CPen() = default;
    CPen(int nStyle, int nWidth, COLORREF colour) { CreatePen(nStyle, nWidth, colour); }

    BOOL CreatePen(int nStyle, int nWidth, COLORREF colour)
    {
        Reset(::CreatePen(nStyle, nWidth, colour));
        return !IsNull();
    }
};
