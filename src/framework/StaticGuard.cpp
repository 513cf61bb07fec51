// The runtime's guard of function-local statics (the C++ ABI's __cxa_guard_*), over a slim lock
// and a condition variable that hold no handle. The one the static runtime brings makes its
// condition variable of two semaphores the first time a static is initialised, and a DLL never
// frees it: every unload of a server would leave them behind. The first byte of a guard says
// "initialised" (compilers test it before calling in), the second "being initialised".
#include <windows.h>

namespace {

SRWLOCK g_lock = SRWLOCK_INIT;
CONDITION_VARIABLE g_settled = CONDITION_VARIABLE_INIT;

char* Bytes(long long* pGuard)
{
    return reinterpret_cast<char*>(pGuard);
}

} // namespace

// 1: the caller initialises the static and then releases (or aborts) the guard; 0: it is done.
extern "C" int __cxa_guard_acquire(long long* pGuard)
{
    char* pBytes = Bytes(pGuard);
    AcquireSRWLockExclusive(&g_lock);
    for (;;) {
        if (__atomic_load_n(pBytes, __ATOMIC_ACQUIRE)) {
            ReleaseSRWLockExclusive(&g_lock);
            return 0;
        }
        if (!pBytes[1]) {
            pBytes[1] = 1;
            ReleaseSRWLockExclusive(&g_lock);
            return 1;
        }
        // Another thread initialises it: wait for its release or abort.
        SleepConditionVariableSRW(&g_settled, &g_lock, INFINITE, 0);
    }
}

extern "C" void __cxa_guard_release(long long* pGuard)
{
    char* pBytes = Bytes(pGuard);
    AcquireSRWLockExclusive(&g_lock);
    pBytes[1] = 0;
    __atomic_store_n(pBytes, 1, __ATOMIC_RELEASE);
    ReleaseSRWLockExclusive(&g_lock);
    WakeAllConditionVariable(&g_settled);
}

extern "C" void __cxa_guard_abort(long long* pGuard)
{
    AcquireSRWLockExclusive(&g_lock);
    Bytes(pGuard)[1] = 0;
    ReleaseSRWLockExclusive(&g_lock);
    WakeAllConditionVariable(&g_settled);
}
