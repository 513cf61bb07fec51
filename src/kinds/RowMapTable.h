// CRowMapTable: the control's table from page list to its row map, the map from row index to
// the persistent behaviour object of that row. The table owns every object entered in it.
#pragma once
#include "ControlsWnd.h"

#include <memory>
#include <unordered_map>

class CRowMapTable {
public:
    using CRowMap = std::unordered_map<long, std::unique_ptr<CControlsWnd>>;

    CRowMapTable() = default;
    ~CRowMapTable();
    CRowMapTable(const CRowMapTable&) = delete;
    CRowMapTable& operator=(const CRowMapTable&) = delete;

    // Null while no persistent object has been entered for the page list.
    CRowMap* FindRowMap(const CPageListCtrl* pList);
    // Takes pObj over under its row of its page list; a different object entered there
    // before is deleted.
    void RegisterControlsWnd(CControlsWnd* pObj);
    CControlsWnd* FindControlsWnd(const CPageListCtrl* pList, long nRow) const;
    // Re-keys pObj under nNewRow when it is entered under its row; otherwise nothing. A
    // different object entered under nNewRow is deleted: callers move rows in an order that
    // frees each target row first.
    void MoveControlsWnd(CControlsWnd* pObj, long nNewRow);
    // Ends pObj as its page list's active object if it is that, then deletes it.
    void RemoveControlsWnd(CControlsWnd* pObj);
    // Deletes every object and every row map.
    void Clear();

private:
    std::unordered_map<const CPageListCtrl*, CRowMap> m_table;
};
