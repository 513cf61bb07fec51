// CVariant: a VARIANT that clears itself; built from C++ values, read back with the automation
// type conversion. A by-reference variant (ByRef) points at storage it does not own.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

class CVariant : public VARIANT {
public:
    CVariant() { VariantInit(this); }
    CVariant(const VARIANT& other);
    CVariant(const CVariant& other) : CVariant(static_cast<const VARIANT&>(other)) {}
    CVariant(CVariant&& other) noexcept;
    explicit CVariant(bool value);      // VT_BOOL
    explicit CVariant(short value);     // VT_I2
    explicit CVariant(int value);       // VT_I4
    explicit CVariant(long value);      // VT_I4
    explicit CVariant(double value);    // VT_R8
    explicit CVariant(const std::string& text);   // VT_BSTR
    explicit CVariant(const char* text);          // VT_BSTR
    explicit CVariant(IDispatch* pDispatch);      // VT_DISPATCH, AddRef'd
    explicit CVariant(IUnknown* pUnknown);        // VT_UNKNOWN, AddRef'd
    ~CVariant() { VariantClear(this); }

    CVariant& operator=(const VARIANT& other);
    CVariant& operator=(const CVariant& other) { return *this = static_cast<const VARIANT&>(other); }
    CVariant& operator=(CVariant&& other) noexcept;

    static CVariant ByRef(BSTR* p);
    static CVariant ByRef(short* p);
    static CVariant ByRef(long* p);
    static CVariant ByRef(IDispatch** p);
    static CVariant ByRef(VARIANT* p);

    void Clear() { VariantClear(this); }
    VARIANT* Out()   // address for an [out] VARIANT: the current value is cleared first
    {
        Clear();
        return this;
    }
    void Attach(VARIANT& source);   // takes the value over, leaving source empty
    void Detach(VARIANT* pTarget);  // gives the value to an uninitialised or empty target

    // Converts in place; the value is unchanged when the conversion fails.
    HRESULT ChangeType(VARTYPE vtNew);
    bool IsEmpty() const { return vt == VT_EMPTY; }

    // Converted copies (by-reference values are read through); the fallback when not convertible.
    std::string ToString(const std::string& fallback = std::string()) const;
    long ToLong(long fallback = 0) const;
    short ToShort(short fallback = 0) const;
    bool ToBool(bool fallback = false) const;
    double ToDouble(double fallback = 0.0) const;

private:
    bool ConvertedCopy(VARTYPE vtTarget, VARIANT* pResult) const;
};
