#include "ServerModule.h"

#include "ClassFactory.h"
#include "ComObject.h"
#include "ServerRegistry.h"
#include "Wnd.h"

#include <olectl.h>

namespace {

LONG g_nObjects = 0;
LONG g_nLocks = 0;

} // namespace

void CServerModule::ObjectCreated()
{
    InterlockedIncrement(&g_nObjects);
}

void CServerModule::ObjectDestroyed()
{
    InterlockedDecrement(&g_nObjects);
}

void CServerModule::Lock(BOOL bLock)
{
    if (bLock)
        InterlockedIncrement(&g_nLocks);
    else
        InterlockedDecrement(&g_nLocks);
}

LONG CServerModule::ObjectCount()
{
    return g_nObjects;
}

HRESULT CServerModule::GetClassObject(const ServerClass* classes, size_t count, REFCLSID clsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    for (size_t i = 0; i < count; ++i) {
        if (IsEqualCLSID(*classes[i].clsid, clsid)) {
            CComPointer<CClassFactory> factory = NewComObject<CClassFactory>(classes[i].create);
            return factory->QueryInterface(riid, ppv);
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CServerModule::CanUnloadNow()
{
    return g_nObjects == 0 && g_nLocks == 0 ? S_OK : S_FALSE;
}

HRESULT CServerModule::RegisterServer(const ServerClass* classes, size_t count)
{
    if (FAILED(CServerRegistry::RegisterTypeLibrary()))
        return SELFREG_E_TYPELIB;
    for (size_t i = 0; i < count; ++i) {
        if (classes[i].update_registry && FAILED(classes[i].update_registry(true)))
            return SELFREG_E_CLASS;
    }
    return S_OK;
}

HRESULT CServerModule::UnregisterServer(const ServerClass* classes, size_t count)
{
    if (FAILED(CServerRegistry::UnregisterTypeLibrary()))
        return SELFREG_E_TYPELIB;
    for (size_t i = 0; i < count; ++i) {
        if (classes[i].update_registry && FAILED(classes[i].update_registry(false)))
            return SELFREG_E_CLASS;
    }
    return S_OK;
}

HINSTANCE CServerModule::Instance()
{
    return CWnd::ModuleInstance();
}

std::wstring CServerModule::ModulePath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(Instance(), path, MAX_PATH);
    return path;
}

HRESULT CServerModule::LoadTypeLibrary(ITypeLib** ppLib)
{
    return LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, ppLib);
}

HRESULT CServerModule::LoadTypeInfo(REFGUID guid, ITypeInfo** ppInfo)
{
    if (!ppInfo)
        return E_POINTER;
    *ppInfo = nullptr;
    CComPointer<ITypeLib> lib;
    HRESULT hr = LoadTypeLibrary(lib.Out());
    if (FAILED(hr))
        return hr;
    return lib->GetTypeInfoOfGuid(guid, ppInfo);
}
