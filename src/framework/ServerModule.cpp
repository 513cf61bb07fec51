#include "ServerModule.h"

#include "BusyWindows.h"
#include "ClassFactory.h"
#include "ComObject.h"
#include "ServerRegistry.h"
#include "Wnd.h"

#include <olectl.h>

#include <atomic>
#include <vector>

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

#if defined(__MINGW32__)
namespace {

// Every thread-local slot a thread can hold: the first ones and the expansion slots.
const DWORD kTlsSlots = TLS_MINIMUM_AVAILABLE + 1024;

void RunThreadEndCallbacks(HMODULE hModule)
{
    const auto* pBase = reinterpret_cast<const BYTE*>(hModule);
    const auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& tlsEntry = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_TLS];
    if (!tlsEntry.VirtualAddress)
        return;
    const auto* pTls = reinterpret_cast<const IMAGE_TLS_DIRECTORY*>(pBase + tlsEntry.VirtualAddress);
    for (auto* ppCallback = reinterpret_cast<const PIMAGE_TLS_CALLBACK*>(pTls->AddressOfCallBacks); ppCallback && *ppCallback; ++ppCallback)
        (*ppCallback)(hModule, DLL_THREAD_DETACH, nullptr);
}

// The static POSIX-threads runtime keeps a block, a thread handle and an event for each thread
// that used it (the 32-bit unwinder registration uses it as every load starts), and gives them
// back only as the thread ends; the thread that frees the module never ends inside it. The
// module's thread-end callbacks are run for that thread as the module unloads. The runtime also
// never frees the thread-local slot it keeps its blocks in, and a host that loads and frees the
// server some hundreds of times would run out of slots: it is the one slot of this thread that
// the callbacks empty, and it goes too.
void EndRuntimeForUnloadingThread(HMODULE hModule)
{
    const DWORD dwLastError = GetLastError();
    std::vector<LPVOID> held(kTlsSlots);
    for (DWORD nSlot = 0; nSlot < kTlsSlots; ++nSlot)
        held[nSlot] = TlsGetValue(nSlot);
    RunThreadEndCallbacks(hModule);
    std::vector<DWORD> emptied;
    for (DWORD nSlot = 0; nSlot < kTlsSlots; ++nSlot) {
        if (held[nSlot] && !TlsGetValue(nSlot))
            emptied.push_back(nSlot);
    }
    if (emptied.size() == 1)
        TlsFree(emptied.front());
    SetLastError(dwLastError);
}

} // namespace
#endif

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
#if defined(__MINGW32__)
        EndRuntimeForUnloadingThread(CWnd::ModuleInstance());
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
