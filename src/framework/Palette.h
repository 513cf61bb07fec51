// CPalette: an owned logical palette, made from a list of colours.
#pragma once
#include "GdiObject.h"

#include <cstddef>
#include <vector>

class CPalette : public CGdiObject<HPALETTE> {
public:
    // One entry per colour, in order, with no flags (palette version 0x300).
    BOOL CreatePalette(const std::vector<COLORREF>& colours);
    std::vector<COLORREF> GetColours() const;
};

inline BOOL CPalette::CreatePalette(const std::vector<COLORREF>& colours)
{
    if (colours.empty() || colours.size() > 0xFFFF)
        return FALSE;
    // LOGPALETTE ends in a one-entry array that the palette's entries extend.
    std::vector<BYTE> storage(offsetof(LOGPALETTE, palPalEntry) + colours.size() * sizeof(PALETTEENTRY));
    auto* pPalette = reinterpret_cast<LOGPALETTE*>(storage.data());
    pPalette->palVersion = 0x300;
    pPalette->palNumEntries = static_cast<WORD>(colours.size());
    PALETTEENTRY* pEntries = pPalette->palPalEntry;
    for (size_t i = 0; i < colours.size(); ++i)
        pEntries[i] = PALETTEENTRY{GetRValue(colours[i]), GetGValue(colours[i]), GetBValue(colours[i]), 0};
    Reset(::CreatePalette(pPalette));
    return !IsNull();
}

inline std::vector<COLORREF> CPalette::GetColours() const
{
    if (IsNull())
        return {};
    WORD count = 0;
    GetObjectW(Get(), sizeof(count), &count);
    std::vector<PALETTEENTRY> entries(count);
    if (count)
        GetPaletteEntries(Get(), 0, count, entries.data());
    std::vector<COLORREF> colours;
    for (const PALETTEENTRY& entry : entries)
        colours.push_back(RGB(entry.peRed, entry.peGreen, entry.peBlue));
    return colours;
}
