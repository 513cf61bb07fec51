#include "PropertyNameIndex.h"

#include "Text.h"

#include <windows.h>

void CPropertyNameIndex::Clear()
{
    m_positions.clear();
}

void CPropertyNameIndex::Add(const std::string& strName, short nPage, short nRow)
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
    // Names compare as CompareNoCase does: ordinal, after upper-casing each character.
    std::wstring folded = Utf8ToWide(strName);
    if (!folded.empty())
        CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}
