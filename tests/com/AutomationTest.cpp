// Automation through the dispatch map: names without regard to case, calls by name and by
// dispid, conversions, by-reference out arguments, property puts, type information, errors.
#include "ComTestSupport.h"

#include "Bstr.h"
#include "ComTest_h.h"

#include <gtest/gtest.h>
#include <objsafe.h>
#include <olectl.h>

class Automation : public testing::Test {
protected:
    void SetUp() override
    {
        m_pControl = CreateTestControl();
        ASSERT_NE(m_pControl.Get(), nullptr);
        CComPointer<IPersistStreamInit> pInit;
        ASSERT_EQ(pInit.QueryFrom(m_pControl), S_OK);
        ASSERT_EQ(pInit->InitNew(), S_OK);
    }

    CComPointer<IDispatch> m_pControl;
};

TEST_F(Automation, NamesAreFoundWithoutRegardToCase)
{
    EXPECT_EQ(DispIdOf(m_pControl, L"Add"), 10);
    EXPECT_EQ(DispIdOf(m_pControl, L"aDD"), 10);
    EXPECT_EQ(DispIdOf(m_pControl, L"CAPTION"), 1);
    EXPECT_EQ(DispIdOf(m_pControl, L"backcolor"), DISPID_BACKCOLOR);
    EXPECT_EQ(DispIdOf(m_pControl, L"Font"), DISPID_FONT);
    DISPID dispid = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"NoSuchMember");
    EXPECT_EQ(m_pControl->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(dispid, DISPID_UNKNOWN);
}

TEST_F(Automation, MethodsByNameAndByDispid)
{
    CVariant result;
    ASSERT_EQ(CallMember(m_pControl, DispIdOf(m_pControl, L"add"), DISPATCH_METHOD, {CVariant(short(2)), CVariant(short(40))}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_I2);
    EXPECT_EQ(result.iVal, 42);
    // Arguments are converted to the declared types; a method may be called as a property get.
    ASSERT_EQ(CallMember(m_pControl, 10, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {CVariant("7"), CVariant(3.0)}, &result), S_OK);
    EXPECT_EQ(result.iVal, 10);
}

TEST_F(Automation, BooleanResultsAreVariantBools)
{
    CVariant result;
    ASSERT_EQ(CallMember(m_pControl, 11, DISPATCH_METHOD, {CVariant(4L)}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_BOOL);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);
    ASSERT_EQ(CallMember(m_pControl, 11, DISPATCH_METHOD, {CVariant(5L)}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_BOOL);
    EXPECT_EQ(result.boolVal, VARIANT_FALSE);
}

TEST_F(Automation, PropertiesGetAndPut)
{
    EXPECT_EQ(GetProperty(m_pControl, L"Caption").ToString(), "Test");
    ASSERT_EQ(PutProperty(m_pControl, L"Caption", CVariant("Hello")), S_OK);
    EXPECT_EQ(GetProperty(m_pControl, L"Caption").ToString(), "Hello");
    ASSERT_EQ(PutProperty(m_pControl, L"Count", CVariant("123")), S_OK);
    CVariant count = GetProperty(m_pControl, L"Count");
    EXPECT_EQ(count.vt, VT_I4);
    EXPECT_EQ(count.lVal, 123);
    ASSERT_EQ(PutProperty(m_pControl, L"Checked", CVariant(false)), S_OK);
    CVariant checked = GetProperty(m_pControl, L"Checked");
    EXPECT_EQ(checked.vt, VT_BOOL);
    EXPECT_EQ(checked.boolVal, VARIANT_FALSE);
}

TEST_F(Automation, ByReferenceOutArguments)
{
    ASSERT_EQ(PutProperty(m_pControl, L"Caption", CVariant("abc")), S_OK);
    CBstr text("old");
    ASSERT_EQ(CallMember(m_pControl, 12, DISPATCH_METHOD, {CVariant::ByRef(text.Ref())}), S_OK);
    EXPECT_EQ(text.ToUtf8(), "abc!");

    short nHigh = 0, nLow = 0;
    ASSERT_EQ(CallMember(m_pControl, 13, DISPATCH_METHOD, {CVariant(12345L), CVariant::ByRef(&nHigh), CVariant::ByRef(&nLow)}), S_OK);
    EXPECT_EQ(nHigh, 12);
    EXPECT_EQ(nLow, 345);

    CComPointer<IDispatch> pSelf;
    ASSERT_EQ(CallMember(m_pControl, 14, DISPATCH_METHOD, {CVariant::ByRef(pSelf.Ref())}), S_OK);
    ASSERT_NE(pSelf.Get(), nullptr);
    CComPointer<IUnknown> pUnknownA, pUnknownB;
    pUnknownA.QueryFrom(pSelf);
    pUnknownB.QueryFrom(m_pControl);
    EXPECT_EQ(pUnknownA.Get(), pUnknownB.Get());
}

TEST_F(Automation, ReferencesToVariantsAreConvertedAndWrittenBack)
{
    // Scripts pass their variables as references to variants.
    CVariant high, low(std::string("x"));
    ASSERT_EQ(CallMember(m_pControl, 13, DISPATCH_METHOD, {CVariant("2001"), CVariant::ByRef(&high), CVariant::ByRef(&low)}), S_OK);
    EXPECT_EQ(high.vt, VT_I2);
    EXPECT_EQ(high.iVal, 2);
    EXPECT_EQ(low.vt, VT_I2);
    EXPECT_EQ(low.iVal, 1);   // "x" was no value: an out argument
    CVariant text;
    ASSERT_EQ(CallMember(m_pControl, 12, DISPATCH_METHOD, {CVariant::ByRef(&text)}), S_OK);
    EXPECT_EQ(text.vt, VT_BSTR);
    EXPECT_EQ(text.ToString(), "Test!");
}

TEST_F(Automation, WrongTypesAreTypeMismatches)
{
    UINT argErr = 99;
    EXPECT_EQ(CallMember(m_pControl, 10, DISPATCH_METHOD, {CVariant(short(1)), CVariant("not a number")}, nullptr, &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);   // rgvarg index: the last argument
    EXPECT_EQ(CallMember(m_pControl, 10, DISPATCH_METHOD, {CVariant("x"), CVariant(short(1))}, nullptr, &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 1u);
    long wrong = 0;
    EXPECT_EQ(CallMember(m_pControl, 12, DISPATCH_METHOD, {CVariant::ByRef(&wrong)}), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CallMember(m_pControl, 12, DISPATCH_METHOD, {CVariant("by value")}), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(PutProperty(m_pControl, L"Count", CVariant(static_cast<IDispatch*>(m_pControl.Get()))), DISP_E_TYPEMISMATCH);

    // A null reference to a variant and an omitted argument are no values: refused, not read.
    CVariant nullReference;
    nullReference.vt = VT_VARIANT | VT_BYREF;
    nullReference.pvarVal = nullptr;
    EXPECT_EQ(CallMember(m_pControl, 11, DISPATCH_METHOD, {nullReference}), DISP_E_TYPEMISMATCH);
    nullReference.vt = VT_EMPTY;
    CVariant omitted;
    omitted.vt = VT_ERROR;
    omitted.scode = DISP_E_PARAMNOTFOUND;
    EXPECT_EQ(CallMember(m_pControl, 11, DISPATCH_METHOD, {omitted}), DISP_E_TYPEMISMATCH);
}

TEST_F(Automation, WrongCountsAndUnknownMembers)
{
    EXPECT_EQ(CallMember(m_pControl, 10, DISPATCH_METHOD, {CVariant(short(1))}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(CallMember(m_pControl, 10, DISPATCH_METHOD, {CVariant(short(1)), CVariant(short(1)), CVariant(short(1))}),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(CallMember(m_pControl, 999, DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);
    // Hooks is a method without a put.
    EXPECT_EQ(CallMember(m_pControl, 17, DISPATCH_PROPERTYPUT, {CVariant("x")}), DISP_E_MEMBERNOTFOUND);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(m_pControl->Invoke(10, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(m_pControl->Invoke(17, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
}

TEST_F(Automation, NamedArgumentsOtherThanThePutValueAreRefused)
{
    CVariant value(5L);
    DISPID named = 0;
    DISPPARAMS params = {&value, &named, 1, 1};
    EXPECT_EQ(m_pControl->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
}

TEST_F(Automation, StockBackColorAndFont)
{
    ASSERT_EQ(PutProperty(m_pControl, L"BackColor", CVariant(static_cast<long>(RGB(10, 20, 30)))), S_OK);
    EXPECT_EQ(GetProperty(m_pControl, L"BackColor").ToLong(), static_cast<long>(RGB(10, 20, 30)));
    EXPECT_EQ(PutProperty(m_pControl, L"BackColor", CVariant(0x7F000000L)), CTL_E_INVALIDPROPERTYVALUE);

    CVariant font = GetProperty(m_pControl, L"Font");
    ASSERT_EQ(font.vt, VT_DISPATCH);
    ASSERT_NE(font.pdispVal, nullptr);
    std::string defaultName;
    LONGLONG size = 0;
    RealizedFont(L"MS Sans Serif", 80000, &defaultName, &size);
    EXPECT_EQ(GetProperty(font.pdispVal, L"Name").ToString(), defaultName);
    EXPECT_EQ(GetProperty(font.pdispVal, L"Size").ToDouble(), size / 10000.0);
    EXPECT_FALSE(GetProperty(font.pdispVal, L"Bold").ToBool());
    // The control's font object itself changes.
    ASSERT_EQ(PutProperty(font.pdispVal, L"Bold", CVariant(true)), S_OK);
    EXPECT_TRUE(GetProperty(GetProperty(m_pControl, L"Font").pdispVal, L"Bold").ToBool());
}

TEST_F(Automation, TypeInformationComesFromTheEmbeddedLibrary)
{
    UINT count = 0;
    ASSERT_EQ(m_pControl->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    CComPointer<ITypeInfo> pInfo;
    ASSERT_EQ(m_pControl->GetTypeInfo(0, LOCALE_USER_DEFAULT, pInfo.Out()), S_OK);
    TYPEATTR* pAttr = nullptr;
    ASSERT_EQ(pInfo->GetTypeAttr(&pAttr), S_OK);
    EXPECT_TRUE(IsEqualIID(pAttr->guid, DIID__DComTest));
    EXPECT_EQ(pAttr->typekind, TKIND_DISPATCH);
    pInfo->ReleaseTypeAttr(pAttr);
    CBstr name;
    ASSERT_EQ(pInfo->GetDocumentation(10, name.Out(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.ToUtf8(), "Add");
    EXPECT_EQ(m_pControl->GetTypeInfo(1, LOCALE_USER_DEFAULT, pInfo.Out()), DISP_E_BADINDEX);
}

TEST_F(Automation, AnswersItsDispinterfaceAndSafetyOptions)
{
    CComPointer<IUnknown> pUnknown;
    EXPECT_EQ(m_pControl->QueryInterface(DIID__DComTest, reinterpret_cast<void**>(pUnknown.Out())), S_OK);
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
