// CBareFloor: the fair floor of the benchmarks - bare report lists made and filled exactly as
// the control makes and fills its page lists (the same styles, inside a parent hidden while they
// fill, the first shown and the others hidden, each row's name and item data in one message with
// the redraw held off). With tips, each list also has a tooltip window of its own.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// How the control makes its page lists.
extern const DWORD kPageListStyle;
extern const DWORD kPageListExStyle;
extern const RECT kFloorRect;

// Names of the rows of each page, as wide texts, made before any watch starts.
using PageNames = std::vector<std::vector<std::wstring>>;

std::string PropertyName(int nRow);
// nRows rows dealt over nPages pages, names padded to nLength characters.
PageNames Names(int nPages, int nRows, size_t nLength);
// The same rows as a layout text, every row an enabled Edit row.
std::string LayoutOf(const PageNames& pages);
void InsertNamedRow(HWND hList, int nRow, const std::wstring& name);
void AddColumns(HWND hList);

class CBareFloor {
public:
    explicit CBareFloor(HWND hFrame, bool bTips = false);
    ~CBareFloor();
    CBareFloor(const CBareFloor&) = delete;
    CBareFloor& operator=(const CBareFloor&) = delete;

    void Fill(const PageNames& pages);
    void Clear();

private:
    HWND m_hParent;
    bool m_bTips;
    std::vector<HWND> m_lists;
};
