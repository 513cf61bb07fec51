// The kvVelmora server as regsvr32 left it: class and ProgID keys, the type library with its
// declarations, the module's resources, what the control tells containers, object safety, and
// unregistering and registering again.
#include "ControlTestSupport.h"

#include "ServerRegistry.h"
#include "Text.h"
#include "kvVelmora_h.h"

#include <gtest/gtest.h>
#include <objsafe.h>
#include <olectl.h>

#include <utility>

namespace {

std::string RegistryText(const std::wstring& key, const wchar_t* value = nullptr)
{
    wchar_t data[512] = {};
    DWORD cb = sizeof(data);
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), value, RRF_RT_REG_SZ, nullptr, data, &cb) != ERROR_SUCCESS)
        return "<none>";
    return WideToUtf8(data);
}

bool KeyExists(const std::wstring& key)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

const std::wstring kClassKey = L"CLSID\\" + CServerRegistry::GuidText(CLSID_PropertiesGrid);

std::wstring ServerPath()
{
    return Utf8ToWide(RegistryText(kClassKey + L"\\InprocServer32"));
}

} // namespace

TEST(Registration, ClassAndProgIdKeys)
{
    EXPECT_EQ(RegistryText(kClassKey), "kvVelmora Control");
    EXPECT_EQ(RegistryText(kClassKey + L"\\ProgID"), "KV.Velmora.1");
    EXPECT_EQ(RegistryText(kClassKey + L"\\InprocServer32", L"ThreadingModel"), "Apartment");
    EXPECT_NE(ServerPath().find(L"kvVelmora.dll"), std::wstring::npos);
    EXPECT_EQ(RegistryText(kClassKey + L"\\MiscStatus\\1"), std::to_string(0x30191));
    EXPECT_EQ(RegistryText(kClassKey + L"\\TypeLib"), "{DA1CF73D-4859-418D-948B-BDF4A9B65DF1}");
    EXPECT_EQ(RegistryText(kClassKey + L"\\Version"), "1.0");
    EXPECT_TRUE(KeyExists(kClassKey + L"\\Control"));
    EXPECT_TRUE(KeyExists(kClassKey + L"\\Insertable"));
    const std::string bitmap = RegistryText(kClassKey + L"\\ToolboxBitmap32");
    EXPECT_EQ(bitmap.substr(bitmap.size() - 3), ", 1") << bitmap;
    EXPECT_EQ(RegistryText(L"KV.Velmora.1\\CLSID"), "{6D47D783-17E3-4B50-A6EB-4E68B221CC62}");
    CLSID clsid = {};
    ASSERT_EQ(CLSIDFromProgID(kVelmoraProgId, &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_PropertiesGrid));
}

TEST(Registration, WhatTheControlTellsContainers)
{
    CComPointer<IOleObject> pObject;
    ASSERT_EQ(pObject.CreateInstance(CLSID_PropertiesGrid), S_OK);
    DWORD dwStatus = 0;
    ASSERT_EQ(pObject->GetMiscStatus(DVASPECT_CONTENT, &dwStatus), S_OK);
    EXPECT_EQ(dwStatus, 0x30191u);
    LPOLESTR userType = nullptr;
    ASSERT_EQ(pObject->GetUserType(USERCLASSTYPE_FULL, &userType), S_OK);
    EXPECT_EQ(WideToUtf8(userType), "kvVelmora Control");
    CoTaskMemFree(userType);

    CComPointer<ISpecifyPropertyPages> pPages;
    ASSERT_EQ(pPages.QueryFrom(pObject), S_OK);
    CAUUID pages = {};
    ASSERT_EQ(pPages->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 4u);
    EXPECT_EQ(CServerRegistry::GuidText(pages.pElems[0]), L"{F4475476-50E7-433B-91F4-34202595B584}");
    EXPECT_EQ(CServerRegistry::GuidText(pages.pElems[1]), L"{B8893431-478F-451F-8D41-8C3E1EFF9E1C}");
    EXPECT_EQ(CServerRegistry::GuidText(pages.pElems[2]), L"{7EBDAAE0-8120-11CF-899F-00AA00688B10}");
    EXPECT_EQ(CServerRegistry::GuidText(pages.pElems[3]), L"{7EBDAAE1-8120-11CF-899F-00AA00688B10}");
    CoTaskMemFree(pages.pElems);

    CComPointer<IProvideClassInfo2> pClassInfo;
    ASSERT_EQ(pClassInfo.QueryFrom(pObject), S_OK);
    GUID events = {};
    ASSERT_EQ(pClassInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    EXPECT_TRUE(IsEqualIID(events, DIID__DPropertiesGridEvents));
    CComPointer<IDispatch> pDispatch;
    EXPECT_EQ(pDispatch.QueryFrom(pObject, DIID__DPropertiesGrid), S_OK);
}

TEST(Registration, ObjectSafety)
{
    CComPointer<IUnknown> pControl;
    ASSERT_EQ(pControl.CreateInstance(CLSID_PropertiesGrid), S_OK);
    CComPointer<IObjectSafety> pSafety;
    ASSERT_EQ(pSafety.QueryFrom(pControl, IID_IObjectSafety), S_OK);
    DWORD dwSupported = 9, dwEnabled = 9;
    EXPECT_EQ(pSafety->GetInterfaceSafetyOptions(IID_IDispatch, nullptr, &dwEnabled), E_POINTER);
    EXPECT_EQ(pSafety->GetInterfaceSafetyOptions(IID_IDispatch, &dwSupported, nullptr), E_POINTER);
    ASSERT_EQ(pSafety->GetInterfaceSafetyOptions(IID_IDispatch, &dwSupported, &dwEnabled), S_OK);
    EXPECT_EQ(dwSupported, 3u);
    EXPECT_EQ(dwEnabled, 1u);
    for (const IID* piid : {&IID_IPersistPropertyBag, &IID_IPersistStreamInit, &IID_IPersistStorage}) {
        ASSERT_EQ(pSafety->GetInterfaceSafetyOptions(*piid, &dwSupported, &dwEnabled), S_OK);
        EXPECT_EQ(dwSupported, 3u);
        EXPECT_EQ(dwEnabled, 2u);
    }
    // Exposed but not one of the five; not exposed at all.
    EXPECT_EQ(pSafety->GetInterfaceSafetyOptions(IID_IOleObject, &dwSupported, &dwEnabled), E_NOINTERFACE);
    EXPECT_EQ(dwSupported, 3u);
    EXPECT_EQ(dwEnabled, 0u);
    EXPECT_EQ(pSafety->GetInterfaceSafetyOptions(IID_IPersistMemory, &dwSupported, &dwEnabled), E_NOINTERFACE);
    EXPECT_EQ(pSafety->GetInterfaceSafetyOptions(IID_IClassFactory, &dwSupported, &dwEnabled), E_NOINTERFACE);

    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IClassFactory, 0, 0), S_OK);
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IClassFactory, 1, 1), E_FAIL);
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IDispatch, 1, 1), S_OK);
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IDispatch, 1, 0), E_FAIL);
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IDispatch, 3, 3), E_FAIL);
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IDispatch, 2, 2), E_FAIL);
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IPersistStreamInit, 2, 2), S_OK);
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, 2, 2), S_OK);
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IPersistStorage, 1, 1), E_FAIL);
    EXPECT_EQ(pSafety->SetInterfaceSafetyOptions(IID_IOleObject, 1, 1), E_FAIL);
}

// The server's own registration exports, from the registered file.
class ServerExports : public testing::Test {
protected:
    using ServerFn = HRESULT(STDAPICALLTYPE*)();
    void SetUp() override
    {
        m_hModule = LoadLibraryW(ServerPath().c_str());
        ASSERT_NE(m_hModule, nullptr);
        m_pfnUnregister = reinterpret_cast<ServerFn>(reinterpret_cast<void*>(GetProcAddress(m_hModule, "DllUnregisterServer")));
        m_pfnRegister = reinterpret_cast<ServerFn>(reinterpret_cast<void*>(GetProcAddress(m_hModule, "DllRegisterServer")));
        ASSERT_NE(m_pfnUnregister, nullptr);
        ASSERT_NE(m_pfnRegister, nullptr);
    }
    void TearDown() override { FreeLibrary(m_hModule); }

    HMODULE m_hModule = nullptr;
    ServerFn m_pfnUnregister = nullptr;
    ServerFn m_pfnRegister = nullptr;
};

TEST_F(ServerExports, UnregisterAndRegisterAgain)
{
    EXPECT_EQ(m_pfnUnregister(), S_OK);
    EXPECT_FALSE(KeyExists(kClassKey));
    EXPECT_FALSE(KeyExists(L"KV.Velmora.1"));
    EXPECT_FALSE(KeyExists(L"KV.VelmoraPreviewPropPage.1"));
    EXPECT_FALSE(KeyExists(L"CLSID\\{B8893431-478F-451F-8D41-8C3E1EFF9E1C}"));
    CComPointer<ITypeLib> pLib;
    EXPECT_NE(LoadRegTypeLib(LIBID_kvVelmoraLib, 1, 0, 0x409, pLib.Out()), S_OK);
    EXPECT_EQ(m_pfnRegister(), S_OK);
    EXPECT_TRUE(KeyExists(kClassKey));
    EXPECT_EQ(RegistryText(L"KV.Velmora.1\\CLSID"), "{6D47D783-17E3-4B50-A6EB-4E68B221CC62}");
    EXPECT_EQ(RegistryText(L"KV.VelmoraGeneralPropPage\\CLSID"), "{B8893431-478F-451F-8D41-8C3E1EFF9E1C}");
    EXPECT_EQ(LoadRegTypeLib(LIBID_kvVelmoraLib, 1, 0, 0x409, pLib.Out()), S_OK);
}

TEST_F(ServerExports, UnregisteringStopsAtATypeLibraryItCannotRemove)
{
    // The registered type library now names a file that is not there.
    const std::wstring libKey = L"TypeLib\\" + CServerRegistry::GuidText(LIBID_kvVelmoraLib) + L"\\1.0\\409\\"
        + (sizeof(void*) == 8 ? L"win64" : L"win32");
    ASSERT_NE(RegistryText(libKey), "<none>");
    const std::wstring missing = L"C:\\nowhere\\kvVelmora.dll";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, libKey.c_str(), nullptr, REG_SZ, missing.c_str(),
                              static_cast<DWORD>((missing.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    EXPECT_EQ(m_pfnUnregister(), SELFREG_E_TYPELIB);
    EXPECT_TRUE(KeyExists(kClassKey));
    EXPECT_TRUE(KeyExists(L"KV.Velmora.1"));
    EXPECT_EQ(m_pfnRegister(), S_OK);
    EXPECT_EQ(Utf8ToWide(RegistryText(libKey)), ServerPath());
}
