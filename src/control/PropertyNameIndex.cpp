#include "PropertyNameIndex.h"

#include "Text.h"

void CPropertyNameIndex::Clear()
{
    m_positions.clear();
}

void CPropertyNameIndex::Add(const std::string& strName, short nPage, int nRow)
{
    m_positions[FoldCase(strName)].push_back(Position{nPage, nRow});
}

bool CPropertyNameIndex::Find(const std::string& strName, short nPage, Position* pPosition) const
{
    const auto found = m_positions.find(FoldCase(strName));
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
