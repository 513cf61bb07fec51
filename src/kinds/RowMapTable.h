// CRowMapTable: the control's table from page list to its row map, the map from row index to
// the persistent behaviour object of that row. The table owns every object entered in it.
#pragma once
#include "ControlsWnd.h"

#include <unordered_map>

class CRowMapTable {
public:
    using CRowMap = std::unordered_map<long, CControlsWndPtr>;

    CRowMapTable() = default;
    ~CRowMapTable();
    CRowMapTable(const CRowMapTable&) = delete;
    CRowMapTable& operator=(const CRowMapTable&) = delete;

    // Null while no persistent object has been entered for the page list.
    CRowMap* FindRowMap(const CItemList* pList);
    // Takes pObj over under its row of its page list; an object entered there before is deleted.
    void RegisterControlsWnd(CControlsWndPtr pObj);
    CControlsWnd* FindControlsWnd(const CItemList* pList, long nRow) const;
    // Re-keys pObj under nNewRow when it is entered under its row; otherwise nothing. An object
    // entered under nNewRow is deleted: callers move rows in an order that frees each target
    // row first.
    void MoveControlsWnd(CControlsWnd* pObj, long nNewRow);
    // The object entered under the row, taken out of the table (null when none): the caller
    // owns it now.
    CControlsWndPtr TakeControlsWnd(const CItemList* pList, long nRow);
    // Ends pObj as its page list's active object if it is that, then deletes it.
    void RemoveControlsWnd(CControlsWnd* pObj);
    // Keeps the objects with their properties when rows are inserted or deleted: the deleted
    // rows' objects go, those below move with their rows. A block of rows costs one pass over
    // the page list's map, however many rows it holds.
    void OnRowsInserted(const CItemList* pList, long nFirst, long nCount);
    void OnRowsDeleted(const CItemList* pList, long nFirst, long nCount);
    // Deletes the page list's row map with its objects.
    void RemoveRowMap(const CItemList* pList);
    // Deletes every object and every row map.
    void Clear();

private:
    // Shifts every entry at or after nFrom by nBy rows.
    void ShiftRows(CRowMap& map, long nFrom, long nBy);

    std::unordered_map<const CItemList*, CRowMap> m_table;
};
