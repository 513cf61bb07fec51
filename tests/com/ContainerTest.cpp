// The control in a container of the test's own, which records what the control asks of it:
// defaults from the container's ambient properties, a save when closed, in-place and UI
// activation and deactivation, the window where the site says, verbs, and the simple-frame
// message filter; and the control drawing into a container's device context without a window.
#include "ComTestSupport.h"

#include "Canvas.h"
#include "ComObject.h"
#include "ComTest_h.h"
#include "Pump.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

const UINT kSwallowed = WM_USER + 6;

// A container site that records what the control asks of it, filters the control's messages
// as a simple frame and answers two ambient properties: a back colour and a bold Tahoma.
class CRecordingSite : public IOleClientSite, public IOleInPlaceSite, public ISimpleFrameSite, public IDispatch, public CComObject {
public:
    explicit CRecordingSite(HWND hWnd) : m_hWnd(hWnd)
    {
        FONTDESC desc = {sizeof(desc), const_cast<LPOLESTR>(L"Tahoma"), {{140000, 0}}, FW_BOLD, DEFAULT_CHARSET, FALSE, FALSE, FALSE};
        OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(m_pFont.Out()));
    }

    DECLARE_IUNKNOWN()
    // IOleClientSite
    STDMETHODIMP SaveObject() override { return Record("SaveObject"); }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return Record("ShowObject"); }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* phwnd) override
    {
        *phwnd = m_hWnd;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return Record("OnInPlaceActivate"); }
    STDMETHODIMP OnUIActivate() override { return Record("OnUIActivate"); }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT prcPosRect,
                                  LPRECT prcClipRect, LPOLEINPLACEFRAMEINFO) override
    {
        *ppFrame = nullptr;
        *ppDoc = nullptr;
        *prcPosRect = m_rcPos;
        *prcClipRect = m_rcPos;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return Record("OnUIDeactivate"); }
    STDMETHODIMP OnInPlaceDeactivate() override { return Record("OnInPlaceDeactivate"); }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
    // ISimpleFrameSite
    STDMETHODIMP PreMessageFilter(HWND, UINT msg, WPARAM, LPARAM, LRESULT* plResult, DWORD* pdwCookie) override
    {
        if (msg == kSwallowed) {
            *plResult = 77;
            return S_FALSE;
        }
        *pdwCookie = msg;
        return S_OK;
    }
    STDMETHODIMP PostMessageFilter(HWND, UINT msg, WPARAM, LPARAM, LRESULT*, DWORD dwCookie) override
    {
        if (msg == WM_USER + 5 && dwCookie == msg)
            Record("filtered");
        return S_OK;
    }

    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pResult, EXCEPINFO*, UINT*) override
    {
        if (dispid == DISPID_AMBIENT_BACKCOLOR)
            CVariant(static_cast<long>(RGB(9, 8, 7))).Detach(pResult);
        else if (dispid == DISPID_AMBIENT_FONT)
            CVariant(static_cast<IDispatch*>(m_pFont.Get())).Detach(pResult);
        else
            return DISP_E_MEMBERNOTFOUND;
        return S_OK;
    }

    std::vector<std::string> m_calls;
    RECT m_rcPos = {20, 30, 140, 90};
    CComPointer<IFontDisp> m_pFont;

protected:
    void* GetInterface(REFIID riid) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            return static_cast<IOleClientSite*>(this);
        if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
            return static_cast<IOleInPlaceSite*>(this);
        if (IsEqualIID(riid, IID_ISimpleFrameSite))
            return static_cast<ISimpleFrameSite*>(this);
        if (IsEqualIID(riid, IID_IDispatch))
            return static_cast<IDispatch*>(this);
        return nullptr;
    }

private:
    HRESULT Record(const char* call)
    {
        m_calls.push_back(call);
        return S_OK;
    }

    HWND m_hWnd;
};

bool Called(const CRecordingSite& site, const std::string& call)
{
    return std::find(site.m_calls.begin(), site.m_calls.end(), call) != site.m_calls.end();
}

} // namespace

class OwnContainer : public testing::Test {
protected:
    void SetUp() override
    {
        m_hFrame = CreateTestFrame(300, 200);
        m_pSite = NewComObject<CRecordingSite>(m_hFrame);
        CComPointer<IDispatch> pControl = CreateTestControl();
        ASSERT_NE(pControl.Get(), nullptr);
        ASSERT_EQ(m_pObject.QueryFrom(pControl), S_OK);
        ASSERT_EQ(m_pObject->SetClientSite(m_pSite), S_OK);
        ASSERT_EQ(As<IPersistStreamInit>(pControl)->InitNew(), S_OK);
    }
    void TearDown() override
    {
        if (m_pObject) {
            m_pObject->Close(OLECLOSE_NOSAVE);
            m_pObject->SetClientSite(nullptr);
        }
        DestroyWindow(m_hFrame);
        PumpUntilIdle();
    }

    HWND Activate(LONG nVerb)
    {
        EXPECT_EQ(m_pObject->DoVerb(nVerb, nullptr, m_pSite, 0, m_hFrame, &m_pSite->m_rcPos), S_OK);
        return ControlWindow();
    }
    HWND ControlWindow()
    {
        CComPointer<IOleWindow> pWindow;
        HWND hWnd = nullptr;
        if (SUCCEEDED(pWindow.QueryFrom(m_pObject)))
            pWindow->GetWindow(&hWnd);
        return hWnd;
    }

    HWND m_hFrame = nullptr;
    CComPointer<CRecordingSite> m_pSite;
    CComPointer<IOleObject> m_pObject;
};

TEST_F(OwnContainer, DefaultsFollowTheContainersAmbientProperties)
{
    CComPointer<IDispatch> pControl = As<IDispatch>(m_pObject);
    EXPECT_EQ(GetProperty(pControl, L"BackColor").ToLong(), static_cast<long>(RGB(9, 8, 7)));
    CVariant font = GetProperty(pControl, L"Font");
    ASSERT_EQ(font.vt, VT_DISPATCH);
    EXPECT_TRUE(GetProperty(font.pdispVal, L"Bold").ToBool());
    EXPECT_EQ(GetProperty(font.pdispVal, L"Size").ToDouble(), GetProperty(m_pSite->m_pFont, L"Size").ToDouble());
    // A copy: the container's font stays as it is when the control's changes.
    EXPECT_NE(font.pdispVal, static_cast<IDispatch*>(m_pSite->m_pFont.Get()));
    PutProperty(font.pdispVal, L"Bold", CVariant(false));
    EXPECT_TRUE(GetProperty(m_pSite->m_pFont, L"Bold").ToBool());

    // Closing a modified control asks the container to save it.
    ASSERT_EQ(m_pObject->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_TRUE(Called(*m_pSite, "SaveObject"));
}

TEST_F(OwnContainer, FontSetToNothingFollowsTheContainerAgain)
{
    CComPointer<IDispatch> pControl = As<IDispatch>(m_pObject);
    FONTDESC desc = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Courier New"), {150000, 0}, FW_NORMAL, ANSI_CHARSET, TRUE, FALSE, FALSE};
    CComPointer<IDispatch> pCourier;
    ASSERT_EQ(OleCreateFontIndirect(&desc, IID_IDispatch, reinterpret_cast<void**>(pCourier.Out())), S_OK);
    ASSERT_EQ(PutProperty(pControl, L"Font", CVariant(pCourier.Get())), S_OK);
    ASSERT_FALSE(GetProperty(GetProperty(pControl, L"Font").pdispVal, L"Bold").ToBool());
    ASSERT_EQ(PutProperty(pControl, L"Font", CVariant(static_cast<IDispatch*>(nullptr))), S_OK);
    const CVariant font = GetProperty(pControl, L"Font");
    ASSERT_EQ(font.vt, VT_DISPATCH);
    EXPECT_TRUE(GetProperty(font.pdispVal, L"Bold").ToBool());
    EXPECT_FALSE(GetProperty(font.pdispVal, L"Italic").ToBool());
    EXPECT_EQ(GetProperty(font.pdispVal, L"Size").ToDouble(), GetProperty(m_pSite->m_pFont, L"Size").ToDouble());
}

TEST_F(OwnContainer, InPlaceActivationMakesTheWindowWhereTheSiteSaysAndAClickActivatesTheUi)
{
    EXPECT_EQ(ControlWindow(), nullptr);
    const HWND hWnd = Activate(OLEIVERB_INPLACEACTIVATE);
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(GetParent(hWnd), m_hFrame);
    RECT rc = {};
    GetWindowRect(hWnd, &rc);
    MapWindowPoints(nullptr, m_hFrame, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 20);
    EXPECT_EQ(rc.top, 30);
    EXPECT_EQ(rc.right, 140);
    EXPECT_EQ(rc.bottom, 90);
    EXPECT_TRUE(Called(*m_pSite, "OnInPlaceActivate"));
    EXPECT_TRUE(Called(*m_pSite, "ShowObject"));
    EXPECT_FALSE(Called(*m_pSite, "OnUIActivate"));
    // A click activates the user interface.
    SendMessageW(hWnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_hFrame), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_TRUE(Called(*m_pSite, "OnUIActivate"));
    EXPECT_EQ(GetFocus(), hWnd);
}

TEST_F(OwnContainer, UiActivationTakesTheFocusAndDeactivationUndoesIt)
{
    const HWND hWnd = Activate(OLEIVERB_UIACTIVATE);
    EXPECT_TRUE(Called(*m_pSite, "OnUIActivate"));
    EXPECT_EQ(GetFocus(), hWnd);
    CComPointer<IOleInPlaceObject> pInPlace;
    ASSERT_EQ(pInPlace.QueryFrom(m_pObject), S_OK);
    ASSERT_EQ(pInPlace->UIDeactivate(), S_OK);
    EXPECT_TRUE(Called(*m_pSite, "OnUIDeactivate"));
    ASSERT_EQ(pInPlace->InPlaceDeactivate(), S_OK);
    EXPECT_TRUE(Called(*m_pSite, "OnInPlaceDeactivate"));
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST_F(OwnContainer, SimpleFrameSiteFiltersTheWindowsMessages)
{
    const HWND hWnd = Activate(OLEIVERB_INPLACEACTIVATE);
    EXPECT_EQ(SendMessageW(hWnd, kSwallowed, 0, 0), 77);
    SendMessageW(hWnd, WM_USER + 5, 0, 0);
    EXPECT_TRUE(Called(*m_pSite, "filtered"));
}

TEST_F(OwnContainer, VerbsShowHideAndAreOffered)
{
    ASSERT_NE(Activate(OLEIVERB_INPLACEACTIVATE), nullptr);
    EXPECT_FALSE(IsWindowVisible(Activate(OLEIVERB_HIDE)));
    EXPECT_TRUE(IsWindowVisible(Activate(OLEIVERB_SHOW)));
    EXPECT_EQ(m_pObject->DoVerb(-99, nullptr, m_pSite, 0, m_hFrame, &m_pSite->m_rcPos), E_NOTIMPL);

    CComPointer<IEnumOLEVERB> pVerbs;
    ASSERT_EQ(m_pObject->EnumVerbs(pVerbs.Out()), S_OK);
    OLEVERB verbs[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(pVerbs->Next(3, verbs, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(verbs[0].lVerb, OLEIVERB_PRIMARY);
    EXPECT_STREQ(verbs[0].lpszVerbName, L"&Edit");
    EXPECT_EQ(verbs[1].lVerb, OLEIVERB_PROPERTIES);
    CoTaskMemFree(verbs[0].lpszVerbName);
    CoTaskMemFree(verbs[1].lpszVerbName);
    CComPointer<IEnumOLEVERB> pClone;
    ASSERT_EQ(pVerbs->Reset(), S_OK);
    ASSERT_EQ(pVerbs->Skip(1), S_OK);
    ASSERT_EQ(pVerbs->Clone(pClone.Out()), S_OK);
    ASSERT_EQ(pClone->Next(1, verbs, nullptr), S_OK);
    EXPECT_EQ(verbs[0].lVerb, OLEIVERB_PROPERTIES);
    CoTaskMemFree(verbs[0].lpszVerbName);
}

TEST(ControlObject, DrawsIntoAContainersDeviceContextAtTheBoundsGiven)
{
    CComPointer<IDispatch> pControl = NewTestControl();
    ASSERT_NE(pControl.Get(), nullptr);
    CComPointer<IViewObject2> pView = As<IViewObject2>(pControl);
    CCanvas hdc(60, 40);
    RECT all = {0, 0, 60, 40};
    RECTL bounds = {10, 10, 50, 30};
    // An RGB colour, then a system colour, which is translated.
    const std::pair<long, COLORREF> colours[] = {{RGB(200, 10, 10), RGB(200, 10, 10)},
                                                 {static_cast<long>(0x80000000 | COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHT)}};
    for (const auto& colour : colours) {
        ASSERT_EQ(PutProperty(pControl, L"BackColor", CVariant(colour.first)), S_OK);
        FillRect(hdc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ASSERT_EQ(pView->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc, &bounds, nullptr, nullptr, 0), S_OK);
        EXPECT_EQ(GetPixel(hdc, 30, 20), colour.second);
        EXPECT_EQ(GetPixel(hdc, 11, 11), RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(hdc, 5, 5), RGB(255, 255, 255));
    }
    EXPECT_EQ(pView->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, hdc, &bounds, nullptr, nullptr, 0), DV_E_DVASPECT);

    SIZEL extent = {};
    ASSERT_EQ(pView->GetExtent(DVASPECT_CONTENT, -1, nullptr, &extent), S_OK);
    EXPECT_EQ(extent.cx, MulDiv(120, 2540, 96));
    EXPECT_EQ(extent.cy, MulDiv(40, 2540, 96));
}
