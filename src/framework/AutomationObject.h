// CAutomationObject: a COM object whose only interface is a dispinterface described by the
// module's type library and answered through the derived class's dispatch map.
#pragma once
#include "ComObject.h"
#include "DispatchTarget.h"

class CAutomationObject : public IDispatch, public CComObject, public CDispatchTarget {
public:
    explicit CAutomationObject(REFIID diid) : m_diid(diid) {}

    DECLARE_IUNKNOWN()
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pParams,
                        VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

protected:
    void* GetInterface(REFIID riid) override;

private:
    IID m_diid;
};
