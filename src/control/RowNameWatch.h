// CRowNameWatch: notices anything done to watched list-view windows that can change which row
// a name finds - rows inserted, deleted or sorted, text set in the name column, the window
// destroyed - whoever does it: the control, a page list on its own, or a host that talks to a
// list window directly. The name index behind the control's name cache is valid only while
// nothing of that happened since it was built.
#pragma once
#include <windows.h>

#include <set>

class CRowNameWatch {
public:
    CRowNameWatch() = default;
    ~CRowNameWatch();
    CRowNameWatch(const CRowNameWatch&) = delete;
    CRowNameWatch& operator=(const CRowNameWatch&) = delete;

    // Watches hList (again: its name column is updated); nNameColumn is the subitem of names.
    void Watch(HWND hList, int nNameColumn);
    bool Changed() const { return m_bChanged; }
    // What happened before is forgotten; watching goes on.
    void Reset() { m_bChanged = false; }

private:
    static LRESULT CALLBACK WatchProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                      DWORD_PTR dwRefData);
    static bool ChangesNames(UINT message, LPARAM lParam, int nNameColumn);

    std::set<HWND> m_lists;
    bool m_bChanged = false;
};
