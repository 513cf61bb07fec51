// The colour value text of colour rows, "&&HBBGGRR (name)": read back into a COLORREF.
#pragma once
#include <windows.h>

#include <string>

// Empty text is white; otherwise the hex digits after the first three characters (at most six,
// up to the first non-digit; none gives 0) are the COLORREF.
COLORREF ParseColourText(const std::string& strText);
