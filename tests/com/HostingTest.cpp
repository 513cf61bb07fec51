// The control in a real container, Wine's ATL host window: its window is a child of the host,
// is sized with it, draws, answers automation and takes keys; and the control's view object
// drawing into a container's DC without a window.
#include "ComTestSupport.h"

#include "ComTest_h.h"
#include "Pump.h"
#include "WindowImage.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <string>

namespace {

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

std::string Hooks(IDispatch* pControl)
{
    CVariant result;
    CallMember(pControl, 17, DISPATCH_METHOD, {}, &result);
    return result.ToString();
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

class AtlHosting : public testing::Test {
protected:
    void SetUp() override
    {
        m_hAtl = LoadLibraryW(L"atl.dll");
        ASSERT_NE(m_hAtl, nullptr);
        auto pfnInit = reinterpret_cast<AtlAxWinInitFn>(GetProcAddress(m_hAtl, "AtlAxWinInit"));
        auto pfnGetControl = reinterpret_cast<AtlAxGetControlFn>(GetProcAddress(m_hAtl, "AtlAxGetControl"));
        ASSERT_NE(pfnInit, nullptr);
        ASSERT_NE(pfnGetControl, nullptr);
        // Registers the host window class once; later calls answer FALSE.
        static const BOOL bInitialized = pfnInit();
        ASSERT_TRUE(bInitialized);
        m_hFrame = CreateTestFrame(400, 300);
        m_hHost = CreateWindowExW(0, L"AtlAxWin", kTestProgId, WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, m_hFrame, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_hHost, nullptr);
        CComPointer<IUnknown> pUnknown;
        ASSERT_EQ(pfnGetControl(m_hHost, pUnknown.Out()), S_OK);
        ASSERT_EQ(m_pControl.QueryFrom(pUnknown), S_OK);
        CComPointer<IOleWindow> pWindow;
        ASSERT_EQ(pWindow.QueryFrom(pUnknown), S_OK);
        ASSERT_EQ(pWindow->GetWindow(&m_hControl), S_OK);
        PumpUntilIdle();
    }
    void TearDown() override
    {
        if (m_hFrame)
            DestroyWindow(m_hFrame);
        PumpUntilIdle();
    }

    HMODULE m_hAtl = nullptr;
    HWND m_hFrame = nullptr;
    HWND m_hHost = nullptr;
    HWND m_hControl = nullptr;
    CComPointer<IDispatch> m_pControl;
};

TEST_F(AtlHosting, WindowIsAChildOfTheHostAndFillsIt)
{
    ASSERT_TRUE(IsWindow(m_hControl));
    EXPECT_EQ(GetParent(m_hControl), m_hHost);
    EXPECT_TRUE(IsWindowVisible(m_hControl));
    RECT rc = {};
    GetClientRect(m_hControl, &rc);
    EXPECT_EQ(rc.right, 200);
    EXPECT_EQ(rc.bottom, 100);
    EXPECT_TRUE(Contains(Hooks(m_pControl), "create")) << Hooks(m_pControl);
}

TEST_F(AtlHosting, FollowsTheHostsSize)
{
    MoveWindow(m_hHost, 10, 10, 300, 150, TRUE);
    PumpUntilIdle();
    RECT rc = {};
    GetClientRect(m_hControl, &rc);
    EXPECT_EQ(rc.right, 300);
    EXPECT_EQ(rc.bottom, 150);
    EXPECT_TRUE(Contains(Hooks(m_pControl), "size 300x150")) << Hooks(m_pControl);
}

TEST_F(AtlHosting, DrawsItsBackColorAndFrame)
{
    ASSERT_EQ(PutProperty(m_pControl, L"BackColor", CVariant(static_cast<long>(RGB(0, 128, 255)))), S_OK);
    UpdateWindow(m_hControl);
    PumpUntilIdle();
    const WindowImage image = WindowImage::Capture(m_hControl);
    ASSERT_EQ(image.Width(), 200);
    EXPECT_EQ(image.Pixel(100, 50), RGB(0, 128, 255));
    EXPECT_EQ(image.Pixel(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(image.Pixel(198, 98), RGB(0, 0, 0));
    EXPECT_EQ(image.Pixel(0, 0), RGB(0, 128, 255));

    // A system colour is translated.
    ASSERT_EQ(PutProperty(m_pControl, L"BackColor", CVariant(static_cast<long>(0x80000000 | COLOR_HIGHLIGHT))), S_OK);
    UpdateWindow(m_hControl);
    PumpUntilIdle();
    EXPECT_EQ(WindowImage::Capture(m_hControl).Pixel(100, 50), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(AtlHosting, AnswersAutomation)
{
    CVariant result;
    ASSERT_EQ(CallMember(m_pControl, DispIdOf(m_pControl, L"Add"), DISPATCH_METHOD, {CVariant(short(20)), CVariant(short(22))}, &result), S_OK);
    EXPECT_EQ(result.iVal, 42);
    ASSERT_EQ(PutProperty(m_pControl, L"Caption", CVariant("hosted")), S_OK);
    EXPECT_EQ(GetProperty(m_pControl, L"Caption").ToString(), "hosted");
}

TEST_F(AtlHosting, KeysGoToPreTranslateMessageFirst)
{
    CComPointer<IOleInPlaceActiveObject> pActive;
    ASSERT_EQ(pActive.QueryFrom(m_pControl), S_OK);
    MSG msg = {m_hControl, WM_KEYDOWN, VK_F2, 0, 0, {0, 0}};
    EXPECT_EQ(pActive->TranslateAccelerator(&msg), S_OK);
    msg.wParam = VK_F3;
    EXPECT_EQ(pActive->TranslateAccelerator(&msg), S_FALSE);
    EXPECT_TRUE(Contains(Hooks(m_pControl), "F2")) << Hooks(m_pControl);
}

TEST_F(AtlHosting, FocusAndVerbs)
{
    SetFocus(m_hControl);
    PumpUntilIdle();
    EXPECT_EQ(GetFocus(), m_hControl);
    EXPECT_TRUE(Contains(Hooks(m_pControl), "focus")) << Hooks(m_pControl);

    CComPointer<IOleObject> pObject;
    ASSERT_EQ(pObject.QueryFrom(m_pControl), S_OK);
    RECT rc = {0, 0, 200, 100};
    EXPECT_EQ(pObject->DoVerb(OLEIVERB_HIDE, nullptr, nullptr, 0, m_hHost, &rc), S_OK);
    EXPECT_FALSE(IsWindowVisible(m_hControl));
    EXPECT_EQ(pObject->DoVerb(OLEIVERB_SHOW, nullptr, nullptr, 0, m_hHost, &rc), S_OK);
    EXPECT_TRUE(IsWindowVisible(m_hControl));
    EXPECT_EQ(pObject->DoVerb(-99, nullptr, nullptr, 0, m_hHost, &rc), E_NOTIMPL);
}

TEST_F(AtlHosting, DeactivationDestroysTheWindow)
{
    CComPointer<IOleInPlaceObject> pInPlace;
    ASSERT_EQ(pInPlace.QueryFrom(m_pControl), S_OK);
    ASSERT_EQ(pInPlace->InPlaceDeactivate(), S_OK);
    EXPECT_FALSE(IsWindow(m_hControl));
    EXPECT_TRUE(Contains(Hooks(m_pControl), "destroy")) << Hooks(m_pControl);
    HWND hWnd = nullptr;
    EXPECT_EQ(pInPlace->GetWindow(&hWnd), E_FAIL);
}

TEST(ControlObject, DrawsIntoAContainersDeviceContext)
{
    CComPointer<IDispatch> pControl = CreateTestControl();
    ASSERT_NE(pControl.Get(), nullptr);
    CComPointer<IPersistStreamInit> pInit;
    ASSERT_EQ(pInit.QueryFrom(pControl), S_OK);
    pInit->InitNew();
    PutProperty(pControl, L"BackColor", CVariant(static_cast<long>(RGB(200, 10, 10))));
    CComPointer<IViewObject2> pView;
    ASSERT_EQ(pView.QueryFrom(pControl), S_OK);

    HDC hScreen = GetDC(nullptr);
    HDC hdc = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 60, 40);
    ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = SelectObject(hdc, hBitmap);
    RECT all = {0, 0, 60, 40};
    FillRect(hdc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECTL bounds = {10, 10, 50, 30};
    ASSERT_EQ(pView->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc, &bounds, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(GetPixel(hdc, 30, 20), RGB(200, 10, 10));
    EXPECT_EQ(GetPixel(hdc, 11, 11), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(hdc, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(pView->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, hdc, &bounds, nullptr, nullptr, 0), DV_E_DVASPECT);
    SelectObject(hdc, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hdc);

    SIZEL extent = {};
    ASSERT_EQ(pView->GetExtent(DVASPECT_CONTENT, -1, nullptr, &extent), S_OK);
    EXPECT_EQ(extent.cx, MulDiv(120, 2540, 96));
    EXPECT_EQ(extent.cy, MulDiv(40, 2540, 96));
}

TEST(ControlObject, DescribesItselfToContainers)
{
    CComPointer<IDispatch> pControl = CreateTestControl();
    ASSERT_NE(pControl.Get(), nullptr);
    CComPointer<IOleObject> pObject;
    ASSERT_EQ(pObject.QueryFrom(pControl), S_OK);
    DWORD dwStatus = 0;
    ASSERT_EQ(pObject->GetMiscStatus(DVASPECT_CONTENT, &dwStatus), S_OK);
    EXPECT_TRUE(dwStatus & OLEMISC_SETCLIENTSITEFIRST);
    EXPECT_TRUE(dwStatus & OLEMISC_ACTIVATEWHENVISIBLE);
    CLSID clsid = CLSID_NULL;
    ASSERT_EQ(pObject->GetUserClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_ComTest));
    LPOLESTR pszType = nullptr;
    ASSERT_EQ(pObject->GetUserType(USERCLASSTYPE_FULL, &pszType), S_OK);
    EXPECT_STREQ(pszType, L"COM framework test control");
    CoTaskMemFree(pszType);

    CComPointer<ISpecifyPropertyPages> pPages;
    ASSERT_EQ(pPages.QueryFrom(pControl), S_OK);
    CAUUID pages = {};
    ASSERT_EQ(pPages->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    EXPECT_EQ(pages.pElems[0].Data1, 0x6a4f0a11u);
    CoTaskMemFree(pages.pElems);

    CComPointer<IOleControl> pOleControl;
    ASSERT_EQ(pOleControl.QueryFrom(pControl), S_OK);
    CONTROLINFO info = {};
    ASSERT_EQ(pOleControl->GetControlInfo(&info), S_OK);
    EXPECT_EQ(info.cAccel, 0);
}
