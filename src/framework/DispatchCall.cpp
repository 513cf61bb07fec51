#include "DispatchCall.h"

#include "Bstr.h"

const VARIANT& CDispatchCall::Arg(UINT i) const
{
    static const CVariant empty;
    return i < m_args.size() ? m_args[i] : empty;
}

const VARIANT* CDispatchCall::Typed(UINT i, VARTYPE vt) const
{
    const VARIANT& arg = Arg(i);
    return arg.vt == vt ? &arg : nullptr;
}

short CDispatchCall::Short(UINT i) const
{
    const VARIANT* p = Typed(i, VT_I2);
    return p ? p->iVal : 0;
}

long CDispatchCall::Long(UINT i) const
{
    const VARIANT* p = Typed(i, VT_I4);
    return p ? p->lVal : 0;
}

bool CDispatchCall::Bool(UINT i) const
{
    const VARIANT* p = Typed(i, VT_BOOL);
    return p && p->boolVal != VARIANT_FALSE;
}

double CDispatchCall::Double(UINT i) const
{
    const VARIANT* p = Typed(i, VT_R8);
    return p ? p->dblVal : 0.0;
}

std::string CDispatchCall::String(UINT i) const
{
    return CBstr::ToUtf8(Bstr(i));
}

BSTR CDispatchCall::Bstr(UINT i) const
{
    const VARIANT* p = Typed(i, VT_BSTR);
    return p ? p->bstrVal : nullptr;
}

IDispatch* CDispatchCall::Dispatch(UINT i) const
{
    const VARIANT* p = Typed(i, VT_DISPATCH);
    return p ? p->pdispVal : nullptr;
}

IUnknown* CDispatchCall::Unknown(UINT i) const
{
    const VARIANT* p = Typed(i, VT_UNKNOWN);
    return p ? p->punkVal : nullptr;
}

BSTR* CDispatchCall::BstrRef(UINT i) const
{
    const VARIANT* p = Typed(i, VT_BSTR | VT_BYREF);
    return p ? p->pbstrVal : nullptr;
}

bool CDispatchCall::SetStringRef(UINT i, const std::string& text)
{
    BSTR* p = BstrRef(i);
    if (!p)
        return false;
    CBstr value(text);
    SysFreeString(*p);
    *p = value.Detach();
    return true;
}

short* CDispatchCall::ShortRef(UINT i) const
{
    const VARIANT* p = Typed(i, VT_I2 | VT_BYREF);
    return p ? p->piVal : nullptr;
}

long* CDispatchCall::LongRef(UINT i) const
{
    const VARIANT* p = Typed(i, VT_I4 | VT_BYREF);
    return p ? p->plVal : nullptr;
}

IDispatch** CDispatchCall::DispatchRef(UINT i) const
{
    const VARIANT* p = Typed(i, VT_DISPATCH | VT_BYREF);
    return p ? p->ppdispVal : nullptr;
}

VARIANT* CDispatchCall::VariantRef(UINT i) const
{
    const VARIANT* p = Typed(i, VT_VARIANT | VT_BYREF);
    return p ? p->pvarVal : nullptr;
}
