// CRowNameIndex: the rows of one page by their case-folded names, so that a lookup by name is
// one hash probe. Each insertion, deletion or renaming changes only the rows it touches (the
// row numbers behind an insertion or deletion are renewed once, at the next lookup); the index
// is read whole from the list only after all its rows changed at once (loaded, emptied, sorted).
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CRowNameIndex {
public:
    // The name in the list's row, as the list holds it now.
    using NameOfRow = std::function<std::string(int nRow)>;

    // Every row forgotten: the next lookup reads them all from the list.
    void Invalidate();
    void OnRowsInserted(int nFirst, int nCount, const NameOfRow& nameOf);
    void OnRowsDeleted(int nFirst, int nCount);
    void OnRowRenamed(int nRow, const std::string& strName);
    // The first row whose folded name is strFolded; -1 when none. nRows and nameOf read the
    // list when the index must be read whole.
    int Find(const std::string& strFolded, int nRows, const NameOfRow& nameOf);

private:
    struct Row {
        std::string strFolded;
        int nRow;
    };

    void Build(int nRows, const NameOfRow& nameOf);
    void File(Row* pRow);
    void Unfile(const Row* pRow);
    // Renews the row numbers behind the first insertion or deletion since the last lookup.
    void Number();

    std::vector<std::unique_ptr<Row>> m_rows; // in row order
    std::unordered_map<std::string, std::vector<Row*>> m_byName;
    size_t m_nNumbered = 0; // rows before it carry their current number
    bool m_bBuilt = false;
};
