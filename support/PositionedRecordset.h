// CPositionedRecordset: an ADO recordset handed on with the record position answered by us.
// Wine's ADO fails Recordset.AbsolutePosition (dispid 1000); this object answers it (1 for the
// first record, counted along MoveFirst and MoveNext) and passes every other call to the
// recordset it wraps.
#pragma once
#include "ComObject.h"

#include <oaidl.h>

class CPositionedRecordset : public IDispatch, public CComObject {
public:
    explicit CPositionedRecordset(IDispatch* pRecordset);

    DECLARE_IUNKNOWN()
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                        EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

protected:
    void* GetInterface(REFIID riid) override;

private:
    CComPointer<IDispatch> m_pRecordset;
    long m_nPosition = 1;
};
