// Window objects: message maps of derived and base classes, the lifetime of object and window,
// subclassing a window made elsewhere.
#include "Pump.h"
#include "Wnd.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>
#include <new>
#include <vector>

namespace {

const UINT WM_TEST_A = WM_APP + 1;
const UINT WM_TEST_B = WM_APP + 2;
const UINT WM_TEST_C = WM_APP + 3;
const UINT WM_TEST_END = WM_APP + 4;
const UINT WM_TEST_END_NESTED = WM_APP + 5;

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

// Ends itself from inside a handler, as an object does whose handler runs host code that
// deletes the object's owner. It lives in storage of the test's, which it marks as it ends, so
// that any later write to it shows.
class CSelfEndingWnd : public CWnd {
public:
    static constexpr unsigned char kMark = 0xA5;
    explicit CSelfEndingWnd(unsigned char* pStorage) : m_pStorage(pStorage) {}

protected:
    LRESULT OnEnd(WPARAM, LPARAM)
    {
        unsigned char* pStorage = m_pStorage;
        this->~CSelfEndingWnd();
        std::fill_n(pStorage, sizeof(CSelfEndingWnd), kMark);
        return 5;
    }
    // The end comes inside another message to the same object.
    LRESULT OnEndNested(WPARAM, LPARAM)
    {
        const HWND hWnd = m_hWnd;
        return ::SendMessageW(hWnd, WM_TEST_END, 0, 0) + 1;
    }
    DECLARE_MESSAGE_MAP()

private:
    unsigned char* m_pStorage;
};

BEGIN_MESSAGE_MAP(CSelfEndingWnd, CWnd)
    ON_MESSAGE(WM_TEST_END, OnEnd)
    ON_MESSAGE(WM_TEST_END_NESTED, OnEndNested)
END_MESSAGE_MAP(CWnd)

class WndTest : public testing::Test {
protected:
    void SetUp() override
    {
        CWnd::RegisterWindowClass(L"WndTestClass", CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        m_hFrame = CreateTestFrame(300, 200);
    }
    void TearDown() override { ::DestroyWindow(m_hFrame); }

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

TEST_F(WndTest, ObjectEndedByItsOwnHandlerIsNotTouchedAgain)
{
    for (const UINT message : {WM_TEST_END, WM_TEST_END_NESTED}) {
        alignas(CSelfEndingWnd) unsigned char storage[sizeof(CSelfEndingWnd)];
        // Placed in the test's storage so that what happens to it after its end can be read.
        auto* pWnd = new (storage) CSelfEndingWnd(storage);
        ASSERT_TRUE(pWnd->Create(L"WndTestClass", "", WS_CHILD, 0, RECT{0, 0, 10, 10}, m_hFrame, 1));
        const HWND hWnd = pWnd->m_hWnd;
        EXPECT_EQ(SendMessageW(hWnd, message, 0, 0), message == WM_TEST_END ? 5 : 6);
        EXPECT_FALSE(IsWindow(hWnd));
        EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
        EXPECT_TRUE(std::all_of(storage, storage + sizeof(storage),
                                [](unsigned char c) { return c == CSelfEndingWnd::kMark; }))
            << "message " << message - WM_APP;
    }
}

TEST_F(WndTest, SubclassingRoutesMessagesAndDetachRestoresTheProcedure)
{
    HWND hEdit = CreateWindowExW(0, WC_EDITW, L"abc", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, m_hFrame, nullptr, nullptr, nullptr);
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

} // namespace
