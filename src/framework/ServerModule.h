// CServerModule: the in-process server's module state (live objects and server locks) and the
// work behind the exported DllGetClassObject, DllCanUnloadNow, DllRegisterServer and
// DllUnregisterServer. A server DLL lists its classes in a ServerClass table and forwards its
// exports (named in its .def file) to the functions here.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

struct ServerClass {
    const CLSID* clsid;
    HRESULT (*create)(REFIID riid, void** ppv);   // a new object per request (CreateComObject<T>)
    HRESULT (*update_registry)(bool bRegister);    // writes or removes the class's keys
};

class CServerModule {
public:
    static void ObjectCreated();
    static void ObjectDestroyed();
    static void Lock(BOOL bLock);
    static LONG ObjectCount();

    template <size_t N>
    static HRESULT GetClassObject(const ServerClass (&classes)[N], REFCLSID clsid, REFIID riid, void** ppv)
    {
        return GetClassObject(classes, N, clsid, riid, ppv);
    }
    static HRESULT GetClassObject(const ServerClass* classes, size_t count, REFCLSID clsid, REFIID riid, void** ppv);
    static HRESULT CanUnloadNow();
    // The work of the DLL's entry point: pfnOnLoad (may be null) as the DLL loads; as it is
    // freed, what it gave the process back (its window classes; objects in static storage go
    // with the runtime's own clean-up).
    static BOOL DllMain(DWORD dwReason, LPVOID pReserved, void (*pfnOnLoad)());

    // The type library embedded in the module first (SELFREG_E_TYPELIB), then every class
    // (SELFREG_E_CLASS); unregistration goes in the same order, with the same results.
    template <size_t N>
    static HRESULT RegisterServer(const ServerClass (&classes)[N]) { return RegisterServer(classes, N); }
    template <size_t N>
    static HRESULT UnregisterServer(const ServerClass (&classes)[N]) { return UnregisterServer(classes, N); }
    static HRESULT RegisterServer(const ServerClass* classes, size_t count);
    static HRESULT UnregisterServer(const ServerClass* classes, size_t count);

    static HINSTANCE Instance();
    static std::wstring ModulePath();
    // The type library embedded in this module (TYPELIB resource 1), loaded without registering.
    static HRESULT LoadTypeLibrary(ITypeLib** ppLib);
    // A type description (dispinterface, coclass) from the embedded type library.
    static HRESULT LoadTypeInfo(REFGUID guid, ITypeInfo** ppInfo);
};

// The four exports of a server DLL over its class table (its .def file names them), and its
// entry point, which runs pfnOnLoad (may be nullptr) as the DLL loads.
#define IMPLEMENT_SERVER_EXPORTS(classes, pfnOnLoad)                                       \
    STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)                    \
    {                                                                                      \
        return CServerModule::GetClassObject(classes, rclsid, riid, ppv);                  \
    }                                                                                      \
    STDAPI DllCanUnloadNow() { return CServerModule::CanUnloadNow(); }                     \
    STDAPI DllRegisterServer() { return CServerModule::RegisterServer(classes); }          \
    STDAPI DllUnregisterServer() { return CServerModule::UnregisterServer(classes); }      \
    extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID pReserved)            \
    {                                                                                      \
        return CServerModule::DllMain(dwReason, pReserved, pfnOnLoad);                     \
    }
