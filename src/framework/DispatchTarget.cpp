#include "DispatchTarget.h"

#include "Bstr.h"
#include "DispatchCall.h"
#include "GuardCall.h"
#include "ServerModule.h"
#include "Text.h"

#include <olectl.h>

#include <exception>
#include <vector>

namespace {

const DispatchMap* EmptyMap()
{
    static const DispatchEntry entries[] = {{0, nullptr, 0, VT_EMPTY, {}, nullptr}};
    static const DispatchMap map = {nullptr, entries};
    return &map;
}

UINT ParamCount(const DispatchEntry& entry)
{
    UINT count = 0;
    while (count < kMaxDispatchArgs && entry.params[count] != VT_EMPTY)
        ++count;
    return count;
}

template <class Visit>
const DispatchEntry* FindEntry(const DispatchMap* pMap, Visit visit)
{
    for (; pMap; pMap = pMap->base ? pMap->base() : nullptr) {
        for (const DispatchEntry* p = pMap->entries; p->handler; ++p) {
            if (visit(*p))
                return p;
        }
    }
    return nullptr;
}

// An empty variant of a type VariantChangeType cannot make from VT_EMPTY (object types).
bool MakeEmptyOf(VARTYPE vt, CVariant& value)
{
    if (vt != VT_DISPATCH && vt != VT_UNKNOWN)
        return false;
    value.Clear();
    value.vt = vt;
    value.punkVal = nullptr;
    return true;
}

bool ConvertTo(const VARIANT& source, VARTYPE vt, CVariant& value)
{
    // A null reference has no value to convert; an error value (an omitted optional argument)
    // is no value of any declared type.
    if (((source.vt & VT_BYREF) && !source.byref) || source.vt == VT_ERROR)
        return false;
    value = source;
    if (vt == VT_VARIANT) {
        CVariant direct;
        if (FAILED(VariantCopyInd(&direct, &value)))
            return false;
        value = std::move(direct);
        return true;
    }
    const bool empty = (source.vt & ~VT_BYREF) == VT_EMPTY || (source.vt == (VT_VARIANT | VT_BYREF) && source.pvarVal->vt == VT_EMPTY);
    if (empty && MakeEmptyOf(vt, value))
        return true;
    return SUCCEEDED(value.ChangeType(vt));
}

// By-value arguments already of their declared type are the caller's own values, read in place
// rather than copied (a layout text may be megabytes long). They are let go of, not freed,
// however the call ends.
class CLentArguments {
public:
    explicit CLentArguments(std::vector<CVariant>& args) : m_args(args), m_lent(args.size(), false) {}
    ~CLentArguments()
    {
        for (size_t i = 0; i < m_args.size(); ++i) {
            if (m_lent[i])
                VariantInit(&m_args[i]);
        }
    }
    CLentArguments(const CLentArguments&) = delete;
    CLentArguments& operator=(const CLentArguments&) = delete;

    bool Lend(UINT i, const VARIANT& source, VARTYPE vt)
    {
        if (vt == VT_VARIANT || source.vt != vt)
            return false;
        m_args[i].Clear();
        *static_cast<VARIANT*>(&m_args[i]) = source;
        m_lent[i] = true;
        return true;
    }

private:
    std::vector<CVariant>& m_args;
    std::vector<bool> m_lent;
};

// One argument of a call: a by-value argument becomes a converted copy; a by-reference one is
// passed through when its type matches, or, given as a reference to a variant (as scripts
// pass variables), points into the variant when it holds that type, and is otherwise
// converted into scratch storage that is written back after the call. Either way the handler
// sees the caller's own value, as a typed reference would have shown it.
bool PrepareArgument(VARIANT& source, VARTYPE vt, CVariant& arg, CVariant& scratch, VARIANT*& pWriteBack)
{
    if (!(vt & VT_BYREF))
        return ConvertTo(source, vt, arg);
    if (source.vt == vt) {
        arg = source;
        return true;
    }
    if (source.vt != (VT_VARIANT | VT_BYREF) || !source.pvarVal)
        return false;
    const VARTYPE vtValue = vt & ~VT_BYREF;
    if (source.pvarVal->vt == vtValue) {
        arg.Clear();
        arg.vt = vt;
        arg.byref = &source.pvarVal->llVal;
        return true;
    }
    // A value that does not convert is taken as no value: the argument is an out argument.
    if (!ConvertTo(*source.pvarVal, vtValue, scratch)) {
        scratch.Clear();
        scratch.llVal = 0;
        scratch.vt = vtValue;
    }
    arg.Clear();
    arg.vt = vt;
    arg.byref = &scratch.llVal;   // the value union of the scratch variant
    pWriteBack = source.pvarVal;
    return true;
}

HRESULT ConvertResult(CVariant& result, VARTYPE vt, VARIANT* pResult)
{
    if (vt != VT_VARIANT && result.vt != vt) {
        CVariant converted;
        if (!ConvertTo(result, vt, converted))
            return DISP_E_TYPEMISMATCH;
        result = std::move(converted);
    }
    VariantInit(pResult);
    result.Detach(pResult);
    return S_OK;
}

// The text a caller shows for an error a member raises, where the platform has a standard one.
const char* ErrorDescription(HRESULT hr)
{
    return hr == CTL_E_INVALIDPROPERTYVALUE ? "Invalid property value" : nullptr;
}

// IDispatch::Invoke answers its own failures (argument count, types) directly; an error the
// member itself raises reaches the caller as an exception with the member's code.
HRESULT RaisedByMember(HRESULT hr, EXCEPINFO* pExcepInfo)
{
    if (SUCCEEDED(hr) || HRESULT_FACILITY(hr) == FACILITY_DISPATCH)
        return hr;
    if (pExcepInfo) {
        *pExcepInfo = EXCEPINFO();
        pExcepInfo->scode = hr;
        if (const char* pszText = ErrorDescription(hr))
            pExcepInfo->bstrDescription = CBstr(pszText).Detach();
    }
    return DISP_E_EXCEPTION;
}

HRESULT CallHandler(const DispatchEntry& entry, CDispatchTarget* pTarget, CDispatchCall& call, EXCEPINFO* pExcepInfo)
{
    try {
        return RaisedByMember(entry.handler(pTarget, call), pExcepInfo);
    } catch (const std::exception& e) {
        if (pExcepInfo) {
            *pExcepInfo = EXCEPINFO();
            pExcepInfo->scode = E_FAIL;
            pExcepInfo->bstrDescription = CBstr(e.what()).Detach();
        }
        return DISP_E_EXCEPTION;
    }
}

// The answer to a call that failed with something other than a described exception.
HRESULT UnexpectedFailure(EXCEPINFO* pExcepInfo)
{
    if (pExcepInfo) {
        *pExcepInfo = EXCEPINFO();
        pExcepInfo->scode = E_UNEXPECTED;
    }
    return DISP_E_EXCEPTION;
}

} // namespace

const DispatchMap* CDispatchTarget::GetThisDispatchMap()
{
    return EmptyMap();
}

const DispatchEntry* CDispatchTarget::FindDispatchEntry(DISPID dispid, WORD wFlags) const
{
    const WORD wanted = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
        ? DISPATCH_PROPERTYPUT
        : wFlags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    return FindEntry(GetDispatchMap(), [&](const DispatchEntry& e) { return e.dispid == dispid && (e.flags & wanted); });
}

HRESULT CDispatchTarget::DispatchGetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, DISPID* rgDispId) const
{
    if (!rgszNames || !rgDispId || cNames == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    const std::string name = WideToUtf8(rgszNames[0] ? rgszNames[0] : L"");
    const DispatchEntry* pEntry = FindEntry(GetDispatchMap(), [&](const DispatchEntry& e) { return EqualNoCase(e.name, name); });
    if (!pEntry)
        return DISP_E_UNKNOWNNAME;
    rgDispId[0] = pEntry->dispid;
    // Arguments are positional only.
    return cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT CDispatchTarget::DispatchInvoke(DISPID dispid, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                                        EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    return GuardCall([&] { return InvokeEntry(dispid, wFlags, pParams, pResult, pExcepInfo, puArgErr); },
                     [pExcepInfo] { return UnexpectedFailure(pExcepInfo); });
}

HRESULT CDispatchTarget::InvokeEntry(DISPID dispid, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                                     EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (!pParams || (pParams->cArgs && !pParams->rgvarg))
        return E_INVALIDARG;
    const DispatchEntry* pEntry = FindDispatchEntry(dispid, wFlags);
    if (!pEntry)
        return DISP_E_MEMBERNOTFOUND;
    const bool bPut = pEntry->flags == DISPATCH_PROPERTYPUT;
    if (pParams->cNamedArgs > 0
        && !(bPut && pParams->cNamedArgs == 1 && pParams->rgdispidNamedArgs && pParams->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT))
        return DISP_E_NONAMEDARGS;
    const UINT count = ParamCount(*pEntry);
    if (pParams->cArgs != count)
        return DISP_E_BADPARAMCOUNT;

    // rgvarg holds the arguments last first; a put's named value is rgvarg[0], the last one too.
    std::vector<CVariant> args(count);
    CLentArguments lent(args);
    std::vector<CVariant> scratch(count);
    std::vector<VARIANT*> writeBack(count, nullptr);
    for (UINT i = 0; i < count; ++i) {
        const UINT source = count - 1 - i;
        if (lent.Lend(i, pParams->rgvarg[source], pEntry->params[i]))
            continue;
        if (!PrepareArgument(pParams->rgvarg[source], pEntry->params[i], args[i], scratch[i], writeBack[i])) {
            if (puArgErr)
                *puArgErr = source;
            return DISP_E_TYPEMISMATCH;
        }
    }
    CDispatchCall call(args);
    HRESULT hr = CallHandler(*pEntry, this, call, pExcepInfo);
    if (FAILED(hr))
        return hr;
    for (UINT i = 0; i < count; ++i) {
        if (writeBack[i]) {
            VariantClear(writeBack[i]);
            scratch[i].Detach(writeBack[i]);
        }
    }
    if (pResult && pEntry->result != VT_EMPTY)
        hr = ConvertResult(call.Result(), pEntry->result, pResult);
    return hr;
}

HRESULT CDispatchTarget::DispatchGetTypeInfo(REFIID diid, UINT iTInfo, ITypeInfo** ppTInfo)
{
    if (!ppTInfo)
        return E_POINTER;
    *ppTInfo = nullptr;
    if (iTInfo != 0)
        return DISP_E_BADINDEX;
    return CServerModule::LoadTypeInfo(diid, ppTInfo);
}
