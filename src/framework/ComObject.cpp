#include "ComObject.h"

#include "ServerModule.h"

CComObject::CComObject()
{
    CServerModule::ObjectCreated();
}

CComObject::~CComObject()
{
    CServerModule::ObjectDestroyed();
}

ULONG CComObject::InternalAddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nRefs));
}

ULONG CComObject::InternalRelease()
{
    const LONG nRefs = InterlockedDecrement(&m_nRefs);
    if (nRefs == 0) {
        // Guards against a release of a reference taken during the final cleanup.
        m_nRefs = 1;
        OnFinalRelease();
        delete this;
    }
    return static_cast<ULONG>(nRefs);
}

HRESULT CComObject::InternalQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = GetInterface(riid);
    if (!*ppv)
        return E_NOINTERFACE;
    static_cast<IUnknown*>(*ppv)->AddRef();
    return S_OK;
}
