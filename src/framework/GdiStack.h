// CGdiStack: GDI selections into device contexts, undone in reverse order. Drawing code pushes
// every font, brush, pen and bitmap it selects and pops them before it returns; entries left at
// destruction are dropped without being restored (their device context may be gone by then).
#pragma once
#include <windows.h>

#include <vector>

class CGdiStack {
public:
    CGdiStack() = default;
    CGdiStack(const CGdiStack&) = delete;
    CGdiStack& operator=(const CGdiStack&) = delete;

    // Selects hObject into hdc and remembers what was selected before. FALSE if it failed or
    // hObject is a region (selecting a region replaces the clipping; there is nothing to restore).
    BOOL Push(HDC hdc, HGDIOBJ hObject);
    // Restores the most recent remembered selection; FALSE when the stack is empty.
    BOOL Pop();
    void PopAll();
    size_t GetCount() const { return m_entries.size(); }

private:
    struct Entry {
        HDC hdc;
        HGDIOBJ hPrevious;
    };
    std::vector<Entry> m_entries;
};
