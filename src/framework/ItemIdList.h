// CItemIdList: owns one shell item identifier list (PIDL) and frees it with the shell's
// allocator when it goes; movable, not copyable.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <utility>

class CItemIdList {
public:
    CItemIdList() = default;
    explicit CItemIdList(LPITEMIDLIST pidl) : m_pidl(pidl) {}
    ~CItemIdList() { Reset(); }
    CItemIdList(CItemIdList&& other) noexcept : m_pidl(other.Detach()) {}
    CItemIdList& operator=(CItemIdList&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    CItemIdList(const CItemIdList&) = delete;
    CItemIdList& operator=(const CItemIdList&) = delete;

    LPITEMIDLIST Get() const { return m_pidl; }
    void Reset(LPITEMIDLIST pidl = nullptr)
    {
        if (m_pidl)
            CoTaskMemFree(m_pidl);
        m_pidl = pidl;
    }
    LPITEMIDLIST Detach() { return std::exchange(m_pidl, nullptr); }

private:
    LPITEMIDLIST m_pidl = nullptr;
};
