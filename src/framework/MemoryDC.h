// CMemoryDC: a memory device context compatible with another, deleted on exit.
#pragma once
#include <windows.h>

class CMemoryDC {
public:
    explicit CMemoryDC(HDC hdcCompatible) : m_hdc(CreateCompatibleDC(hdcCompatible)) {}
    ~CMemoryDC() { if (m_hdc) DeleteDC(m_hdc); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    operator HDC() const { return m_hdc; }

private:
    HDC m_hdc;
};
