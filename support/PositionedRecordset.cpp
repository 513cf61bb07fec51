#include "PositionedRecordset.h"

namespace {

enum : DISPID {
    kAbsolutePosition = 1000,
    kMoveNext = 1018,
    kMoveFirst = 1020,
};

} // namespace

CPositionedRecordset::CPositionedRecordset(IDispatch* pRecordset) : m_pRecordset(pRecordset) {}

STDMETHODIMP CPositionedRecordset::GetTypeInfoCount(UINT* pctinfo)
{
    return m_pRecordset->GetTypeInfoCount(pctinfo);
}

STDMETHODIMP CPositionedRecordset::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo)
{
    return m_pRecordset->GetTypeInfo(iTInfo, lcid, ppTInfo);
}

STDMETHODIMP CPositionedRecordset::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId)
{
    return m_pRecordset->GetIDsOfNames(riid, rgszNames, cNames, lcid, rgDispId);
}

STDMETHODIMP CPositionedRecordset::Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pParams,
                                          VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (dispid == kAbsolutePosition && (wFlags & DISPATCH_PROPERTYGET) && pParams && pParams->cArgs == 0) {
        if (!pResult)
            return E_POINTER;
        VariantInit(pResult);
        pResult->vt = VT_I4;
        pResult->lVal = m_nPosition;
        return S_OK;
    }
    const HRESULT hr = m_pRecordset->Invoke(dispid, riid, lcid, wFlags, pParams, pResult, pExcepInfo, puArgErr);
    if (SUCCEEDED(hr) && dispid == kMoveFirst)
        m_nPosition = 1;
    else if (SUCCEEDED(hr) && dispid == kMoveNext)
        ++m_nPosition;
    return hr;
}

void* CPositionedRecordset::GetInterface(REFIID riid)
{
    if (riid == IID_IUnknown || riid == IID_IDispatch)
        return static_cast<IDispatch*>(this);
    return nullptr;
}
