// CPropertyNameIndex: finds a property by name over the pages of a floor: the first match in
// page order, then row order. Each page list keeps the index of its own row names, which every
// edit of that page brings up to date, so a lookup is one hash probe per page searched.
#pragma once
#include <string>

class CFloorPropertiesWnd;

class CPropertyNameIndex {
public:
    // Rows by their full index: a page may hold more rows than a 16-bit index can name, and
    // a by-name method must reach the row the name is on, not one its index would wrap to.
    struct Position {
        short nPage;
        int nRow;
    };

    explicit CPropertyNameIndex(const CFloorPropertiesWnd& floor) : m_floor(floor) {}

    // The first row named strName (case ignored) on the floor's first nPages pages; on page
    // nOnly alone when nOnly >= 0.
    bool Find(const std::string& strName, short nOnly, long nPages, Position* pPosition) const;

private:
    const CFloorPropertiesWnd& m_floor;
};
