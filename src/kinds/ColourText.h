// The colours of colour rows: the table of named colours that the colour popup offers, and the
// value text "&&HBBGGRR (name)" that a colour row stores, written and read back. The row
// drawing and the colour kind both go through here, so a swatch always shows what the kind
// would commit.
#pragma once
#include <windows.h>

#include <string>

struct ColourTableEntry {
    COLORREF crColour;
    const char* pszName;
};

// The 40 named colours, shown row by row, 8 to a row.
constexpr int kColourTableCount = 40;
extern const ColourTableEntry kColourTable[kColourTableCount];

// The index of the entry equal to the colour in all 32 bits; -1 when there is none.
int FindTableColour(COLORREF crColour);

// Two ampersands, "H", the low 24 bits as six upper-case hex digits in COLORREF order (blue,
// green, red), a blank and the table name in parentheses ("Custom Color" outside the table).
std::string FormatColourText(COLORREF crColour);

// Empty text is white; otherwise the hex digits after the first three characters (at most six,
// up to the first non-digit; none gives 0) are the COLORREF.
COLORREF ParseColourText(const std::string& strText);
