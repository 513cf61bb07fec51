// A memory device context with a bitmap of its own selected: something for a control to draw
// into that the test then reads back pixel by pixel.
#pragma once
#include "Bitmap.h"
#include "ClientDC.h"
#include "MemoryDC.h"

class CCanvas {
public:
    CCanvas(int cx, int cy) : m_dc(CClientDC(nullptr))
    {
        m_bitmap.CreateCompatibleBitmap(CClientDC(nullptr), cx, cy);
        m_hPrevious = SelectObject(m_dc, m_bitmap.Get());
    }
    ~CCanvas() { SelectObject(m_dc, m_hPrevious); } // the bitmap leaves the DC before either goes
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;
    operator HDC() const { return m_dc; }

private:
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_hPrevious = nullptr;
};
