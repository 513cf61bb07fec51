// Window objects: message maps of derived and base classes, the lifetime of object and window
// (also when a host deletes the object from inside one of its window's messages), subclassing a
// window made elsewhere and under procedures stacked on ours, handlers that throw, notifications
// without their structure.
#include "Pump.h"
#include "Wnd.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

const UINT WM_TEST_A = WM_APP + 1;
const UINT WM_TEST_B = WM_APP + 2;
const UINT WM_TEST_C = WM_APP + 3;

class CBaseTestWnd : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    LRESULT OnA(WPARAM, LPARAM) { calls.push_back("base A"); return 1; }
    LRESULT OnB(WPARAM, LPARAM) { calls.push_back("base B"); return 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
    ON_MESSAGE(WM_TEST_A, OnA)
    ON_MESSAGE(WM_TEST_B, OnB)
END_MESSAGE_MAP(CWnd)

class CDerivedTestWnd : public CBaseTestWnd {
protected:
    LRESULT OnB(WPARAM wParam, LPARAM) { calls.push_back("derived B"); return static_cast<LRESULT>(wParam) * 10; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
    ON_MESSAGE(WM_TEST_B, OnB)
END_MESSAGE_MAP(CBaseTestWnd)

// Hands WM_TEST_A to its host, as a control's events do: the host may delete the object there.
// A deleted object's storage stays, filled with a mark, so that a write into it shows.
class CHostedWnd : public CWnd {
public:
    using Host = std::function<LRESULT(WPARAM)>;
    explicit CHostedWnd(const Host& host) : m_host(host) {}

    static void* operator new(size_t size);
    static void operator delete(void* p, size_t size);
    static bool DeletedStorageUntouched();

protected:
    LRESULT OnTestA(WPARAM wParam, LPARAM) { return m_host(wParam); }
    LRESULT OnTestB(WPARAM, LPARAM) { return 2; }
    DECLARE_MESSAGE_MAP()

private:
    const Host& m_host;
};

BEGIN_MESSAGE_MAP(CHostedWnd, CWnd)
    ON_MESSAGE(WM_TEST_A, OnTestA)
    ON_MESSAGE(WM_TEST_B, OnTestB)
END_MESSAGE_MAP(CWnd)

const unsigned char kDeletedMark = 0xDD;
alignas(std::max_align_t) unsigned char g_hostedStorage[sizeof(CHostedWnd)];

void* CHostedWnd::operator new(size_t size)
{
    if (size > sizeof(g_hostedStorage))
        throw std::bad_alloc();
    return g_hostedStorage;
}

void CHostedWnd::operator delete(void* p, size_t size)
{
    std::memset(p, kDeletedMark, size);
}

bool CHostedWnd::DeletedStorageUntouched()
{
    for (unsigned char byte : g_hostedStorage) {
        if (byte != kDeletedMark)
            return false;
    }
    return true;
}

// A procedure stacked on ours after we subclassed, as a tooltip or another framework does.
WNDPROC g_pfnUnderStacked = nullptr;
int g_stackedCalls = 0;

LRESULT CALLBACK StackedProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TEST_B)
        ++g_stackedCalls;
    return CallWindowProcW(g_pfnUnderStacked, hWnd, message, wParam, lParam);
}

class WndTest : public testing::Test {
protected:
    void SetUp() override
    {
        CWnd::RegisterWindowClass(L"WndTestClass", CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        m_hFrame = CreateTestFrame(300, 200);
    }
    void TearDown() override { ::DestroyWindow(m_hFrame); }

    HWND CreateEdit() const
    {
        return CreateWindowExW(0, WC_EDITW, L"abc", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, m_hFrame, nullptr, nullptr, nullptr);
    }

    HWND m_hFrame = nullptr;
};

TEST_F(WndTest, MessageMapDispatchesDerivedThenBaseThenDefault)
{
    CDerivedTestWnd wnd;
    ASSERT_TRUE(wnd.Create(L"WndTestClass", "w", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 50, 50}, m_hFrame, 7));
    EXPECT_EQ(wnd.SendMessage(WM_TEST_B, 4), 40);            // derived table wins
    EXPECT_EQ(wnd.SendMessage(WM_TEST_A), 1);                // falls back to the base table
    EXPECT_EQ(wnd.SendMessage(WM_TEST_C), 0);                // default procedure
    EXPECT_EQ(wnd.SendMessage(WM_GETDLGCODE), 0);
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"derived B", "base A"}));
    EXPECT_EQ(wnd.GetDlgCtrlID(), 7);
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
}

TEST_F(WndTest, ObjectAndWindowDieTogetherWhicheverGoesFirst)
{
    HWND hWnd = nullptr;
    {
        CBaseTestWnd wnd;
        ASSERT_TRUE(wnd.Create(L"WndTestClass", "", WS_CHILD, 0, RECT{0, 0, 10, 10}, m_hFrame, 1));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));

    CBaseTestWnd wnd;
    ASSERT_TRUE(wnd.Create(L"WndTestClass", "", WS_CHILD, 0, RECT{0, 0, 10, 10}, m_hFrame, 1));
    hWnd = wnd.m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr); // a handle the system reuses must not find it
    EXPECT_FALSE(wnd.DestroyWindow());
}

TEST_F(WndTest, SubclassingRoutesMessagesAndDetachRestoresTheProcedure)
{
    HWND hEdit = CreateEdit();
    const LONG_PTR original = GetWindowLongPtrW(hEdit, GWLP_WNDPROC);
    {
        CDerivedTestWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hEdit));
        EXPECT_NE(GetWindowLongPtrW(hEdit, GWLP_WNDPROC), original);
        EXPECT_EQ(SendMessageW(hEdit, WM_TEST_B, 2, 0), 20);
        EXPECT_EQ(wnd.GetWindowText(), "abc");               // unhandled: the edit's own procedure
        CBaseTestWnd second;
        EXPECT_FALSE(second.SubclassWindow(hEdit));         // one object per window
        EXPECT_EQ(wnd.UnsubclassWindow(), hEdit);
        EXPECT_EQ(CWnd::FromHandle(hEdit), nullptr);
        EXPECT_EQ(GetWindowLongPtrW(hEdit, GWLP_WNDPROC), original);
        EXPECT_EQ(SendMessageW(hEdit, WM_TEST_B, 2, 0), 0);
        ASSERT_TRUE(wnd.SubclassWindow(hEdit));
    }   // the destructor detaches without destroying a window it did not create
    EXPECT_TRUE(IsWindow(hEdit));
    EXPECT_EQ(GetWindowLongPtrW(hEdit, GWLP_WNDPROC), original);
    DestroyWindow(hEdit);
}

TEST_F(WndTest, ObjectDeletedByItsOwnMessageIsLeftAloneAndItsWindowGoes)
{
    std::unique_ptr<CHostedWnd> pWnd;
    const CHostedWnd::Host host = [&](WPARAM) -> LRESULT {
        pWnd.reset();
        return 7;
    };
    pWnd = std::make_unique<CHostedWnd>(host);
    ASSERT_TRUE(pWnd->Create(L"WndTestClass", "", WS_CHILD, 0, RECT{0, 0, 10, 10}, m_hFrame, 1));
    const HWND hWnd = pWnd->m_hWnd;
    EXPECT_EQ(SendMessageW(hWnd, WM_TEST_A, 0, 0), 7);
    EXPECT_EQ(pWnd, nullptr);
    EXPECT_TRUE(CHostedWnd::DeletedStorageUntouched());
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

TEST_F(WndTest, ObjectDeletedInANestedMessageLeavesItsSubclassedWindowWorking)
{
    const HWND hEdit = CreateEdit();
    const LONG_PTR original = GetWindowLongPtrW(hEdit, GWLP_WNDPROC);
    std::unique_ptr<CHostedWnd> pWnd;
    const CHostedWnd::Host host = [&](WPARAM nested) -> LRESULT {
        if (nested) {
            pWnd.reset();
            return 0;
        }
        SendMessageW(hEdit, WM_TEST_A, 1, 0);
        // Still inside the outer message of a window whose object is gone.
        SetWindowTextW(hEdit, L"after");
        return SendMessageW(hEdit, WM_TEST_B, 0, 0) + 10;
    };
    pWnd = std::make_unique<CHostedWnd>(host);
    ASSERT_TRUE(pWnd->SubclassWindow(hEdit));
    EXPECT_EQ(SendMessageW(hEdit, WM_TEST_B, 0, 0), 2);
    EXPECT_EQ(SendMessageW(hEdit, WM_TEST_A, 0, 0), 10);   // WM_TEST_B went to the edit: 0
    EXPECT_TRUE(CHostedWnd::DeletedStorageUntouched());
    EXPECT_EQ(GetWindowLongPtrW(hEdit, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandle(hEdit), nullptr);
    wchar_t text[16] = {};
    GetWindowTextW(hEdit, text, 16);
    EXPECT_STREQ(text, L"after");
    DestroyWindow(hEdit);
}

TEST_F(WndTest, ProcedureStackedOnOursStaysInTheChain)
{
    const HWND hEdit = CreateEdit();
    g_stackedCalls = 0;
    {
        CDerivedTestWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hEdit));
        g_pfnUnderStacked = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StackedProc)));
        EXPECT_EQ(SendMessageW(hEdit, WM_TEST_B, 2, 0), 20);
        EXPECT_EQ(wnd.UnsubclassWindow(), hEdit);
        EXPECT_EQ(GetWindowLongPtrW(hEdit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&StackedProc));
        EXPECT_EQ(SendMessageW(hEdit, WM_TEST_B, 2, 0), 0);    // on down to the edit
        ASSERT_TRUE(wnd.SubclassWindow(hEdit));                // ours, still in the chain, again
        EXPECT_EQ(SendMessageW(hEdit, WM_TEST_B, 3, 0), 30);
    }
    EXPECT_EQ(GetWindowLongPtrW(hEdit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&StackedProc));
    EXPECT_EQ(SendMessageW(hEdit, WM_TEST_B, 2, 0), 0);
    EXPECT_EQ(g_stackedCalls, 4);
    wchar_t text[16] = {};
    GetWindowTextW(hEdit, text, 16);
    EXPECT_STREQ(text, L"abc");
    DestroyWindow(hEdit);
}

TEST_F(WndTest, ExceptionFromAHandlerEndsAtTheWindowProcedure)
{
    const CHostedWnd::Host host = [](WPARAM) -> LRESULT { throw std::runtime_error("host failed"); };
    const auto pWnd = std::make_unique<CHostedWnd>(host);
    ASSERT_TRUE(pWnd->Create(L"WndTestClass", "", WS_CHILD, 0, RECT{0, 0, 10, 10}, m_hFrame, 1));
    EXPECT_EQ(pWnd->SendMessage(WM_TEST_A), 0);   // what the default procedure answers
    EXPECT_EQ(pWnd->SendMessage(WM_TEST_B), 2);
}

TEST_F(WndTest, NotificationsWithoutTheirStructureAreIgnored)
{
    CDerivedTestWnd parent;
    ASSERT_TRUE(parent.Create(L"WndTestClass", "", WS_CHILD, 0, RECT{0, 0, 10, 10}, m_hFrame, 1));
    for (const UINT message : {WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM, WM_COMPAREITEM}) {
        EXPECT_EQ(parent.SendMessage(message, 1, 0), 0) << message;
        EXPECT_EQ(SendMessageW(m_hFrame, message, 1, 0), 0) << message;   // a foreign parent's reflection
    }
}

} // namespace
