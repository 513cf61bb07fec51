// Test entry point: the main thread is the UI thread of every case (an OLE apartment with the
// common controls ready), as in a host application.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>

namespace {

// A crash ends the program at once, naming the case it happened in, rather than leaving the
// run to Wine's debugger.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* pInfo)
{
    const testing::TestInfo* pTest = testing::UnitTest::GetInstance()->current_test_info();
    fflush(stdout);
    fprintf(stderr, "crash: exception %08lx at %p in %s.%s\n", pInfo->ExceptionRecord->ExceptionCode,
            pInfo->ExceptionRecord->ExceptionAddress, pTest ? pTest->test_suite_name() : "(no case)",
            pTest ? pTest->name() : "");
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
