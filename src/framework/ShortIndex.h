// Page and row indices cross the automation and event interfaces as 16-bit integers, while a
// page may hold more rows than that. Every narrowing goes through here: an index that does not
// fit is "none" (-1), never another row.
#pragma once
#include <climits>

constexpr short kNoIndex = -1;

constexpr short ToShortIndex(long long nIndex)
{
    return nIndex >= 0 && nIndex <= SHRT_MAX ? static_cast<short>(nIndex) : kNoIndex;
}
