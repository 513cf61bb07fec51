// CProcessLock: the lock of state that every thread of the process shares. It holds no handle
// and needs no clean-up, so a module keeps it in static storage and may unload at any time.
#pragma once
#include <windows.h>

#include <mutex>

class CProcessLock {
public:
    constexpr CProcessLock() = default;
    CProcessLock(const CProcessLock&) = delete;
    CProcessLock& operator=(const CProcessLock&) = delete;

    void lock() { AcquireSRWLockExclusive(&m_lock); }
    void unlock() { ReleaseSRWLockExclusive(&m_lock); }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
};

using CProcessLockGuard = std::lock_guard<CProcessLock>;
