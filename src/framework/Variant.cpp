#include "Variant.h"

#include "Bstr.h"

CVariant::CVariant(const VARIANT& other)
{
    VariantInit(this);
    VariantCopy(this, const_cast<VARIANT*>(&other));
}

CVariant::CVariant(CVariant&& other) noexcept
{
    VariantInit(this);
    Attach(other);
}

CVariant::CVariant(bool value)
{
    VariantInit(this);
    vt = VT_BOOL;
    boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

CVariant::CVariant(short value)
{
    VariantInit(this);
    vt = VT_I2;
    iVal = value;
}

CVariant::CVariant(int value) : CVariant(static_cast<long>(value)) {}

CVariant::CVariant(long value)
{
    VariantInit(this);
    vt = VT_I4;
    lVal = value;
}

CVariant::CVariant(double value)
{
    VariantInit(this);
    vt = VT_R8;
    dblVal = value;
}

CVariant::CVariant(const std::string& text)
{
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = CBstr(text).Detach();
}

CVariant::CVariant(const char* text) : CVariant(std::string(text ? text : "")) {}

CVariant::CVariant(IDispatch* pDispatch)
{
    VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = pDispatch;
    if (pDispatch)
        pDispatch->AddRef();
}

CVariant::CVariant(IUnknown* pUnknown)
{
    VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = pUnknown;
    if (pUnknown)
        pUnknown->AddRef();
}

CVariant& CVariant::operator=(const VARIANT& other)
{
    if (&other != this) {
        CVariant copy(other);
        Clear();
        Attach(copy);
    }
    return *this;
}

CVariant& CVariant::operator=(CVariant&& other) noexcept
{
    if (&other != this) {
        Clear();
        Attach(other);
    }
    return *this;
}

CVariant CVariant::ByRef(BSTR* p)
{
    CVariant v;
    v.vt = VT_BSTR | VT_BYREF;
    v.pbstrVal = p;
    return v;
}

CVariant CVariant::ByRef(short* p)
{
    CVariant v;
    v.vt = VT_I2 | VT_BYREF;
    v.piVal = p;
    return v;
}

CVariant CVariant::ByRef(long* p)
{
    CVariant v;
    v.vt = VT_I4 | VT_BYREF;
    v.plVal = p;
    return v;
}

CVariant CVariant::ByRef(IDispatch** p)
{
    CVariant v;
    v.vt = VT_DISPATCH | VT_BYREF;
    v.ppdispVal = p;
    return v;
}

CVariant CVariant::ByRef(VARIANT* p)
{
    CVariant v;
    v.vt = VT_VARIANT | VT_BYREF;
    v.pvarVal = p;
    return v;
}

void CVariant::Attach(VARIANT& source)
{
    Clear();
    *static_cast<VARIANT*>(this) = source;
    VariantInit(&source);
}

void CVariant::Detach(VARIANT* pTarget)
{
    *pTarget = *this;
    VariantInit(this);
}

HRESULT CVariant::ChangeType(VARTYPE vtNew)
{
    // A value already of that type stays as it is: converting would copy it, a whole layout
    // text for a BSTR.
    if (vt == vtNew)
        return S_OK;
    VARIANT converted;
    VariantInit(&converted);
    if (!ConvertedCopy(vtNew, &converted))
        return DISP_E_TYPEMISMATCH;
    Attach(converted);
    return S_OK;
}

bool CVariant::ConvertedCopy(VARTYPE vtTarget, VARIANT* pResult) const
{
    // The conversion is applied to the value itself, so that by-reference variants are read
    // through rather than converted as pointers.
    CVariant value;
    if (FAILED(VariantCopyInd(&value, const_cast<CVariant*>(this))))
        return false;
    return SUCCEEDED(VariantChangeType(pResult, &value, 0, vtTarget));
}

std::string CVariant::ToString(const std::string& fallback) const
{
    CVariant converted;
    if (!ConvertedCopy(VT_BSTR, &converted))
        return fallback;
    return CBstr::ToUtf8(converted.bstrVal);
}

long CVariant::ToLong(long fallback) const
{
    CVariant converted;
    return ConvertedCopy(VT_I4, &converted) ? converted.lVal : fallback;
}

short CVariant::ToShort(short fallback) const
{
    CVariant converted;
    return ConvertedCopy(VT_I2, &converted) ? converted.iVal : fallback;
}

bool CVariant::ToBool(bool fallback) const
{
    CVariant converted;
    return ConvertedCopy(VT_BOOL, &converted) ? converted.boolVal != VARIANT_FALSE : fallback;
}

double CVariant::ToDouble(double fallback) const
{
    CVariant converted;
    return ConvertedCopy(VT_R8, &converted) ? converted.dblVal : fallback;
}
