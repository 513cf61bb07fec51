// CClassFactory: the class object of one class of the server; every CreateInstance makes a new
// object. A factory counts as a live object of the module while it is held.
#pragma once
#include "ComObject.h"

class CClassFactory : public IClassFactory, public CComObject {
public:
    using Creator = HRESULT (*)(REFIID riid, void** ppv);
    explicit CClassFactory(Creator pfnCreate) : m_pfnCreate(pfnCreate) {}

    DECLARE_IUNKNOWN()
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL bLock) override;

protected:
    void* GetInterface(REFIID riid) override;

private:
    Creator m_pfnCreate;
};
