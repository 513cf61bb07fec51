#include "RowNameIndex.h"

#include "Text.h"

#include <algorithm>

void CRowNameIndex::Invalidate()
{
    m_rows.clear();
    m_byName.clear();
    m_nNumbered = 0;
    m_bBuilt = false;
}

void CRowNameIndex::OnRowsInserted(int nFirst, int nCount, const NameOfRow& nameOf)
{
    if (!m_bBuilt)
        return;
    if (nFirst < 0 || static_cast<size_t>(nFirst) > m_rows.size()) {
        Invalidate();
        return;
    }
    std::vector<std::unique_ptr<Row>> inserted;
    for (int i = 0; i < nCount; ++i) {
        inserted.push_back(std::make_unique<Row>(Row{FoldCase(nameOf(nFirst + i)), nFirst + i}));
        File(inserted.back().get());
    }
    m_rows.insert(m_rows.begin() + nFirst, std::make_move_iterator(inserted.begin()), std::make_move_iterator(inserted.end()));
    m_nNumbered = std::min(m_nNumbered, static_cast<size_t>(nFirst));
}

void CRowNameIndex::OnRowsDeleted(int nFirst, int nCount)
{
    if (!m_bBuilt)
        return;
    if (nFirst < 0 || nCount < 0 || static_cast<size_t>(nFirst) + static_cast<size_t>(nCount) > m_rows.size()) {
        Invalidate();
        return;
    }
    const auto first = m_rows.begin() + nFirst;
    for (auto row = first; row != first + nCount; ++row)
        Unfile(row->get());
    m_rows.erase(first, first + nCount);
    m_nNumbered = std::min(m_nNumbered, static_cast<size_t>(nFirst));
}

void CRowNameIndex::OnRowRenamed(int nRow, const std::string& strName)
{
    if (!m_bBuilt)
        return;
    if (nRow < 0 || static_cast<size_t>(nRow) >= m_rows.size()) {
        Invalidate();
        return;
    }
    Row* pRow = m_rows[static_cast<size_t>(nRow)].get();
    Unfile(pRow);
    pRow->strFolded = FoldCase(strName);
    File(pRow);
}

int CRowNameIndex::Find(const std::string& strFolded, int nRows, const NameOfRow& nameOf)
{
    if (!m_bBuilt)
        Build(nRows, nameOf);
    const auto found = m_byName.find(strFolded);
    if (found == m_byName.end())
        return -1;
    Number();
    int nFirst = -1;
    for (const Row* pRow : found->second) {
        if (nFirst < 0 || pRow->nRow < nFirst)
            nFirst = pRow->nRow;
    }
    return nFirst;
}

void CRowNameIndex::Build(int nRows, const NameOfRow& nameOf)
{
    Invalidate();
    m_rows.reserve(static_cast<size_t>(std::max(nRows, 0)));
    for (int r = 0; r < nRows; ++r) {
        m_rows.push_back(std::make_unique<Row>(Row{FoldCase(nameOf(r)), r}));
        File(m_rows.back().get());
    }
    m_nNumbered = m_rows.size();
    m_bBuilt = true;
}

void CRowNameIndex::File(Row* pRow)
{
    m_byName[pRow->strFolded].push_back(pRow);
}

void CRowNameIndex::Unfile(const Row* pRow)
{
    const auto found = m_byName.find(pRow->strFolded);
    if (found == m_byName.end())
        return;
    std::vector<Row*>& rows = found->second;
    const auto at = std::find(rows.begin(), rows.end(), pRow);
    if (at != rows.end())
        rows.erase(at);
    if (rows.empty())
        m_byName.erase(found);
}

void CRowNameIndex::Number()
{
    for (size_t i = m_nNumbered; i < m_rows.size(); ++i)
        m_rows[i]->nRow = static_cast<int>(i);
    m_nNumbered = m_rows.size();
}
