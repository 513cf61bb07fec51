#include "DispatchDriver.h"

#include <vector>

CVariant CDispatchDriver::Invoke(DISPID dispid, WORD wFlags, VARTYPE vtResult, std::initializer_list<CVariant> args,
                                 const CVariant* pPutValue)
{
    if (!m_pDispatch)
        throw CDispatchException(E_POINTER, dispid);
    // DISPPARAMS wants the arguments last to first.
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size() + 1);
    if (pPutValue)
        reversed.push_back(*pPutValue);
    for (auto it = args.end(); it != args.begin();)
        reversed.push_back(*--it);
    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.data(), pPutValue ? &namedPut : nullptr, static_cast<UINT>(reversed.size()),
                         pPutValue ? 1u : 0u};
    CVariant result;
    EXCEPINFO exception = {};
    UINT argError = 0;
    const HRESULT hr = m_pDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                           pPutValue ? nullptr : result.Out(), &exception, &argError);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (FAILED(hr))
        throw CDispatchException(hr, dispid);
    if (vtResult != VT_EMPTY && result.vt != vtResult) {
        const HRESULT hrConvert = result.ChangeType(vtResult);
        if (FAILED(hrConvert))
            throw CDispatchException(hrConvert, dispid);
    }
    return result;
}

CVariant CDispatchDriver::Call(DISPID dispid, VARTYPE vtResult, std::initializer_list<CVariant> args)
{
    return Invoke(dispid, DISPATCH_METHOD, vtResult, args, nullptr);
}

CVariant CDispatchDriver::Get(DISPID dispid, VARTYPE vtResult, std::initializer_list<CVariant> indexes)
{
    return Invoke(dispid, DISPATCH_PROPERTYGET, vtResult, indexes, nullptr);
}

void CDispatchDriver::Put(DISPID dispid, const CVariant& value, std::initializer_list<CVariant> indexes)
{
    const WORD wFlags = (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    try {
        Invoke(dispid, wFlags, VT_EMPTY, indexes, &value);
    } catch (const CDispatchException&) {
        if (wFlags == DISPATCH_PROPERTYPUT)
            throw;
        // Objects that take an object by value only (no putref) are common: try the plain put.
        Invoke(dispid, DISPATCH_PROPERTYPUT, VT_EMPTY, indexes, &value);
    }
}

long CDispatchDriver::CallLong(DISPID dispid, std::initializer_list<CVariant> args)
{
    return Call(dispid, VT_I4, args).lVal;
}

bool CDispatchDriver::CallBool(DISPID dispid, std::initializer_list<CVariant> args)
{
    return Call(dispid, VT_BOOL, args).boolVal != VARIANT_FALSE;
}

std::string CDispatchDriver::CallString(DISPID dispid, std::initializer_list<CVariant> args)
{
    return Call(dispid, VT_BSTR, args).ToString();
}
