// CPropertyNameIndex: every row name of the control's pages by its case-folded text, with the
// positions in page order and then row order, so that a name lookup costs one hash probe
// instead of a scan of all rows. It is rebuilt whole when the pages or rows change.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

class CPropertyNameIndex {
public:
    // Rows by their full index: a page may hold more rows than a 16-bit index can name, and
    // a by-name method must reach the row the name is on, not one its index would wrap to.
    struct Position {
        short nPage;
        int nRow;
    };

    void Clear();
    // Rows must be added in page order, then row order: the first one added wins a lookup.
    void Add(const std::string& strName, short nPage, int nRow);
    // The first row named strName (case ignored); on page nPage only when nPage >= 0.
    bool Find(const std::string& strName, short nPage, Position* pPosition) const;

private:
    // Names by their case-folded text.
    std::unordered_map<std::string, std::vector<Position>> m_positions;
};
