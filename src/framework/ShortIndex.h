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

// A count cannot say "none": past the range it saturates at 32767. A host that loops up to it
// then reaches every row it can address by index but row 32767, one more than a count can
// say, where a wrapped count would have it skip most rows or all of them.
constexpr short ToShortCount(long long nCount)
{
    return nCount <= 0 ? short(0) : nCount >= SHRT_MAX ? short(SHRT_MAX) : static_cast<short>(nCount);
}
