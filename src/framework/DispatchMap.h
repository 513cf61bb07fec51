// Dispatch maps: a static table per class of the members its IDispatch answers (dispid, name,
// method / property get / property put, argument and result VARTYPEs, handler), chained to the
// base class's table. Handlers have the form HRESULT OnX(CDispatchCall& call); the arguments
// arrive converted to the declared types, in the caller's order.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include "DispatchCall.h"

class CDispatchTarget;

constexpr int kMaxDispatchArgs = 8;

using DispatchThunk = HRESULT (*)(CDispatchTarget* pTarget, CDispatchCall& call);

struct DispatchEntry {
    DISPID dispid;
    const char* name;
    WORD flags;                          // DISPATCH_METHOD, DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT
    VARTYPE result;                      // VT_EMPTY: nothing returned
    VARTYPE params[kMaxDispatchArgs];    // ends at the first VT_EMPTY; a put's value comes last
    DispatchThunk handler;
};

struct DispatchMap {
    const DispatchMap* (*base)();
    const DispatchEntry* entries;        // ends with an entry whose handler is null
};

namespace dispatch_detail {
template <class F>
struct MemberOf;
template <class T, class R, class... A>
struct MemberOf<R (T::*)(A...)> {
    using type = T;
};
template <auto F>
HRESULT Call(CDispatchTarget* pTarget, CDispatchCall& call)
{
    using T = typename MemberOf<decltype(F)>::type;
    return (static_cast<T*>(pTarget)->*F)(call);
}
template <class M>
struct DataMemberOf;
template <class T, class V>
struct DataMemberOf<V T::*> {
    using type = T;
};
template <auto Member, VARTYPE vt>
HRESULT GetMember(CDispatchTarget* pTarget, CDispatchCall& call)
{
    using T = typename DataMemberOf<decltype(Member)>::type;
    const auto& value = static_cast<T*>(pTarget)->*Member;
    if constexpr (vt == VT_BOOL)
        call.SetResult(value != FALSE);
    else
        call.SetResult(value);
    return S_OK;
}
template <auto Member, auto Notify, VARTYPE vt>
HRESULT PutMember(CDispatchTarget* pTarget, CDispatchCall& call)
{
    using T = typename DataMemberOf<decltype(Member)>::type;
    T* pObject = static_cast<T*>(pTarget);
    static_assert(vt == VT_BOOL || vt == VT_BSTR, "persistent members are BOOL or text");
    if constexpr (vt == VT_BOOL)
        pObject->*Member = call.Bool(0);
    else
        pObject->*Member = call.String(0);
    pObject->SetModifiedFlag();
    if constexpr (Notify != nullptr)
        (pObject->*Notify)();
    return S_OK;
}
} // namespace dispatch_detail

#define DECLARE_DISPATCH_MAP()                                   \
public:                                                          \
    static const DispatchMap* GetThisDispatchMap();              \
    const DispatchMap* GetDispatchMap() const override { return GetThisDispatchMap(); }

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                        \
    const DispatchMap* theClass::GetThisDispatchMap()                                  \
    {                                                                                  \
        using ThisClass = theClass;                                                    \
        using BaseClass = baseClass;                                                   \
        static const DispatchEntry entries[] = {

#define END_DISPATCH_MAP()                                                             \
            { 0, nullptr, 0, VT_EMPTY, {}, nullptr }                                   \
        };                                                                             \
        static const DispatchMap map = { &BaseClass::GetThisDispatchMap, entries };    \
        return &map;                                                                   \
    }

#define DISP_HANDLER(fn) &dispatch_detail::Call<&ThisClass::fn>

// DISP_METHOD(dispid, "Name", OnName, resultType, paramTypes...)
#define DISP_METHOD(id, name, fn, result, ...) \
    { id, name, DISPATCH_METHOD, result, { __VA_ARGS__ }, DISP_HANDLER(fn) },
// DISP_PROPERTY_GET(dispid, "Name", OnGetName, type, indexTypes...)
#define DISP_PROPERTY_GET(id, name, fn, type, ...) \
    { id, name, DISPATCH_PROPERTYGET, type, { __VA_ARGS__ }, DISP_HANDLER(fn) },
// DISP_PROPERTY_NOTIFY(dispid, "Name", m_member, &ThisClass::OnNameChanged or nullptr, VT_BOOL or
// VT_BSTR): a persistent BOOL or std::string member; a put stores it, marks the object modified,
// then notifies.
#define DISP_PROPERTY_NOTIFY(id, name, member, notify, vt)                                                      \
    { id, name, DISPATCH_PROPERTYGET, vt, {}, &dispatch_detail::GetMember<&ThisClass::member, vt> },             \
    { id, name, DISPATCH_PROPERTYPUT, VT_EMPTY, { vt }, &dispatch_detail::PutMember<&ThisClass::member, notify, vt> },
// DISP_PROPERTY_PUT(dispid, "Name", OnSetName, indexTypes..., valueType)
#define DISP_PROPERTY_PUT(id, name, fn, ...) \
    { id, name, DISPATCH_PROPERTYPUT, VT_EMPTY, { __VA_ARGS__ }, DISP_HANDLER(fn) },
