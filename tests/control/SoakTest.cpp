// Resource soak of the registered control: controls made, hosted, loaded and destroyed over and
// over, and the editor of every kind opened and closed over and over, leave the process's
// windows, GDI objects, handles and memory where they were; and the servers can unload once
// everything is released. The suite runs a share of the cycles; VELMORA_SOAK=full runs them all
// (2,000 controls, 10,000 openings per kind, ten times the cycles of the threads and unloads).
// Controls on several UI threads at once keep to their own thread, and the servers, unloaded by
// COM and loaded again, leave nothing behind.
#include "ControlTestSupport.h"

#include "ColourPopup.h"
#include "Pump.h"
#include "Text.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<long*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountOwnTopLevel(HWND hWnd, LPARAM lParam)
{
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess == GetCurrentProcessId()) {
        ++*reinterpret_cast<long*>(lParam);
        EnumChildWindows(hWnd, CountChild, lParam);
    }
    return TRUE;
}

// Every window of the process: top-level ones, their descendants and message-only ones.
long LiveWindows()
{
    long nCount = 0;
    EnumWindows(CountOwnTopLevel, reinterpret_cast<LPARAM>(&nCount));
    for (HWND hWnd = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); hWnd;
         hWnd = FindWindowExW(HWND_MESSAGE, hWnd, nullptr, nullptr))
        CountOwnTopLevel(hWnd, reinterpret_cast<LPARAM>(&nCount));
    return nCount;
}

// GetGuiResources where it answers. Under Wine it answers 0; there GDI handles are indices into
// one table of the process and an index alone names the entry live there, so the objects are
// counted by index: those a control makes (pens, brushes, fonts, bitmaps, palettes, memory
// DCs), leaving out window DCs and their regions, which Wine caches for windows that come and
// go (a drop-down opened again and again adds a dozen at a time, about a hundred in all).
long LiveGdiObjects()
{
    if (const DWORD nAll = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<long>(nAll);
    long nCount = 0;
    for (ULONG_PTR nIndex = 1; nIndex < 0x10000; ++nIndex) {
        const DWORD dwType = GetObjectType(reinterpret_cast<HGDIOBJ>(nIndex));
        if (dwType && dwType != OBJ_DC && dwType != OBJ_REGION)
            ++nCount;
    }
    return nCount;
}

// GetProcessHandleCount where it answers. Wine answers 0; its handles are small multiples of 4,
// handed out lowest first, so the live ones are counted by asking each of the first few
// thousand (each question is a round trip to the wineserver).
DWORD LiveHandles()
{
    DWORD nCount = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &nCount) && nCount)
        return nCount;
    for (ULONG_PTR nValue = 4; nValue < 0x4000; nValue += 4) {
        DWORD dwFlags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(nValue), &dwFlags))
            ++nCount;
    }
    return nCount;
}

// The bytes in use in every heap of the process (Wine's private-bytes count answers 0).
SIZE_T HeapBytesInUse()
{
    HANDLE heaps[64] = {};
    const DWORD nHeaps = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    SIZE_T nBytes = 0;
    for (DWORD i = 0; i < nHeaps; ++i) {
        HeapLock(heaps[i]);
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                nBytes += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return nBytes;
}

struct Resources {
    long nWindows = 0;
    long nGdiObjects = 0;
    DWORD nHandles = 0;
    SIZE_T nHeapBytes = 0;
    DWORD nFirstFreeSlot = 0; // of thread-local storage: slots taken and never freed raise it
};

Resources Measure()
{
    Resources now;
    now.nWindows = LiveWindows();
    now.nGdiObjects = LiveGdiObjects();
    now.nHandles = LiveHandles();
    now.nHeapBytes = HeapBytesInUse();
    now.nFirstFreeSlot = TlsAlloc();
    TlsFree(now.nFirstFreeSlot);
    return now;
}

std::string Text(const Resources& r)
{
    return std::to_string(r.nWindows) + " windows, " + std::to_string(r.nGdiObjects) + " GDI objects, "
        + std::to_string(r.nHandles) + " handles, " + std::to_string(r.nHeapBytes) + " bytes in heaps, first free slot "
        + std::to_string(r.nFirstFreeSlot);
}

// What the cycles may leave: no window, no memory a heap does not keep anyway, and no more than
// the odd GDI object or handle the system makes along the way (2,000 controls leave one GDI
// object more under Wine), never one per cycle.
void ExpectFlat(const char* pszWhat, const Resources& before, const Resources& after, int nCycles)
{
    std::printf("[ soak     ] %s, %d cycles: before %s; after %s\n", pszWhat, nCycles, Text(before).c_str(), Text(after).c_str());
    std::fflush(stdout);   // a long soak shows its figures as they come
    EXPECT_EQ(after.nWindows, before.nWindows) << pszWhat;
    EXPECT_LE(after.nGdiObjects, before.nGdiObjects + 2) << pszWhat;
    EXPECT_LE(after.nHandles, before.nHandles + 2) << pszWhat;
    EXPECT_LE(after.nFirstFreeSlot, before.nFirstFreeSlot + 2) << pszWhat;
    EXPECT_LE(after.nHeapBytes, before.nHeapBytes + 64 * 1024) << pszWhat;
}

// Everything queued is handled now: the cycles must not wait for quiet after every input.
void Drain()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

CComPointer<IDispatch> NewControl()
{
    CComPointer<IDispatch> pControl;
    CLSID clsid = {};
    if (SUCCEEDED(CLSIDFromProgID(kVelmoraProgId, &clsid)) && SUCCEEDED(pControl.CreateInstance(clsid)))
        As<IPersistStreamInit>(pControl)->InitNew();
    return pControl;
}

// Answers every dialog box of this thread at once (the font dialog a Font row opens). It answers
// as the box is made: a box of a thread that does not have the foreground may never be
// activated.
class CDialogCloser {
public:
    CDialogCloser() : m_hHook(SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId())) {}
    ~CDialogCloser() { UnhookWindowsHookEx(m_hHook); }
    CDialogCloser(const CDialogCloser&) = delete;
    CDialogCloser& operator=(const CDialogCloser&) = delete;

private:
    static LRESULT CALLBACK OnCbt(int nCode, WPARAM wParam, LPARAM lParam)
    {
        wchar_t className[16] = {};
        if (nCode == HCBT_CREATEWND && GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16) && lstrcmpW(className, L"#32770") == 0)
            PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDCANCEL, 0);
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    HHOOK m_hHook;
};

HRESULT CanUnloadNow(const wchar_t* pszModule)
{
    const HMODULE hModule = GetModuleHandleW(pszModule);
    if (!hModule)
        return E_UNEXPECTED;   // the cycles loaded it: it must still be there to be asked
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    const auto pCanUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(hModule, "DllCanUnloadNow")));
    return pCanUnload ? pCanUnload() : E_FAIL;
}

// One row of every kind that opens without a recordset, each after an anchor row to move to.
const char* const kKinds[] = {"Edit", "ComboBox", "BoolComboBox", "UserComboBox", "DataComboBox", "ShellFolder", "ColorComboBox",
                              "Button", "EditButton", "Return", "Link", "Font", "Group", "NComboBox"};

class Soak : public testing::Test {
protected:
    void SetUp() override { m_hFrame = CreateTestFrame(420, 420); }
    void TearDown() override
    {
        DestroyWindow(m_hFrame);
        PumpUntilIdle();
    }

    // A control made, hosted, given the sample and let go, as a form that opens and closes.
    void ControlCycle()
    {
        CComPointer<IDispatch> pControl = NewControl();
        ASSERT_TRUE(pControl);
        CTestHost host(pControl, m_hFrame, RECT{0, 0, 400, 400});
        ASSERT_EQ(host.Result(), S_OK);
        ASSERT_EQ(Put(pControl, L"PagesAndItems", CVariant(SampleLayout())), S_OK);
        Drain();
    }

    HWND m_hFrame = nullptr;
};

BOOL CALLBACK CountVisible(HWND hWnd, LPARAM lParam)
{
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess == GetCurrentProcessId() && IsWindowVisible(hWnd))
        ++*reinterpret_cast<long*>(lParam);
    return TRUE;
}

// The top-level windows of the process a person sees: a drop-down, a popup or a dialog adds one.
long VisibleWindows()
{
    long nCount = 0;
    EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&nCount));
    return nCount;
}

BOOL CALLBACK FindVisibleList(HWND hWnd, LPARAM lParam)
{
    wchar_t className[32] = {};
    GetClassNameW(hWnd, className, 32);
    if (lstrcmpW(className, L"SysListView32") == 0 && IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The list of the page in front.
HWND VisibleList(HWND hControl)
{
    HWND hFound = nullptr;
    EnumChildWindows(hControl, FindVisibleList, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

void Click(HWND hList, int nRow)
{
    RECT bounds = {};
    ListView_GetItemRect(hList, nRow, &bounds, LVIR_BOUNDS);
    const LPARAM point = MAKELPARAM(20, (bounds.top + bounds.bottom) / 2);
    SendMessageW(hList, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(hList, WM_LBUTTONUP, 0, point);
    Drain();
}

TEST_F(Soak, ControlsComeAndGoWithoutLeaving)
{
    const int nCycles = FullSoak() ? 2000 : 60;
    for (int i = 0; i < 10; ++i)
        ControlCycle();   // what stays for the process's life is made now
    PumpUntilIdle();
    const Resources before = Measure();
    for (int i = 0; i < nCycles && !HasFatalFailure(); ++i)
        ControlCycle();
    PumpUntilIdle();
    ExpectFlat("controls", before, Measure(), nCycles);
    EXPECT_EQ(CanUnloadNow(L"kvVelmora.dll"), S_OK);
    EXPECT_EQ(CanUnloadNow(L"kvFloor.dll"), S_OK);
}

TEST_F(Soak, EveryEditorOpensAndClosesWithoutLeaving)
{
    const int nCycles = FullSoak() ? 10000 : 10;
    CDialogCloser dialogs;
    std::string strLayout = "Editors#{#";
    for (const char* pszKind : kKinds)
        strLayout += std::string("Anchor\\Edit\\Enable\\#") + pszKind + "\\" + pszKind + "\\Enable\\#";
    strLayout += "}#";
    {
        CComPointer<IDispatch> pControl = NewControl();
        ASSERT_TRUE(pControl);
        CTestHost host(pControl, m_hFrame, RECT{0, 0, 400, 400});
        ASSERT_EQ(host.Result(), S_OK);
        ASSERT_EQ(Put(pControl, L"PagesAndItems", CVariant(strLayout)), S_OK);
        PumpUntilIdle();
        const HWND hList = VisibleList(ControlWindow(pControl));
        ASSERT_NE(hList, nullptr);
        for (int nKind = 0; nKind < static_cast<int>(std::size(kKinds)); ++nKind) {
            const int nRow = 2 * nKind + 1;
            // Open and close first: what a kind makes once per process is made now.
            int nOpened = 0;
            auto cycle = [&] {
                Click(hList, nRow);
                const HWND hFocus = GetFocus();
                const long nShown = VisibleWindows();
                SendMessageW(hList, WM_KEYDOWN, VK_F4, 0);
                Drain();
                nOpened += GetFocus() != hFocus || VisibleWindows() != nShown ? 1 : 0;
                if (const HWND hFocus = GetFocus())
                    SendMessageW(hFocus, WM_KEYDOWN, VK_ESCAPE, 0);
                Click(hList, nRow - 1);
            };
            cycle();
            PumpUntilIdle();
            const Resources before = Measure();
            for (int i = 0; i < nCycles; ++i)
                cycle();
            PumpUntilIdle();
            ExpectFlat(kKinds[nKind], before, Measure(), nCycles);
            std::printf("[ soak     ] %s: %d of %d openings showed or focused a window\n", kKinds[nKind], nOpened, nCycles + 1);
        }
    }
    PumpUntilIdle();
    for (const wchar_t* pszServer : {L"kvVelmora.dll", L"kvFloor.dll"})
        EXPECT_EQ(CanUnloadNow(pszServer), S_OK) << WideToUtf8(pszServer);
}

// --- Several UI threads, and servers that unload ---

// The kinds of the threads' layouts: every kind, the recordset ones ask their host and open
// nothing without a recordset.
std::vector<std::string> EveryKind()
{
    std::vector<std::string> kinds(std::begin(kKinds), std::end(kKinds));
    kinds.insert(kinds.end(), {"ADORComboBox", "NADORComboBox"});
    return kinds;
}

std::string EveryKindLayout()
{
    std::string strLayout = "Editors#{#";
    for (const std::string& kind : EveryKind())
        strLayout += "Anchor\\Edit\\Enable\\#" + kind + "\\" + kind + "\\Enable\\#";
    return strLayout + "}#Second#{#Name\\Edit\\Enable\\#}#";
}

BOOL CALLBACK FindThreadPopup(HWND hWnd, LPARAM lParam)
{
    wchar_t className[32] = {};
    GetClassNameW(hWnd, className, 32);
    if (lstrcmpW(className, CColourPopup::kClassName) == 0 && IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The colour popup open on the calling thread, if any.
HWND ThreadColourPopup()
{
    HWND hFound = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindThreadPopup, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

const wchar_t* const kServers[] = {L"kvVelmora.dll", L"kvFloor.dll", L"kvNCombo.dll"};

// The threads, once their round is over, wait here until the test has measured (a bounded wait).
class CRendezvous {
public:
    explicit CRendezvous(int nThreads) : m_nThreads(nThreads) {}
    ~CRendezvous()
    {
        CloseHandle(m_hArrived);
        CloseHandle(m_hGo);
    }
    CRendezvous(const CRendezvous&) = delete;
    CRendezvous& operator=(const CRendezvous&) = delete;

    void Meet()
    {
        if (InterlockedIncrement(&m_nArrived) == m_nThreads)
            SetEvent(m_hArrived);
        WaitForSingleObject(m_hGo, 20 * 60 * 1000);
    }
    // The test's side: true once every thread has arrived; the threads go on at Release.
    bool AllArrived() { return WaitForSingleObject(m_hArrived, 20 * 60 * 1000) == WAIT_OBJECT_0; }
    void Release()
    {
        m_nArrived = 0;
        ResetEvent(m_hArrived);
        SetEvent(m_hGo);
        Sleep(200);   // every thread is past its wait
        ResetEvent(m_hGo);
    }

private:
    const LONG m_nThreads;
    LONG m_nArrived = 0;
    HANDLE m_hArrived = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE m_hGo = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};

// One UI thread of a host: its own apartment, frame and message loop, two controls with sinks
// of its own. Failures are kept to be reported by the test's thread.
class CUiThread {
public:
    CUiThread(int nThread, int nCycles) : m_nThread(nThread), m_nCycles(nCycles) {}

    static DWORD WINAPI Run(void* pParam)
    {
        auto* pThread = static_cast<CUiThread*>(pParam);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        pThread->Cycles();
        CoUninitialize();
        return 0;
    }

    std::vector<std::string> m_failures;
    int m_nCommits = 0;
    // The servers' modules as the thread used them.
    HMODULE m_hServers[3] = {};

private:
    struct Hosted {
        CComPointer<IDispatch> pControl;
        std::unique_ptr<CTestHost> pHost;
        CComPointer<CRecordingSink> pSink;
    };

    void Fail(const std::string& strWhat, int nCycle)
    {
        if (m_failures.size() < 20)
            m_failures.push_back("thread " + std::to_string(m_nThread) + ", cycle " + std::to_string(nCycle) + ": " + strWhat);
    }

    void Make(Hosted& hosted, int nSlot)
    {
        hosted = Hosted();
        hosted.pControl = NewControl();
        if (!hosted.pControl)
            return Fail("no control", -1);
        const RECT place = {nSlot * 300, 0, nSlot * 300 + 290, 400};
        hosted.pHost = std::make_unique<CTestHost>(hosted.pControl, m_hFrame, place);
        hosted.pSink = NewComObject<CRecordingSink>();
        const HRESULT hrHosted = hosted.pHost->Result();
        const HRESULT hrSink = hosted.pSink->Connect(hosted.pControl);
        const HRESULT hrLoaded = Put(hosted.pControl, L"PagesAndItems", CVariant(EveryKindLayout()));
        if (hrHosted != S_OK || hrSink != S_OK || hrLoaded != S_OK)
            Fail("not hosted: " + std::to_string(hrHosted) + ", sink " + std::to_string(hrSink) + ", layout " + std::to_string(hrLoaded), -1);
    }

    static void End(Hosted& hosted)
    {
        if (hosted.pSink)
            hosted.pSink->Disconnect();
        hosted.pHost.reset();
        hosted = Hosted();
    }

    static std::string ValueOf(IDispatch* pControl, short nRow)
    {
        return Invoke(pControl, L"GetValue", {CVariant(short(0)), CVariant(nRow), CVariant(0L)}).ToString();
    }

    // Opens the row's editor with F4 and commits through it (an edit typed into, the colour
    // popup's next colour) or closes it with Escape; the host hears of each commit, and the
    // value is this thread's.
    void EditorCycle(Hosted& hosted, int nCycle)
    {
        const std::vector<std::string> kinds = EveryKind();
        const size_t nKind = static_cast<size_t>(nCycle) % kinds.size();
        const short nRow = static_cast<short>(2 * nKind + 1);
        Invoke(hosted.pControl, L"ActivatePage", {CVariant(short(nCycle % 2))});
        Invoke(hosted.pControl, L"ActivatePage", {CVariant(short(0))});
        const HWND hList = VisibleList(ControlWindow(hosted.pControl));
        if (!hList)
            return Fail("no page list", nCycle);
        ListView_EnsureVisible(hList, nRow, FALSE);
        Click(hList, nRow);
        hosted.pSink->m_events.clear();
        SendMessageW(hList, WM_KEYDOWN, VK_F4, 0);
        Drain();
        for (size_t i = 0; i < std::size(m_hServers); ++i) {
            if (const HMODULE hServer = GetModuleHandleW(kServers[i]))
                m_hServers[i] = hServer;
        }
        std::string strExpected;
        // The editor opened, unless another thread's window took the focus meanwhile (the
        // thread then has none): one window of the display has it at a time.
        const HWND hEdit = GetFocus();
        if (kinds[nKind] == "Edit" && hEdit && hEdit != hList) {
            strExpected = "t" + std::to_string(m_nThread) + "c" + std::to_string(nCycle);
            SendMessageW(hEdit, EM_SETSEL, 0, -1);
            for (char ch : strExpected)
                SendMessageW(hEdit, WM_CHAR, static_cast<WPARAM>(ch), 1);
            SendMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 1);
        } else if (const HWND hPopup = kinds[nKind] == "ColorComboBox" ? ThreadColourPopup() : nullptr) {
            // The colour picked may be the one the row holds: the popup closes, maybe unchanged.
            SendMessageW(hPopup, WM_KEYDOWN, m_nThread % 2 ? VK_RIGHT : VK_LEFT, 0);
            SendMessageW(hPopup, WM_KEYDOWN, VK_RETURN, 0);
            Drain();
            if (IsWindow(hPopup))
                Fail("the colour popup stays open", nCycle);
        } else if (const HWND hFocus = GetFocus()) {
            SendMessageW(hFocus, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        Drain();
        const std::string strChanged = "PropertyChanged 0 " + std::to_string(nRow) + " 1";
        const auto& events = hosted.pSink->m_events;
        const bool bChanged = std::find(events.begin(), events.end(), strChanged) != events.end();
        if (!strExpected.empty() && !bChanged)
            Fail(kinds[nKind] + " committed without PropertyChanged", nCycle);
        if (!strExpected.empty() && ValueOf(hosted.pControl, nRow) != strExpected)
            Fail("Edit holds " + ValueOf(hosted.pControl, nRow) + ", not " + strExpected, nCycle);
        m_nCommits += bChanged ? 1 : 0;
        Click(hList, nRow - 1);
    }

    void Cycles()
    {
        const CDialogCloser dialogs;
        m_hFrame = CreateTestFrame(600, 420, L"thread");
        // What stays for the thread's or the process's life is made in the first round.
        // A thread that failed still meets the others at the end of each round.
        for (int nRound = 0; nRound < 2; ++nRound) {
            Hosted hosted[2];
            for (int nSlot = 0; nSlot < 2; ++nSlot)
                Make(hosted[nSlot], nSlot);
            const int nCycles = nRound == 0 ? std::min(40, m_nCycles) : m_nCycles;
            for (int nCycle = 0; nCycle < nCycles && m_failures.empty(); ++nCycle) {
                Hosted& current = hosted[nCycle % 2];
                EditorCycle(current, nCycle);
                if (nCycle % 25 == 24 && Put(current.pControl, L"PagesAndItems", CVariant(EveryKindLayout())) != S_OK)
                    Fail("not reloaded", nCycle);
                if (nCycle % 100 == 99) {
                    End(current);
                    Make(current, nCycle % 2);
                }
            }
            for (Hosted& each : hosted)
                End(each);
            Drain();
            if (m_pRendezvous)
                m_pRendezvous->Meet();
        }
        DestroyWindow(m_hFrame);
        Drain();
    }

public:
    // Where the threads wait, their controls ended, while the test measures the process.
    CRendezvous* m_pRendezvous = nullptr;

private:
    const int m_nThread;
    const int m_nCycles;
    HWND m_hFrame = nullptr;
};


// Starts the threads at once; waits for them, a bounded while, at Join.
class CThreadRun {
public:
    explicit CThreadRun(std::vector<std::unique_ptr<CUiThread>>& threads)
    {
        for (auto& pThread : threads)
            m_handles.push_back(CreateThread(nullptr, 0, &CUiThread::Run, pThread.get(), 0, nullptr));
    }
    ~CThreadRun()
    {
        for (HANDLE hThread : m_handles)
            CloseHandle(hThread);
    }
    CThreadRun(const CThreadRun&) = delete;
    CThreadRun& operator=(const CThreadRun&) = delete;

    bool Join()
    {
        return WaitForMultipleObjects(static_cast<DWORD>(m_handles.size()), m_handles.data(), TRUE, 20 * 60 * 1000) == WAIT_OBJECT_0;
    }

private:
    std::vector<HANDLE> m_handles;
};

void ReportFailures(const std::vector<std::unique_ptr<CUiThread>>& threads)
{
    for (const auto& pThread : threads) {
        for (const std::string& strFailure : pThread->m_failures)
            ADD_FAILURE() << strFailure;
    }
}

// Lets COM free the servers no apartment uses any more; whether they are gone afterwards.
bool ServersUnloaded()
{
    CoFreeUnusedLibraries();
    return std::none_of(std::begin(kServers), std::end(kServers), [](const wchar_t* pszServer) { return GetModuleHandleW(pszServer) != nullptr; });
}

TEST(SeveralUiThreads, EachKeepsItsControlsValuesAndEventsAndNothingStaysBehind)
{
    const int nCyclesPerThread = FullSoak() ? 6000 : 600;
    CRendezvous rendezvous(4);
    std::vector<std::unique_ptr<CUiThread>> threads;
    for (int nThread = 0; nThread < 4; ++nThread) {
        threads.push_back(std::make_unique<CUiThread>(nThread, nCyclesPerThread));
        threads.back()->m_pRendezvous = &rendezvous;
    }
    CThreadRun run(threads);
    ASSERT_TRUE(rendezvous.AllArrived()) << "the threads did not end their first round";
    const Resources before = Measure();
    rendezvous.Release();
    ASSERT_TRUE(rendezvous.AllArrived()) << "the threads did not end their cycles";
    const Resources after = Measure();
    rendezvous.Release();
    ASSERT_TRUE(run.Join()) << "the threads did not end";
    ReportFailures(threads);
    for (const auto& pThread : threads)
        EXPECT_GT(pThread->m_nCommits, 0);
    ExpectFlat("4 UI threads", before, after, 4 * nCyclesPerThread);
    EXPECT_TRUE(ServersUnloaded());
}

// The classes the servers register, looked up under the modules the servers were loaded at.
int RegisteredClasses(const HMODULE (&hServers)[3])
{
    int nCount = 0;
    for (HMODULE hModule : hServers) {
        for (const wchar_t* pszClass : {L"OleControlWindow", L"FloorControlView", L"MultiColumnComboBox",
                                        CColourPopup::kClassName, L"NComboControlView"}) {
            WNDCLASSEXW wc = {};
            wc.cbSize = sizeof(wc);
            nCount += hModule && GetClassInfoExW(hModule, pszClass, &wc) ? 1 : 0;
        }
    }
    return nCount;
}

// Short-lived host threads, one after the other: each uses every kind of the control, its
// floor and an NCombo row, releases everything and ends its apartment, which lets COM unload
// the servers.
TEST(ServersUnloaded, ByComAndLoadedAgainLeaveNothingBehind)
{
    const int nCycles = FullSoak() ? 200 : 20;
    ServersUnloaded();
    Resources before;
    for (int nCycle = 0; nCycle <= nCycles && !HasFailure(); ++nCycle) {
        if (nCycle == 1)
            before = Measure();   // the first cycle makes what the process keeps of Wine's own
        std::vector<std::unique_ptr<CUiThread>> threads;
        threads.push_back(std::make_unique<CUiThread>(0, static_cast<int>(EveryKind().size())));
        ASSERT_TRUE(CThreadRun(threads).Join()) << "the thread did not end";
        ReportFailures(threads);
        const CUiThread& thread = *threads.front();
        for (size_t i = 0; i < std::size(kServers); ++i)
            ASSERT_TRUE(thread.m_hServers[i]) << WideToUtf8(kServers[i]) << " was not used";
        EXPECT_TRUE(ServersUnloaded()) << "cycle " << nCycle;
        EXPECT_EQ(RegisteredClasses(thread.m_hServers), 0) << "cycle " << nCycle;
    }
    PumpUntilIdle();
    ExpectFlat("server unloads", before, Measure(), nCycles);
}

} // namespace
