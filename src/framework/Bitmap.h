// CBitmap: an owned GDI bitmap, typically the drawing surface of a memory device context.
#pragma once
#include "GdiObject.h"

class CBitmap : public CGdiObject<HBITMAP> {
public:
    BOOL CreateCompatibleBitmap(HDC hdc, int nWidth, int nHeight)
    {
        Reset(::CreateCompatibleBitmap(hdc, nWidth, nHeight));
        return !IsNull();
    }
    // Width and height in pixels; 0, 0 without a bitmap.
    SIZE GetSize() const
    {
        BITMAP info = {};
        if (IsNull() || !GetObjectW(Get(), sizeof(info), &info))
            return SIZE{0, 0};
        return SIZE{info.bmWidth, info.bmHeight};
    }
};
