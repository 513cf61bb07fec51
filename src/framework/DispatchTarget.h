// CDispatchTarget: the IDispatch work of an object with a dispatch map: names looked up without
// regard to case, arguments converted with the automation type conversion (by-reference ones
// too, also when a script passes them as variants), the named property-put value, results
// converted to the declared type, type information from the module's type library. Errors are
// answered with DISP_E_* codes, never with a crash.
#pragma once
#include "DispatchMap.h"

class CDispatchTarget {
public:
    virtual ~CDispatchTarget() = default;

    static const DispatchMap* GetThisDispatchMap();
    virtual const DispatchMap* GetDispatchMap() const { return GetThisDispatchMap(); }

    // The entry answering dispid for the invocation flags, or null.
    const DispatchEntry* FindDispatchEntry(DISPID dispid, WORD wFlags) const;

protected:
    HRESULT DispatchGetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, DISPID* rgDispId) const;
    HRESULT DispatchInvoke(DISPID dispid, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                           EXCEPINFO* pExcepInfo, UINT* puArgErr);
    // The description of dispinterface diid from the module's type library (index 0 only).
    static HRESULT DispatchGetTypeInfo(REFIID diid, UINT iTInfo, ITypeInfo** ppTInfo);

private:
    HRESULT InvokeEntry(DISPID dispid, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO* pExcepInfo,
                        UINT* puArgErr);
};
