#include "ServerModule.h"

#include "BusyWindows.h"
#include "ClassFactory.h"
#include "ComObject.h"
#include "ServerRegistry.h"
#include "Wnd.h"

#include <olectl.h>

#include <atomic>

#if defined(__GLIBCXX__)
// GCC's C++ runtime keeps an emergency buffer for exceptions thrown when memory runs out; it is
// allocated when the module loads and freed only here.
namespace __gnu_cxx {
void __freeres();
}
#endif

namespace {

// Objects and locks of every thread: the module unloads only when none is left anywhere.
std::atomic<LONG> g_nObjects{0};
std::atomic<LONG> g_nLocks{0};

} // namespace

void CServerModule::ObjectCreated()
{
    ++g_nObjects;
}

void CServerModule::ObjectDestroyed()
{
    --g_nObjects;
}

void CServerModule::Lock(BOOL bLock)
{
    if (bLock)
        ++g_nLocks;
    else
        --g_nLocks;
}

LONG CServerModule::ObjectCount()
{
    return g_nObjects.load();
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
    return g_nObjects.load() == 0 && g_nLocks.load() == 0 ? S_OK : S_FALSE;
}

BOOL CServerModule::DllMain(DWORD dwReason, LPVOID pReserved, void (*pfnOnLoad)())
{
    if (dwReason == DLL_PROCESS_ATTACH && pfnOnLoad)
        pfnOnLoad();
    if (dwReason == DLL_THREAD_DETACH)
        CBusyWindows::ThreadEnded();
    // Freed while the process goes on (not at its exit, when nothing needs giving back).
    if (dwReason == DLL_PROCESS_DETACH && !pReserved) {
        CWnd::UnregisterWindowClasses();
#if defined(__GLIBCXX__)
        __gnu_cxx::__freeres();
#endif
    }
    return TRUE;
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
