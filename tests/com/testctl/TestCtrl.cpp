#include "TestCtrl.h"

#include "ComTest_h.h"
#include "Bstr.h"
#include "DispatchCall.h"
#include "TestPage.h"

const ControlClassInfo g_testCtrlInfo = {
    &CLSID_ComTest, "ComTest.Control.1", "COM framework test control", &LIBID_ComTestLib, 1, 0,
    &DIID__DComTest, &DIID__DComTestEvents,
    OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST
        | OLEMISC_SIMPLEFRAME,
    1,
};

BEGIN_DISPATCH_MAP(CTestCtrl, COleControl)
    DISP_PROPERTY_NOTIFY(1, "Caption", m_strCaption, nullptr, VT_BSTR)
    DISP_PROPERTY_GET(2, "Count", OnGetCount, VT_I4)
    DISP_PROPERTY_PUT(2, "Count", OnSetCount, VT_I4)
    DISP_PROPERTY_NOTIFY(3, "Checked", m_bChecked, nullptr, VT_BOOL)
    DISP_PROPERTY_GET(4, "Small", OnGetSmall, VT_I2)
    DISP_PROPERTY_PUT(4, "Small", OnSetSmall, VT_I2)
    DISP_STOCKPROP_BACKCOLOR()
    DISP_STOCKPROP_FONT()
    DISP_METHOD(12, "GetText", OnGetText, VT_EMPTY, VT_BSTR | VT_BYREF)
    DISP_METHOD(13, "Split", OnSplit, VT_EMPTY, VT_I4, VT_I2 | VT_BYREF, VT_I2 | VT_BYREF)
    DISP_METHOD(14, "GetSelf", OnGetSelf, VT_EMPTY, VT_DISPATCH | VT_BYREF)
    DISP_METHOD(15, "Ask", OnAsk, VT_BSTR, VT_BSTR)
    DISP_METHOD(16, "Click", OnClick, VT_EMPTY, VT_I2, VT_I2)
END_DISPATCH_MAP()

CTestCtrl::CTestCtrl() : COleControl(g_testCtrlInfo)
{
    SetInitialSize(120, 40);
    EnableSimpleFrame();
}

void CTestCtrl::DoPropExchange(CPropExchange& px)
{
    DWORD dwVersion = 0x00010000;
    px.ExchangeVersion(dwVersion, 0x00010000);
    COleControl::DoPropExchange(px);
    px.ExchangeString("Caption", m_strCaption, "Test");
    px.ExchangeLong("Count", m_nCount, 7);
    px.ExchangeBool("Checked", m_bChecked, TRUE);
    px.ExchangeShort("Small", m_nSmall, -3);
}

void CTestCtrl::OnDraw(HDC hdc, const RECT& bounds)
{
    COleControl::OnDraw(hdc, bounds);
    // A black frame one pixel inside the bounds, so that the tests can tell drawing from a
    // plain background.
    RECT frame = {bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1};
    FrameRect(hdc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

DWORD CTestCtrl::SafetyOptionsSupported(REFIID riid) const
{
    if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, DIID__DComTest))
        return INTERFACESAFE_FOR_UNTRUSTED_CALLER;
    return 0;
}

std::vector<CLSID> CTestCtrl::GetPropertyPageIds() const
{
    return {CLSID_ComTestPage};
}

HRESULT CTestCtrl::OnGetCount(CDispatchCall& call)
{
    call.SetResult(m_nCount);
    return S_OK;
}

HRESULT CTestCtrl::OnSetCount(CDispatchCall& call)
{
    m_nCount = call.Long(0);
    SetModifiedFlag();
    return S_OK;
}

HRESULT CTestCtrl::OnGetSmall(CDispatchCall& call)
{
    call.SetResult(m_nSmall);
    return S_OK;
}

HRESULT CTestCtrl::OnSetSmall(CDispatchCall& call)
{
    m_nSmall = call.Short(0);
    SetModifiedFlag();
    return S_OK;
}

HRESULT CTestCtrl::OnGetText(CDispatchCall& call)
{
    call.SetStringRef(0, m_strCaption + "!");
    return S_OK;
}

HRESULT CTestCtrl::OnSplit(CDispatchCall& call)
{
    const long n = call.Long(0);
    *call.ShortRef(1) = static_cast<short>(n / 1000);
    *call.ShortRef(2) = static_cast<short>(n % 1000);
    return S_OK;
}

HRESULT CTestCtrl::OnGetSelf(CDispatchCall& call)
{
    IDispatch** ppSelf = call.DispatchRef(0);
    if (*ppSelf)
        (*ppSelf)->Release();
    *ppSelf = this;
    AddRef();
    return S_OK;
}

HRESULT CTestCtrl::OnAsk(CDispatchCall& call)
{
    CBstr answer;
    FireEvent(2, {CVariant(call.String(0)), CVariant::ByRef(answer.Ref())});
    call.SetResult(answer.ToUtf8());
    return S_OK;
}

HRESULT CTestCtrl::OnClick(CDispatchCall& call)
{
    FireEvent(1, {CVariant(call.Short(0)), CVariant(call.Short(1))});
    return S_OK;
}
