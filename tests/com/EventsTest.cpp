// Events through connection points where the control's own tests do not reach: several sinks
// and their order, frozen events, refused sinks, property change notifications (also from the
// font object), and the connection points and class information a container reads.
#include "ComTestSupport.h"

#include "AutomationObject.h"
#include "ComTest_h.h"
#include "DispatchCall.h"
#include "Text.h"

#include <gtest/gtest.h>
#include <olectl.h>

namespace {

class CEventSink : public CAutomationObject {
public:
    explicit CEventSink(const std::string& answer) : CAutomationObject(DIID__DComTestEvents), m_strAnswer(answer) {}

    DECLARE_DISPATCH_MAP()

    std::vector<std::string> m_calls;

private:
    HRESULT OnClicked(CDispatchCall& call)
    {
        m_calls.push_back(FormatText("Clicked %d %d", call.Short(0), call.Short(1)));
        return S_OK;
    }
    HRESULT OnAsked(CDispatchCall& call)
    {
        m_calls.push_back("Asked " + call.String(0));
        call.SetStringRef(1, m_strAnswer);
        return S_OK;
    }

    std::string m_strAnswer;
};

BEGIN_DISPATCH_MAP(CEventSink, CAutomationObject)
    DISP_METHOD(1, "Clicked", OnClicked, VT_EMPTY, VT_I2, VT_I2)
    DISP_METHOD(2, "Asked", OnAsked, VT_EMPTY, VT_BSTR, VT_BSTR | VT_BYREF)
END_DISPATCH_MAP()

class CChangeSink : public IPropertyNotifySink, public CComObject {
public:
    DECLARE_IUNKNOWN()
    STDMETHODIMP OnChanged(DISPID dispid) override
    {
        m_changes.push_back(dispid);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    std::vector<DISPID> m_changes;

protected:
    void* GetInterface(REFIID riid) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyNotifySink))
            return static_cast<IPropertyNotifySink*>(this);
        return nullptr;
    }
};

} // namespace

class Events : public testing::Test {
protected:
    void SetUp() override
    {
        m_pControl = NewTestControl();
        ASSERT_NE(m_pControl.Get(), nullptr);
        CComPointer<IConnectionPointContainer> pContainer = As<IConnectionPointContainer>(m_pControl);
        ASSERT_NE(pContainer.Get(), nullptr);
        ASSERT_EQ(pContainer->FindConnectionPoint(DIID__DComTestEvents, m_pEvents.Out()), S_OK);
        ASSERT_EQ(pContainer->FindConnectionPoint(IID_IPropertyNotifySink, m_pNotify.Out()), S_OK);
    }

    CComPointer<IDispatch> m_pControl;
    CComPointer<IConnectionPoint> m_pEvents;
    CComPointer<IConnectionPoint> m_pNotify;
};

TEST_F(Events, SeveralSinksHearEventsUntilTheyLeaveOrEventsAreFrozen)
{
    CComPointer<CEventSink> pFirst = NewComObject<CEventSink>("first");
    CComPointer<CEventSink> pSecond = NewComObject<CEventSink>("second");
    DWORD dwFirst = 0, dwSecond = 0;
    ASSERT_EQ(m_pEvents->Advise(static_cast<IDispatch*>(pFirst.Get()), &dwFirst), S_OK);
    ASSERT_EQ(m_pEvents->Advise(static_cast<IDispatch*>(pSecond.Get()), &dwSecond), S_OK);
    EXPECT_NE(dwFirst, dwSecond);

    CComPointer<IEnumConnections> pEnum;
    ASSERT_EQ(m_pEvents->EnumConnections(pEnum.Out()), S_OK);
    CONNECTDATA data[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(pEnum->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[0].dwCookie, dwFirst);
    EXPECT_EQ(data[1].dwCookie, dwSecond);
    data[0].pUnk->Release();
    data[1].pUnk->Release();

    CVariant answer;
    ASSERT_EQ(CallMember(m_pControl, 15, DISPATCH_METHOD, {CVariant("q")}, &answer), S_OK);
    EXPECT_EQ(answer.ToString(), "second");   // the last sink answers last
    EXPECT_EQ(pFirst->m_calls.size(), 1u);
    EXPECT_EQ(pSecond->m_calls.size(), 1u);

    EXPECT_EQ(m_pEvents->Unadvise(dwFirst), S_OK);
    EXPECT_EQ(m_pEvents->Unadvise(dwFirst), CONNECT_E_NOCONNECTION);
    // Frozen events are not fired.
    As<IOleControl>(m_pControl)->FreezeEvents(TRUE);
    ASSERT_EQ(CallMember(m_pControl, 16, DISPATCH_METHOD, {CVariant(short(3)), CVariant(short(4))}), S_OK);
    As<IOleControl>(m_pControl)->FreezeEvents(FALSE);
    ASSERT_EQ(CallMember(m_pControl, 16, DISPATCH_METHOD, {CVariant(short(1)), CVariant(short(2))}), S_OK);
    EXPECT_EQ(pFirst->m_calls.size(), 1u);
    ASSERT_EQ(pSecond->m_calls.size(), 2u);
    EXPECT_EQ(pSecond->m_calls[1], "Clicked 1 2");
    m_pEvents->Unadvise(dwSecond);
}

TEST_F(Events, SinksWithoutTheInterfaceAreRefused)
{
    CComPointer<CChangeSink> pWrong = NewComObject<CChangeSink>();
    DWORD dwCookie = 0;
    EXPECT_EQ(m_pEvents->Advise(static_cast<IPropertyNotifySink*>(pWrong.Get()), &dwCookie), CONNECT_E_CANNOTCONNECT);
    CComPointer<CEventSink> pDispatchOnly = NewComObject<CEventSink>("x");
    EXPECT_EQ(m_pNotify->Advise(static_cast<IDispatch*>(pDispatchOnly.Get()), &dwCookie), CONNECT_E_CANNOTCONNECT);
}

TEST_F(Events, PropertyChangesAreNotified)
{
    CComPointer<CChangeSink> pSink = NewComObject<CChangeSink>();
    DWORD dwCookie = 0;
    ASSERT_EQ(m_pNotify->Advise(static_cast<IPropertyNotifySink*>(pSink.Get()), &dwCookie), S_OK);
    ASSERT_EQ(PutProperty(m_pControl, L"BackColor", CVariant(255L)), S_OK);
    ASSERT_EQ(pSink->m_changes.size(), 1u);
    EXPECT_EQ(pSink->m_changes[0], DISPID_BACKCOLOR);

    // A change made through the font object itself reaches the control.
    CComPointer<IPersistStreamInit> pPersist = As<IPersistStreamInit>(m_pControl);
    CComPointer<IStream> pStream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, pStream.Out()), S_OK);
    ASSERT_EQ(pPersist->Save(pStream, TRUE), S_OK);
    EXPECT_EQ(pPersist->IsDirty(), S_FALSE);
    CVariant font = GetProperty(m_pControl, L"Font");
    ASSERT_EQ(font.vt, VT_DISPATCH);
    CComPointer<IFont> pFont;
    ASSERT_EQ(pFont.QueryFrom(font.pdispVal), S_OK);
    ASSERT_EQ(pFont->put_Bold(TRUE), S_OK);
    ASSERT_EQ(pSink->m_changes.size(), 2u);
    EXPECT_EQ(pSink->m_changes[1], DISPID_FONT);
    EXPECT_EQ(pPersist->IsDirty(), S_OK);
    m_pNotify->Unadvise(dwCookie);
}

TEST_F(Events, ContainerFindsEveryConnectionPointAndTheClassInfo)
{
    CComPointer<IConnectionPointContainer> pContainer = As<IConnectionPointContainer>(m_pControl);
    CComPointer<IEnumConnectionPoints> pEnum;
    ASSERT_EQ(pContainer->EnumConnectionPoints(pEnum.Out()), S_OK);
    std::vector<IID> iids;
    IConnectionPoint* pPoint = nullptr;
    while (pEnum->Next(1, &pPoint, nullptr) == S_OK) {
        IID iid;
        pPoint->GetConnectionInterface(&iid);
        iids.push_back(iid);
        pPoint->Release();
    }
    ASSERT_EQ(iids.size(), 2u);
    EXPECT_TRUE(IsEqualIID(iids[0], DIID__DComTestEvents));
    EXPECT_TRUE(IsEqualIID(iids[1], IID_IPropertyNotifySink));
    CComPointer<IConnectionPoint> pNone;
    EXPECT_EQ(pContainer->FindConnectionPoint(IID_IDispatch, pNone.Out()), CONNECT_E_NOCONNECTION);
    CComPointer<IConnectionPointContainer> pBack;
    ASSERT_EQ(m_pEvents->GetConnectionPointContainer(pBack.Out()), S_OK);
    EXPECT_EQ(pBack.Get(), pContainer.Get());

    CComPointer<ITypeInfo> pClass;
    ASSERT_EQ(As<IProvideClassInfo>(m_pControl)->GetClassInfo(pClass.Out()), S_OK);
    TYPEATTR* pAttr = nullptr;
    ASSERT_EQ(pClass->GetTypeAttr(&pAttr), S_OK);
    EXPECT_EQ(pAttr->typekind, TKIND_COCLASS);
    EXPECT_TRUE(IsEqualGUID(pAttr->guid, CLSID_ComTest));
    pClass->ReleaseTypeAttr(pAttr);
}
