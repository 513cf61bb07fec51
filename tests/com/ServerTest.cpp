// The in-process server where the control's own tests do not reach: regsvr32 in the prefix,
// unregistering twice, the keys of a property page class, a module without a type library,
// class factories and the module's live-object count.
#include "ComTestSupport.h"

#include "ComTest_h.h"
#include "ServerModule.h"
#include "ServerRegistry.h"
#include "TestPage.h"
#include "Text.h"

#include <gtest/gtest.h>
#include <olectl.h>

namespace {

bool ReadKey(const std::wstring& path, const wchar_t* name, std::wstring* pValue = nullptr)
{
    wchar_t buffer[1024] = {};
    DWORD cb = sizeof(buffer);
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &cb) != ERROR_SUCCESS)
        return false;
    if (pValue)
        *pValue = buffer;
    return true;
}

std::wstring ClassKey(REFCLSID clsid)
{
    return L"CLSID\\" + CServerRegistry::GuidText(clsid);
}

bool TypeLibraryRegistered()
{
    CComPointer<ITypeLib> pLib;
    return SUCCEEDED(LoadRegTypeLib(LIBID_ComTestLib, 1, 0, LOCALE_NEUTRAL, pLib.Out()));
}

std::wstring Regsvr32(const wchar_t* options)
{
    return std::wstring(L"regsvr32.exe ") + options + L" \"" + TestServerPath() + L"\"";
}

} // namespace

TEST(Server, RegistrationWithoutTypeLibraryFails)
{
    // This executable has no TYPELIB resource.
    const ServerClass none[] = {{&CLSID_NULL, nullptr, nullptr}};
    EXPECT_EQ(CServerModule::RegisterServer(none, 0), SELFREG_E_TYPELIB);
}

TEST(Server, ClassFactoryMakesNewObjectsAndCountsThem)
{
    HMODULE hServer = LoadLibraryW(TestServerPath().c_str());
    ASSERT_NE(hServer, nullptr);
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();
    auto pfnGetClassObject = reinterpret_cast<GetClassObjectFn>(GetProcAddress(hServer, "DllGetClassObject"));
    auto pfnCanUnloadNow = reinterpret_cast<CanUnloadNowFn>(GetProcAddress(hServer, "DllCanUnloadNow"));
    ASSERT_NE(pfnGetClassObject, nullptr);
    ASSERT_NE(pfnCanUnloadNow, nullptr);
    ASSERT_EQ(pfnCanUnloadNow(), S_OK);

    CComPointer<IClassFactory> pFactory;
    EXPECT_EQ(pfnGetClassObject(CLSID_NULL, IID_IClassFactory, reinterpret_cast<void**>(pFactory.Out())), CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(pfnGetClassObject(CLSID_ComTest, IID_IClassFactory, reinterpret_cast<void**>(pFactory.Out())), S_OK);
    EXPECT_EQ(pfnCanUnloadNow(), S_FALSE);

    CComPointer<IUnknown> pOuter(pFactory.Get());
    CComPointer<IUnknown> pAggregated;
    EXPECT_EQ(pFactory->CreateInstance(pOuter, IID_IUnknown, reinterpret_cast<void**>(pAggregated.Out())), CLASS_E_NOAGGREGATION);
    CComPointer<IDispatch> pFirst, pSecond;
    ASSERT_EQ(pFactory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(pFirst.Out())), S_OK);
    ASSERT_EQ(pFactory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(pSecond.Out())), S_OK);
    EXPECT_NE(pFirst.Get(), pSecond.Get());
    pOuter.Reset();
    pFactory.Reset();
    EXPECT_EQ(pfnCanUnloadNow(), S_FALSE);
    pFirst.Reset();
    pSecond.Reset();
    EXPECT_EQ(pfnCanUnloadNow(), S_OK);

    ASSERT_EQ(pfnGetClassObject(CLSID_ComTest, IID_IClassFactory, reinterpret_cast<void**>(pFactory.Out())), S_OK);
    pFactory->LockServer(TRUE);
    pFactory.Reset();
    EXPECT_EQ(pfnCanUnloadNow(), S_FALSE);
    ASSERT_EQ(pfnGetClassObject(CLSID_ComTest, IID_IClassFactory, reinterpret_cast<void**>(pFactory.Out())), S_OK);
    pFactory->LockServer(FALSE);
    pFactory.Reset();
    EXPECT_EQ(pfnCanUnloadNow(), S_OK);
    FreeLibrary(hServer);
}
