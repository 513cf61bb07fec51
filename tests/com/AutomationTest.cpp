// Automation through the dispatch map where the control's own tests do not reach: by-reference
// arguments of every kind, refused calls, a handler that throws, the stock colour's range and
// the stock font given no font, type information and the safety options of the framework's
// default.
#include "ComTestSupport.h"

#include "AutomationObject.h"
#include "Bstr.h"
#include "ComTest_h.h"

#include <gtest/gtest.h>
#include <objsafe.h>
#include <olectl.h>

#include <limits>

namespace {

// What a host's code may throw that is no standard exception.
struct HostFailure {};

class CFailingObject : public CAutomationObject {
public:
    CFailingObject() : CAutomationObject(IID_IDispatch) {}
    DECLARE_DISPATCH_MAP()

private:
    HRESULT OnFail(CDispatchCall&) { throw HostFailure(); }
};

BEGIN_DISPATCH_MAP(CFailingObject, CAutomationObject)
    DISP_METHOD(1, "Fail", OnFail, VT_EMPTY)
END_DISPATCH_MAP()

} // namespace

class Automation : public testing::Test {
protected:
    void SetUp() override
    {
        m_pControl = NewTestControl();
        ASSERT_NE(m_pControl.Get(), nullptr);
    }

    CComPointer<IDispatch> m_pControl;
};

TEST_F(Automation, ByReferenceArgumentsAreWrittenBack)
{
    CBstr text("old");
    ASSERT_EQ(CallMember(m_pControl, 12, DISPATCH_METHOD, {CVariant::ByRef(text.Ref())}), S_OK);
    EXPECT_EQ(text.ToUtf8(), "Test!");

    CComPointer<IDispatch> pSelf;
    ASSERT_EQ(CallMember(m_pControl, 14, DISPATCH_METHOD, {CVariant::ByRef(pSelf.Ref())}), S_OK);
    ASSERT_NE(pSelf.Get(), nullptr);
    EXPECT_EQ(As<IUnknown>(pSelf).Get(), As<IUnknown>(m_pControl).Get());

    // Scripts pass their variables as references to variants: converted, then written back.
    CVariant high, low(std::string("x"));
    ASSERT_EQ(CallMember(m_pControl, 13, DISPATCH_METHOD, {CVariant("2001"), CVariant::ByRef(&high), CVariant::ByRef(&low)}), S_OK);
    EXPECT_EQ(high.vt, VT_I2);
    EXPECT_EQ(high.iVal, 2);
    EXPECT_EQ(low.vt, VT_I2);
    EXPECT_EQ(low.iVal, 1);   // "x" was no value: an out argument
    CVariant variantText;
    ASSERT_EQ(CallMember(m_pControl, 12, DISPATCH_METHOD, {CVariant::ByRef(&variantText)}), S_OK);
    EXPECT_EQ(variantText.vt, VT_BSTR);
    EXPECT_EQ(variantText.ToString(), "Test!");
}

TEST_F(Automation, WrongTypesAreTypeMismatches)
{
    long wrong = 0;
    EXPECT_EQ(CallMember(m_pControl, 12, DISPATCH_METHOD, {CVariant::ByRef(&wrong)}), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CallMember(m_pControl, 12, DISPATCH_METHOD, {CVariant("by value")}), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(PutProperty(m_pControl, L"Count", CVariant(static_cast<IDispatch*>(m_pControl.Get()))), DISP_E_TYPEMISMATCH);

    // A null reference to a variant and an omitted argument are no values: refused, not read.
    CVariant nullReference;
    nullReference.vt = VT_VARIANT | VT_BYREF;
    nullReference.pvarVal = nullptr;
    short high = 0, low = 0;
    EXPECT_EQ(CallMember(m_pControl, 13, DISPATCH_METHOD, {nullReference, CVariant::ByRef(&high), CVariant::ByRef(&low)}),
              DISP_E_TYPEMISMATCH);
    nullReference.vt = VT_EMPTY;
    CVariant omitted;
    omitted.vt = VT_ERROR;
    omitted.scode = DISP_E_PARAMNOTFOUND;
    EXPECT_EQ(CallMember(m_pControl, 13, DISPATCH_METHOD, {omitted, CVariant::ByRef(&high), CVariant::ByRef(&low)}),
              DISP_E_TYPEMISMATCH);
}

TEST_F(Automation, CallsTheMapCannotServeAreRefused)
{
    EXPECT_EQ(CallMember(m_pControl, 999, DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(CallMember(m_pControl, 13, DISPATCH_METHOD, {CVariant(1L)}), DISP_E_BADPARAMCOUNT);
    short high = 0, low = 0, extra = 0;
    EXPECT_EQ(CallMember(m_pControl, 13, DISPATCH_METHOD,
                         {CVariant(1L), CVariant::ByRef(&high), CVariant::ByRef(&low), CVariant::ByRef(&extra)}),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(CallMember(m_pControl, 12, DISPATCH_PROPERTYPUT, {CVariant("x")}), DISP_E_MEMBERNOTFOUND);   // a method
    EXPECT_EQ(m_pControl->Invoke(12, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(m_pControl->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr), S_OK);
    // Named arguments other than the put value.
    CVariant value(5L);
    DISPID named = 0;
    DISPPARAMS params = {&value, &named, 1, 1};
    EXPECT_EQ(m_pControl->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
}

namespace {

// A put of the stock colour with the error information a script shows.
HRESULT PutBackColor(IDispatch* pControl, const CVariant& value, SCODE* pScode, std::string* pText)
{
    CVariant arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&arg, &named, 1, 1};
    EXCEPINFO info = {};
    const HRESULT hr = pControl->Invoke(DISPID_BACKCOLOR, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, &info, nullptr);
    *pScode = info.scode;
    *pText = CBstr::ToUtf8(info.bstrDescription);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    return hr;
}

} // namespace

TEST_F(Automation, StockColourRefusesWhatIsNoColourAsAnInvalidPropertyValue)
{
    ASSERT_EQ(PutProperty(m_pControl, L"BackColor", CVariant(static_cast<long>(RGB(1, 2, 3)))), S_OK);
    // Neither RGB nor a system colour index: -1, TRUE (which is -1), a high byte no colour has.
    for (const CVariant& value : {CVariant(-1L), CVariant(true), CVariant(0x7F000000L), CVariant(static_cast<long>(0x800000FFUL))}) {
        SCODE scode = S_OK;
        std::string strText;
        EXPECT_EQ(PutBackColor(m_pControl, value, &scode, &strText), DISP_E_EXCEPTION);
        EXPECT_EQ(scode, CTL_E_INVALIDPROPERTYVALUE);
        EXPECT_EQ(strText, "Invalid property value");
        EXPECT_EQ(GetProperty(m_pControl, L"BackColor").ToLong(), static_cast<long>(RGB(1, 2, 3)));
    }
    // What is no number at all is refused too: by IDispatch's conversion where it fails, or, as
    // Wine converts NaN to an integer, as no colour.
    CVariant nan(std::numeric_limits<double>::quiet_NaN());
    SCODE scode = S_OK;
    std::string strText;
    const HRESULT hr = PutBackColor(m_pControl, nan, &scode, &strText);
    EXPECT_TRUE(hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW || (hr == DISP_E_EXCEPTION && scode == CTL_E_INVALIDPROPERTYVALUE))
        << std::hex << hr;
    EXPECT_EQ(GetProperty(m_pControl, L"BackColor").ToLong(), static_cast<long>(RGB(1, 2, 3)));
    // A system colour is a colour.
    EXPECT_EQ(PutBackColor(m_pControl, CVariant(static_cast<long>(0x80000000UL | COLOR_WINDOW)), &scode, &strText), S_OK);
}

TEST_F(Automation, StockFontGivenNoFontObjectTakesTheDefaultFont)
{
    FONTDESC desc = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Courier New"), {150000, 0}, FW_BOLD, ANSI_CHARSET, TRUE, FALSE, FALSE};
    CComPointer<IDispatch> pCourier;
    ASSERT_EQ(OleCreateFontIndirect(&desc, IID_IDispatch, reinterpret_cast<void**>(pCourier.Out())), S_OK);
    std::string strDefault;
    LONGLONG nDefaultSize = 0;
    RealizedFont(L"MS Sans Serif", 80000, &strDefault, &nDefaultSize);
    CComPointer<IDispatch> pNotAFont = m_pControl;   // a dispatch object that is no font
    for (const CVariant& value : {CVariant(static_cast<IDispatch*>(nullptr)), CVariant(), CVariant(pNotAFont.Get())}) {
        ASSERT_EQ(PutProperty(m_pControl, L"Font", CVariant(pCourier.Get())), S_OK);
        EXPECT_EQ(GetProperty(GetProperty(m_pControl, L"Font").pdispVal, L"Italic").ToBool(), true);
        EXPECT_EQ(PutProperty(m_pControl, L"Font", value), S_OK);
        const CVariant font = GetProperty(m_pControl, L"Font");
        ASSERT_EQ(font.vt, VT_DISPATCH);
        ASSERT_NE(font.pdispVal, nullptr);
        EXPECT_EQ(GetProperty(font.pdispVal, L"Name").ToString(), strDefault);
        EXPECT_FALSE(GetProperty(font.pdispVal, L"Italic").ToBool());
        EXPECT_EQ(GetProperty(font.pdispVal, L"Weight").ToLong(), FW_NORMAL);
    }
    // A null is no object of any kind: IDispatch refuses it, and the font stays.
    ASSERT_EQ(PutProperty(m_pControl, L"Font", CVariant(pCourier.Get())), S_OK);
    CVariant null;
    null.vt = VT_NULL;
    EXPECT_EQ(PutProperty(m_pControl, L"Font", null), DISP_E_TYPEMISMATCH);
    EXPECT_TRUE(GetProperty(GetProperty(m_pControl, L"Font").pdispVal, L"Italic").ToBool());
}

TEST(AutomationFailure, ExceptionFromAHandlerIsTheCallsError)
{
    CComPointer<CFailingObject> pObject = NewComObject<CFailingObject>();
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXCEPINFO info;
    FillMemory(&info, sizeof(info), 0xCD);
    EXPECT_EQ(pObject->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, &info, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, E_UNEXPECTED);
    EXPECT_EQ(info.bstrDescription, nullptr);   // nothing for the caller to free
}

TEST_F(Automation, TypeInformationComesFromTheEmbeddedLibrary)
{
    UINT count = 0;
    ASSERT_EQ(m_pControl->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    CComPointer<ITypeInfo> pInfo;
    ASSERT_EQ(m_pControl->GetTypeInfo(0, LOCALE_USER_DEFAULT, pInfo.Out()), S_OK);
    CBstr name;
    ASSERT_EQ(pInfo->GetDocumentation(12, name.Out(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.ToUtf8(), "GetText");
    EXPECT_EQ(m_pControl->GetTypeInfo(1, LOCALE_USER_DEFAULT, pInfo.Out()), DISP_E_BADINDEX);
}

TEST_F(Automation, SafetyOptionsOfTheFrameworksDefault)
{
    CComPointer<IObjectSafety> pSafety;
    ASSERT_EQ(pSafety.QueryFrom(m_pControl, IID_IObjectSafety), S_OK);
    DWORD dwSupported = 0, dwEnabled = 0;
    ASSERT_EQ(pSafety->GetInterfaceSafetyOptions(IID_IDispatch, &dwSupported, &dwEnabled), S_OK);
    EXPECT_EQ(dwSupported, static_cast<DWORD>(INTERFACESAFE_FOR_UNTRUSTED_CALLER));
    EXPECT_EQ(dwEnabled, 0u);
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IDispatch, INTERFACESAFE_FOR_UNTRUSTED_CALLER, INTERFACESAFE_FOR_UNTRUSTED_CALLER), S_OK);
    pSafety->GetInterfaceSafetyOptions(IID_IDispatch, &dwSupported, &dwEnabled);
    EXPECT_EQ(dwEnabled, static_cast<DWORD>(INTERFACESAFE_FOR_UNTRUSTED_CALLER));
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, INTERFACESAFE_FOR_UNTRUSTED_DATA, INTERFACESAFE_FOR_UNTRUSTED_DATA), E_FAIL);
}
