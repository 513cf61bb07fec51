// Resource soak of the registered control: controls made, hosted, loaded and destroyed over and
// over, and the editor of every kind opened and closed over and over, leave the process's
// windows, GDI objects, handles and memory where they were; and the servers can unload once
// everything is released. The suite runs a share of the cycles; VELMORA_SOAK=full runs them all
// (2,000 controls, 10,000 openings per kind).
#include "ControlTestSupport.h"

#include "Pump.h"
#include "Text.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

bool FullSoak()
{
    const char* pszMode = std::getenv("VELMORA_SOAK");
    return pszMode && std::string(pszMode) == "full";
}

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
};

Resources Measure()
{
    Resources now;
    now.nWindows = LiveWindows();
    now.nGdiObjects = LiveGdiObjects();
    now.nHandles = LiveHandles();
    now.nHeapBytes = HeapBytesInUse();
    return now;
}

std::string Text(const Resources& r)
{
    return std::to_string(r.nWindows) + " windows, " + std::to_string(r.nGdiObjects) + " GDI objects, "
        + std::to_string(r.nHandles) + " handles, " + std::to_string(r.nHeapBytes) + " bytes in heaps";
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

// Answers every dialog box of this thread at once (the font dialog a Font row opens).
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
        if (nCode == HCBT_ACTIVATE && GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16) && lstrcmpW(className, L"#32770") == 0)
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
    const int nCycles = FullSoak() ? 2000 : 150;
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
    const int nCycles = FullSoak() ? 10000 : 25;
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

} // namespace
