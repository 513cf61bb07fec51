// Test entry point: the main thread is the UI thread of every case (an OLE apartment with the
// common controls ready), as in a host application.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <cwchar>

namespace {

// Where an address lies, as module+offset.
void PrintFrame(void* pAddress)
{
    HMODULE hModule = nullptr;
    wchar_t path[MAX_PATH] = L"?";
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCWSTR>(pAddress), &hModule))
        GetModuleFileNameW(hModule, path, MAX_PATH);
    const wchar_t* pszName = wcsrchr(path, L'\\');
    fprintf(stderr, "  %ls+%llx\n", pszName ? pszName + 1 : path,
            static_cast<unsigned long long>(static_cast<char*>(pAddress) - reinterpret_cast<char*>(hModule)));
}

// A crash ends the program at once, naming the case it happened in, its thread and the calls
// that led to it, rather than leaving the run to Wine's debugger.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* pInfo)
{
    const testing::TestInfo* pTest = testing::UnitTest::GetInstance()->current_test_info();
    fflush(stdout);
    fprintf(stderr, "crash: exception %08lx at %p in %s.%s, thread %lu\n", pInfo->ExceptionRecord->ExceptionCode,
            pInfo->ExceptionRecord->ExceptionAddress, pTest ? pTest->test_suite_name() : "(no case)",
            pTest ? pTest->name() : "", GetCurrentThreadId());
    void* frames[48] = {};
    const USHORT nFrames = CaptureStackBackTrace(0, 48, frames, nullptr);
    for (USHORT i = 0; i < nFrames; ++i)
        PrintFrame(frames[i]);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    SetUnhandledExceptionFilter(ReportCrash);
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
