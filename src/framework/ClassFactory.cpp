#include "ClassFactory.h"

#include "GuardCall.h"
#include "ServerModule.h"

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (pOuter)
        return CLASS_E_NOAGGREGATION;
    return GuardCall([&] { return m_pfnCreate(riid, ppv); }, E_UNEXPECTED);
}

STDMETHODIMP CClassFactory::LockServer(BOOL bLock)
{
    CServerModule::Lock(bLock);
    return S_OK;
}

void* CClassFactory::GetInterface(REFIID riid)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory))
        return static_cast<IClassFactory*>(this);
    return nullptr;
}
