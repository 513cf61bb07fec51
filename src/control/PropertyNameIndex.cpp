#include "PropertyNameIndex.h"

#include "Text.h"

#include <windows.h>

void CPropertyNameIndex::Clear()
{
    m_positions.clear();
}

void CPropertyNameIndex::Add(const std::string& strName, short nPage, int nRow)
{
    m_positions[Fold(strName)].push_back(Position{nPage, nRow});
}

bool CPropertyNameIndex::Find(const std::string& strName, short nPage, Position* pPosition) const
{
    const auto found = m_positions.find(Fold(strName));
    if (found == m_positions.end())
        return false;
    for (const Position& position : found->second) {
        if (nPage < 0 || position.nPage == nPage) {
            *pPosition = position;
            return true;
        }
    }
    return false;
}

std::wstring CPropertyNameIndex::Fold(const std::string& strName)
{
    // Names compare as CompareNoCase does: ordinal, after upper-casing each character with
    // the system's own table, whatever the user's language (CharUpperBuff would follow it).
    const std::wstring wide = Utf8ToWide(strName);
    if (wide.empty())
        return wide;
    std::wstring folded(wide.size(), L'\0');
    const int nLength = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
                                      folded.data(), static_cast<int>(folded.size()), nullptr, nullptr, 0);
    folded.resize(nLength > 0 ? static_cast<size_t>(nLength) : 0);
    return folded;
}
