// CDispatchDriver: holds one IDispatch and calls its members by dispatch id with typed
// arguments (given in the caller's order) and a typed result. Any failure, including a result
// that does not convert to the type asked for, raises CDispatchException.
#pragma once
#include "ComPointer.h"
#include "DispatchException.h"
#include "Variant.h"

#include <initializer_list>
#include <string>

class CDispatchDriver {
public:
    CDispatchDriver() = default;
    explicit CDispatchDriver(IDispatch* pDispatch) : m_pDispatch(pDispatch) {}

    void Attach(IDispatch* pDispatch) { m_pDispatch = pDispatch; }
    void Release() { m_pDispatch.Reset(); }
    IDispatch* Get() const { return m_pDispatch; }
    bool IsAttached() const { return m_pDispatch != nullptr; }

    // A method; vtResult VT_EMPTY means the result is not wanted.
    CVariant Call(DISPID dispid, VARTYPE vtResult, std::initializer_list<CVariant> args = {});
    // A property read, with index arguments for an indexed property.
    CVariant Get(DISPID dispid, VARTYPE vtResult, std::initializer_list<CVariant> indexes = {});
    // A property write; the value goes last, after any indexes.
    void Put(DISPID dispid, const CVariant& value, std::initializer_list<CVariant> indexes = {});

    long CallLong(DISPID dispid, std::initializer_list<CVariant> args = {});
    bool CallBool(DISPID dispid, std::initializer_list<CVariant> args = {});
    std::string CallString(DISPID dispid, std::initializer_list<CVariant> args = {});

private:
    CVariant Invoke(DISPID dispid, WORD wFlags, VARTYPE vtResult, std::initializer_list<CVariant> args,
                    const CVariant* pPutValue);

    CComPointer<IDispatch> m_pDispatch;
};
