// CThreadSlot<T>: one small value (a pointer, a handle, a count) per thread, for the state that
// belongs to a user-interface thread: the window being made, a hook, the open popup. The slot is
// the system's own thread-local storage, taken when the module loads and given back when it
// unloads; it holds nothing to destroy when a thread ends, so a server may unload while the
// threads that used it go on, and leaves nothing behind.
#pragma once
#include <windows.h>

#include <cstring>
#include <type_traits>

template <class T>
class CThreadSlot {
    static_assert(sizeof(T) <= sizeof(void*) && std::is_trivially_copyable_v<T>, "a slot holds a pointer-sized value");

public:
    CThreadSlot() : m_nIndex(TlsAlloc()) {}
    ~CThreadSlot()
    {
        if (m_nIndex != TLS_OUT_OF_INDEXES)
            TlsFree(m_nIndex);
    }
    CThreadSlot(const CThreadSlot&) = delete;
    CThreadSlot& operator=(const CThreadSlot&) = delete;

    // The calling thread's value; a thread that never set one reads T{}.
    T Get() const
    {
        // TlsGetValue clears the last error, which the caller may still mean to read.
        const DWORD dwError = GetLastError();
        void* pStored = TlsGetValue(m_nIndex);
        SetLastError(dwError);
        T value{};
        std::memcpy(&value, &pStored, sizeof(T));
        return value;
    }
    void Set(T value)
    {
        void* pStored = nullptr;
        std::memcpy(&pStored, &value, sizeof(T));
        TlsSetValue(m_nIndex, pStored);
    }

private:
    const DWORD m_nIndex;
};
