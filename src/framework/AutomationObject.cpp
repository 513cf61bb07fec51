#include "AutomationObject.h"

STDMETHODIMP CAutomationObject::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

STDMETHODIMP CAutomationObject::GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo)
{
    return DispatchGetTypeInfo(m_diid, iTInfo, ppTInfo);
}

STDMETHODIMP CAutomationObject::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    return DispatchGetIDsOfNames(rgszNames, cNames, rgDispId);
}

STDMETHODIMP CAutomationObject::Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams,
                                       VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    return DispatchInvoke(dispid, wFlags, pParams, pResult, pExcepInfo, puArgErr);
}

void* CAutomationObject::GetInterface(REFIID riid)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, m_diid))
        return static_cast<IDispatch*>(this);
    return nullptr;
}
